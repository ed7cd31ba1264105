#pragma once
// The rules of the customer edit dialog as plain logic: the values a new customer starts with,
// the checks of "&Ok" in their order, the values written on OK, and the company's next customer
// number after an add.

#include <functional>
#include <optional>
#include <string>

#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"

namespace customers {

// A new customer: the company's next customer number and default terms, balance, credit limit
// and aging amounts "0.00", TE "N", credit hold "N"; every other field empty.
records::CustomerRecord NewCustomer(const records::CompanyRecord& company);

// A refusal of "&Ok": its message box and the control that takes the focus.
struct CustomerFailure {
    std::string caption;
    std::string text;
    std::string control;  // objectName: CName, EMadd, CNo, CLimit
};

// How the checks reach the customer file: the customer whose key 2 (or key 1) is the first at or
// after the one built from the given number (or name), or nothing when the search finds none.
struct CustomerLookup {
    std::function<std::optional<records::CustomerRecord>(const std::string& number)> byNumber;
    std::function<std::optional<records::CustomerRecord>(const std::string& name)> byName;
};

// Who is being edited: nothing while adding, else the stored number of the customer.
using EditedNumber = std::optional<std::string>;

// The checks of "&Ok" in their order; the first failure ends them. A passing check proposes the
// short name when it is empty, as leaving the name field does. Numbers and names are compared
// trimmed and upper-cased, so neither a customer's own record nor a sentinel number counts as a
// duplicate of itself.
std::optional<CustomerFailure> CheckCustomer(records::CustomerRecord& customer,
                                             const EditedNumber& edited,
                                             const CustomerLookup& lookup);

// What OK writes besides the typed texts: TE upper-cased, the credit limit trimmed and without
// commas ("0.00" when empty), the three check boxes as "Y" or "N". A new customer also gets "0.00" balance and aging amounts.
void NormaliseCustomer(records::CustomerRecord& customer, bool adding);

// The next customer number after adding `enteredNumber`: its leading whole number plus one
// ("1005" gives "1006", "A-17" gives "1"). A number longer than the field keeps `current`.
std::string NextCustomerNumber(std::string_view enteredNumber, std::string_view current);

// The number and name compared by the checks and the renumbering: trimmed, upper-cased.
std::string SameNumberForm(std::string_view number);

}  // namespace customers

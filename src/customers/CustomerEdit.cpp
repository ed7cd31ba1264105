#include "customers/CustomerEdit.h"

#include "base/Decimal.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "customers/CustomerTexts.h"

namespace customers {
namespace {

constexpr int kNumberSize = 8;

std::optional<CustomerFailure> Refuse(const char* caption, const char* text, const char* control) {
    return CustomerFailure{caption, text, control};
}

// A found customer is a duplicate unless it is the customer being edited.
bool IsSomeoneElse(const records::CustomerRecord& found, const EditedNumber& edited) {
    return !edited || SameNumberForm(found.number()) != SameNumberForm(*edited);
}

}  // namespace

std::string SameNumberForm(std::string_view number) {
    return base::Win1252Upper(base::Trim(number));
}

records::CustomerRecord NewCustomer(const records::CompanyRecord& company) {
    records::CustomerRecord customer;
    customer.setNumber(company.nextCustomerNumber());
    customer.setTerms(company.defaultTerms());
    customer.setTaxExempt("N");
    customer.setCreditLimit("0.00");
    customer.setCreditHold(false);
    NormaliseCustomer(customer, true);
    return customer;
}

std::optional<CustomerFailure> CheckCustomer(records::CustomerRecord& customer,
                                             const EditedNumber& edited,
                                             const CustomerLookup& lookup) {
    if (base::Trim(customer.name()).empty())
        return Refuse("Customer Name", "You must enter a customer name.", "CName");
    if (base::Trim(customer.shortName()).empty())
        customer.setShortName(ProposeShortName(customer.name()));
    const std::string email = base::Trim(customer.email());
    if (!email.empty() && email.find('@') == std::string::npos) {
        return Refuse("Customer E-Mail Address",
                      "The customer e-mail address does not have the @ sign included. Bad "
                      "e-mail address.",
                      "EMadd");
    }
    // A blank number would share its key with every other blank number.
    const std::string number = SameNumberForm(customer.number());
    if (number.empty())
        return Refuse("Customer Number", "You must enter a customer number.", "CNo");
    if (const auto found = lookup.byNumber(customer.number());
        found && SameNumberForm(found->number()) == number && IsSomeoneElse(*found, edited)) {
        return Refuse("Customer Number",
                      "That customer number already exists. You will need to use a different "
                      "number.",
                      "CNo");
    }
    if (const auto found = lookup.byName(customer.name());
        found && SameNumberForm(found->name()) == SameNumberForm(customer.name()) &&
        IsSomeoneElse(*found, edited)) {
        return Refuse("Duplicate Customer Name",
                      "That customer name already exists. You should not enter the same customer "
                      "name with a different customer number.",
                      "CName");
    }
    const std::string limit = base::RemoveCommas(base::Trim(customer.creditLimit()));
    if (!limit.empty() && !base::Decimal::Parse(limit))
        return Refuse("Credit Limit", "The CREDIT LIMIT amount has an invalid value.", "CLimit");
    return std::nullopt;
}

void NormaliseCustomer(records::CustomerRecord& customer, bool adding) {
    customer.setTaxExempt(base::Win1252Upper(customer.taxExempt()));
    const std::string limit = base::RemoveCommas(base::Trim(customer.creditLimit()));
    customer.setCreditLimit(limit.empty() ? "0.00" : limit);
    // The dialog's check boxes write "Y" or "N", never an empty field.
    customer.setNotesOnInvoices(customer.notesOnInvoices());
    customer.setNotesOnStatements(customer.notesOnStatements());
    customer.setCreditHold(customer.creditHold());
    if (!adding) return;
    for (auto set : {&records::CustomerRecord::setBalance, &records::CustomerRecord::setAging1,
                     &records::CustomerRecord::setAging2, &records::CustomerRecord::setAging3,
                     &records::CustomerRecord::setAging4}) {
        (customer.*set)("0.00");
    }
}

std::string NextCustomerNumber(std::string_view enteredNumber, std::string_view current) {
    const std::string next = std::to_string(base::LeadingNumber(enteredNumber) + 1);
    return static_cast<int>(next.size()) > kNumberSize ? std::string(current) : next;
}

}  // namespace customers

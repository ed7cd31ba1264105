#pragma once
// What the quick view ("Customer Data") shows of an invoice-file record and its customer, as
// texts: the type, the number with its kind, the date (with the next due date of a repeat master),
// the amounts, the printed and repeat markers and the customer's panel.

#include <optional>
#include <string>

#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceRecord.h"

namespace invoicing {

struct QuickViewCustomer {
    std::string name, number, balance, phone, lastPayment, lastInvoice;
    std::string aging[4];  // 00 - 30, 31 - 60, 61 - 90 and over 90 days
};

struct QuickViewValues {
    std::string type;    // "I - Regular Invoice", ...
    std::string number;  // "1001   (Product Invoice)"
    std::string date;    // a repeat master's adds a line " - Next Due: " and the next due date
    std::string total, paid, balance;
    std::string printed;  // "*Printed*", "E-Mailed: " and the date, or empty when not printed
    bool repeat = false;  // a repeat billing master
    std::optional<QuickViewCustomer> customer;  // nothing when the customer is not on file
};

QuickViewValues QuickViewOf(const records::InvoiceRecord& invoice,
                            const std::optional<records::CustomerRecord>& customer,
                            const records::CompanyRecord& company);

}  // namespace invoicing

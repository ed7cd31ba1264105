#pragma once
// What the Invoice Manager's list shows: the column header and the row of each invoice-file
// record, its display orders (keys of the invoice file), the company line with the receivables
// total above it, and the key range that limits it to one customer's records. Record text
// (Windows-1252) goes in and comes out unchanged.

#include <string>
#include <string_view>

#include "base/Decimal.h"
#include "records/CompanyRecord.h"
#include "records/InvoiceRecord.h"

namespace invoicing {

// The display orders, each the invoice-file key of that number.
enum class InvoiceOrder { ByNumber = 1, ByCustomer, ByDate, ByKeyCode, ByType, ByDatePaid };
inline constexpr InvoiceOrder kInvoiceOrders[] = {InvoiceOrder::ByNumber, InvoiceOrder::ByCustomer,
                                                  InvoiceOrder::ByDate,   InvoiceOrder::ByKeyCode,
                                                  InvoiceOrder::ByType,   InvoiceOrder::ByDatePaid};
inline constexpr int kCustomerKey = static_cast<int>(InvoiceOrder::ByCustomer);

// "Year/Mo/Dy", "T", "Invoice#", "Cust#", "Short Name", "Grand Total", "Amount Due",
// "Paid Amount", "Key Code", "Date Paid", "CO#" over their columns (10, 1, 9, 8, 10, 12, 12, 12,
// 8, 10, 5; amounts right-aligned), one blank apart, 128 characters in all.
std::string InvoiceBrowserHeader();
// A record whose total, balance due or paid text is empty is damaged: it shows "DELETE ME" as its
// number, "BAD RECORD" as its short name and zero amounts, so that it can be found and deleted.
std::string InvoiceBrowserRow(const records::InvoiceRecord& invoice);

// The paid amount shown for a record: for an invoice with partial payments (type Z) what its
// payments took off, total - balance due; the stored paid amount otherwise.
base::Decimal ShownPaid(const records::InvoiceRecord& invoice);

// "Acme Supply Co - #1" and "A/R: 1,234.50".
std::string CompanyTitle(const records::CompanyRecord& company);
std::string ReceivablesText(const records::CompanyRecord& company);

// The low and high key of invoice key 2 that admit exactly the records of one customer (trimmed
// number, as key 2 folds it).
struct KeyRange {
    std::string low;
    std::string high;
};
KeyRange CustomerRange(std::string_view customerNumber);

}  // namespace invoicing

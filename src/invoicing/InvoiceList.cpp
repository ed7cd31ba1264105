#include "invoicing/InvoiceList.h"

#include "base/Text.h"
#include "records/TransactionType.h"

namespace invoicing {
namespace {

constexpr int kRowWidth = 128;
constexpr int kAmountWidth = 12;

struct Columns {
    std::string_view date, type, number, customer, shortName, total, due, paid, keyCode, datePaid,
        company;
};

std::string Left(std::string_view text, int width) {
    return base::CutTo(base::PadRight(text, width), width);
}

std::string Right(std::string_view text, int width) {
    return base::CutTo(base::PadLeft(text, width), width);
}

std::string Row(const Columns& c) {
    const std::string row = Left(c.date, 10) + ' ' + Left(c.type, 1) + ' ' + Left(c.number, 9) +
                            ' ' + Left(c.customer, 8) + ' ' + Left(c.shortName, 10) + ' ' +
                            Right(c.total, kAmountWidth) + ' ' + Right(c.due, kAmountWidth) + ' ' +
                            Right(c.paid, kAmountWidth) + ' ' + Left(c.keyCode, 8) + ' ' +
                            Left(c.datePaid, 10) + ' ' + Left(c.company, 5);
    return base::PadRight(row, kRowWidth);
}

std::string Shown(base::Decimal amount) {
    return amount.Format(",0.00");
}

bool Damaged(const records::InvoiceRecord& invoice) {
    return base::Trim(invoice.total()).empty() || base::Trim(invoice.balanceDue()).empty() ||
           base::Trim(invoice.paid()).empty();
}

}  // namespace

std::string InvoiceBrowserHeader() {
    return Row({"Year/Mo/Dy", "T", "Invoice#", "Cust#", "Short Name", "Grand Total", "Amount Due",
                "Paid Amount", "Key Code", "Date Paid", "CO#"});
}

std::string InvoiceBrowserRow(const records::InvoiceRecord& invoice) {
    const bool damaged = Damaged(invoice);
    const std::string zero = Shown(base::Decimal());
    const std::string number = base::Trim(invoice.invoiceNumber());
    const std::string total = damaged ? zero : Shown(invoice.totalAmount());
    const std::string due = damaged ? zero : Shown(invoice.balanceDueAmount());
    const std::string paid = damaged ? zero : Shown(ShownPaid(invoice));
    return Row({invoice.sortDate(), invoice.typeCode(), damaged ? "DELETE ME" : number,
                invoice.customerNumber(), damaged ? "BAD RECORD" : invoice.shortName(), total, due,
                paid, invoice.keyCode(), invoice.datePaid(), invoice.companyCode()});
}

base::Decimal ShownPaid(const records::InvoiceRecord& invoice) {
    if (base::Trim(invoice.typeCode()) == records::type::kPartlyPaidInvoice)
        return invoice.totalAmount() - invoice.balanceDueAmount();
    return invoice.paidAmount();
}

std::string CompanyTitle(const records::CompanyRecord& company) {
    return company.name() + " - #" + company.code();
}

std::string ReceivablesText(const records::CompanyRecord& company) {
    return "A/R: " + Shown(company.receivablesTotalAmount());
}

KeyRange CustomerRange(std::string_view customerNumber) {
    records::InvoiceRecord wanted;
    wanted.setCustomerNumber(base::Trim(customerNumber));
    const std::string key = wanted.key(kCustomerKey);
    return {key, key};
}

}  // namespace invoicing

#include "receivables/PaymentRecords.h"

#include "base/Dates.h"
#include "base/Text.h"
#include "records/TransactionType.h"

namespace receivables {

using records::InvoiceRecord;

namespace {

constexpr char kPaidFlag[] = "P";
constexpr base::Decimal kZero;

// Customer, company, date and note of the posting, common to every record it writes.
void SetPostingFields(InvoiceRecord& record, const Payment& payment) {
    record.setCustomerNumber(payment.customerNumber);
    record.setShortName(payment.shortName);
    record.setCompanyCode(payment.companyCode);
    record.setDocumentDate(payment.dateText, payment.date);
    record.setStatementNote(payment.statementNote);
}

}  // namespace

bool IsOpenItem(const InvoiceRecord& record) {
    return base::Trim(record.paidFlag()) != kPaidFlag &&
           record.typeCode() != records::type::kRepeatMaster;
}

std::optional<std::string> DepositNumber(int32_t liveRecords, int32_t step) {
    constexpr size_t kNumberLength = 9;
    std::string number = "DP" + std::to_string(static_cast<int64_t>(liveRecords) + 1 + step);
    if (number.size() > kNumberLength) return std::nullopt;
    return number;
}

InvoiceRecord DepositRecord(const Payment& payment, base::Decimal amount, std::string_view number) {
    InvoiceRecord record;
    record.setInvoiceNumber(number);
    record.setTypeCode(records::type::kDeposit);
    record.setKeyCode("Deposit");
    SetPostingFields(record, payment);
    record.setForm(records::form::kDeposit);
    record.setNetAmount(kZero);
    record.setTaxAmount(kZero);
    record.setTotalAmount(kZero);
    record.setPaidAmount(amount);
    record.setBalanceDueAmount(-amount);
    record.setDatePaid(base::SortableDate(payment.date));
    return record;
}

InvoiceRecord PartialPaymentRecord(const Payment& payment, base::Decimal amount,
                                   const InvoiceRecord& invoice) {
    InvoiceRecord record;
    record.setInvoiceNumber(invoice.invoiceNumber());
    record.setTypeCode(records::type::kPartialPayment);
    record.setKeyCode("Partial");
    SetPostingFields(record, payment);
    record.setForm(invoice.form());
    record.setNetAmount(kZero);
    record.setTaxAmount(kZero);
    record.setTotalAmount(kZero);
    record.setPaidAmount(amount);
    record.setBalanceDueAmount(kZero);
    record.setDatePaid(base::SortableDate(payment.date));
    record.setPaidFlag(kPaidFlag);
    return record;
}

InvoiceRecord FullPaymentRecord(const Payment& payment, base::Decimal amount,
                                const InvoiceRecord& item, bool appliedDeposit) {
    InvoiceRecord record = item;
    record.setTypeCode(appliedDeposit ? records::type::kDepositTaken
                                      : records::type::kPartialPayment);
    record.setDocumentDate(payment.dateText, payment.date);
    record.setStatementNote(payment.statementNote);
    record.setTaxAmount(kZero);
    record.setTotalAmount(kZero);
    record.setPaidAmount(amount);
    record.setBalanceDueAmount(kZero);
    // An applied deposit keeps the date the deposit was paid.
    if (!appliedDeposit) record.setDatePaid(base::SortableDate(payment.date));
    record.setPaidFlag(kPaidFlag);
    return record;
}

void ApplyPartialPayment(InvoiceRecord& item, const Payment& payment, base::Decimal amount) {
    const base::Decimal balance = item.balanceDueAmount() - amount;
    item.setBalanceDueAmount(balance);
    item.setTypeCode(records::type::kPartlyPaidInvoice);
    if (balance.Rounded(2).IsZero()) {
        item.setPaidFlag(kPaidFlag);
        item.setDatePaid(base::SortableDate(payment.date));
    }
}

bool ApplyFullPayment(InvoiceRecord& item, const Payment& payment, base::Decimal amount) {
    const bool hadPaidAmount = !item.paidAmount().IsZero();
    item.setPaidFlag(kPaidFlag);
    item.setBalanceDueAmount(kZero);
    item.setDatePaid(base::SortableDate(payment.date));
    item.setStatementNote(payment.statementNote);
    if (!hadPaidAmount) item.setPaidAmount(amount);
    return hadPaidAmount;
}

}  // namespace receivables

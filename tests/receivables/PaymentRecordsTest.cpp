#include "receivables/PaymentRecords.h"

#include <gtest/gtest.h>

#include "records/TransactionType.h"

namespace {

using receivables::Payment;
using records::InvoiceRecord;

const Payment kPayment{"A12", "ACME", "3", "12/05/2026", {2026, 12, 5}, "Thank you"};

base::Decimal D(const char* text) {
    return *base::Decimal::Parse(text);
}

InvoiceRecord OpenInvoice(const char* total, const char* paid) {
    InvoiceRecord invoice;
    invoice.setInvoiceNumber("1042");
    invoice.setTypeCode(records::type::kRegularInvoice);
    invoice.setKeyCode("SALES");
    invoice.setCustomerNumber("A12");
    invoice.setForm(records::form::kProduct);
    invoice.setNet("90.00");
    invoice.setTotal(total);
    invoice.setPaid(paid);
    invoice.setBalanceDue(total);
    invoice.setDatePaid("2026/11/01");
    return invoice;
}

// The fields a posting sets, in the order of the expectations below, then the notes.
std::vector<std::string> Fields(const InvoiceRecord& r) {
    return {r.invoiceNumber(), r.typeCode(), r.keyCode(),  r.form(),     r.paid(), r.balanceDue(),
            r.total(),         r.sortDate(), r.datePaid(), r.paidFlag(), r.notes()};
}

TEST(PaymentRecords, DepositIsAnOpenCreditNumberedAfterTheLiveRecords) {
    const InvoiceRecord deposit = receivables::DepositRecord(kPayment, D("1,250.5"), "DP42");
    // Number, type, key code, form, paid, balance due, total, sort date, date paid, paid flag;
    // everything else stays zero: the notes field is never touched by posting.
    EXPECT_EQ(Fields(deposit),
              (std::vector<std::string>{"DP42", "D", "Deposit", "D", "1250.50", "-1250.50", "0.00",
                                        "2026/12/05", "2026/12/05", "", ""}));
    EXPECT_TRUE(receivables::IsOpenItem(deposit));
}

TEST(PaymentRecords, DepositNumbersStepUpAndStayWithinNineCharacters) {
    const struct {
        int32_t live, step;
        std::optional<std::string> number;
    } cases[] = {{41, 0, "DP42"}, {41, 3, "DP45"}, {9999998, 0, "DP9999999"}, {9999998, 1, {}}};
    for (const auto& c : cases)
        EXPECT_EQ(receivables::DepositNumber(c.live, c.step), c.number) << c.live << "+" << c.step;
}

TEST(PaymentRecords, PaymentRecordsAreSettledFromTheStart) {
    const InvoiceRecord invoice = OpenInvoice("100.00", "0.00");
    const InvoiceRecord partial = receivables::PartialPaymentRecord(kPayment, D("30"), invoice);
    EXPECT_EQ(Fields(partial),
              (std::vector<std::string>{"1042", "X", "Partial", "P", "30.00", "0.00", "0.00",
                                        "2026/12/05", "2026/12/05", "P", ""}));
    EXPECT_EQ(partial.net(), "0.00");
    EXPECT_FALSE(receivables::IsOpenItem(partial));

    const InvoiceRecord applied = receivables::FullPaymentRecord(kPayment, D("70"), invoice, true);
    EXPECT_EQ(applied.typeCode(), "T");
    EXPECT_EQ(applied.keyCode(), "SALES");
    EXPECT_EQ(applied.net(), "90.00");
    EXPECT_EQ(applied.total(), "0.00");
    EXPECT_EQ(applied.datePaid(), "2026/11/01");  // an applied deposit keeps its own paid date
    EXPECT_EQ(applied.statementNote(), "Thank you");
    EXPECT_FALSE(receivables::IsOpenItem(applied));
    EXPECT_EQ(receivables::FullPaymentRecord(kPayment, D("70"), invoice, false).datePaid(),
              "2026/12/05");

    InvoiceRecord master = OpenInvoice("10.00", "0.00");
    master.setTypeCode(records::type::kRepeatMaster);
    EXPECT_FALSE(receivables::IsOpenItem(master));
}

TEST(PaymentRecords, PartialPaymentsSettleTheItemOnlyAtExactlyZero) {
    InvoiceRecord invoice = OpenInvoice("100.00", "0.00");
    receivables::ApplyPartialPayment(invoice, kPayment, D("99.99"));
    EXPECT_EQ(invoice.balanceDue(), "0.01");
    EXPECT_EQ(invoice.typeCode(), "Z");
    EXPECT_TRUE(receivables::IsOpenItem(invoice));
    receivables::ApplyPartialPayment(invoice, kPayment, D("0.01"));
    EXPECT_EQ(invoice.balanceDue(), "0.00");
    EXPECT_FALSE(receivables::IsOpenItem(invoice));
    EXPECT_EQ(invoice.datePaid(), "2026/12/05");
}

TEST(PaymentRecords, FullPaymentNeedsARecordOnlyWhenTheItemWasPaidBefore) {
    InvoiceRecord unpaid = OpenInvoice("100.00", "0.00");
    EXPECT_FALSE(receivables::ApplyFullPayment(unpaid, kPayment, D("100")));
    EXPECT_EQ(unpaid.paid(), "100.00");
    EXPECT_EQ(unpaid.balanceDue(), "0.00");
    EXPECT_EQ(unpaid.paidFlag(), "P");

    InvoiceRecord partlyPaid = OpenInvoice("100.00", "30.00");
    EXPECT_TRUE(receivables::ApplyFullPayment(partlyPaid, kPayment, D("70")));
    EXPECT_EQ(partlyPaid.paid(), "30.00");
    EXPECT_EQ(partlyPaid.statementNote(), "Thank you");
}

}  // namespace

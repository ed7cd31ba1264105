#include "receivables/PaymentSheet.h"

#include <gtest/gtest.h>

namespace receivables {
namespace {

base::Decimal D(const char* text) {
    return *base::Decimal::Parse(text);
}

PaymentLine Open(int32_t record, const char* number, const char* amount, bool partlyPaid = false) {
    return {LineKind::Item, record, number, "12/01/26", D(amount), partlyPaid};
}

// Invoices 1001 (100.00), 1002 (50.00, partly paid before) and a credit 1003 (-20.00).
PaymentSheet Sheet() {
    return PaymentSheet(
        {Open(3, "1003", "-20"), Open(1, "1001", "100"), Open(2, "1002", "50", true)}, D("130"));
}

TEST(PaymentSheet, AmountsAreWholeDecimalsOfAtMostTwoPlaces) {
    const struct {
        const char* text;
        std::optional<base::Decimal> amount;
    } cases[] = {
        {"12", D("12")}, {" 7.25 ", D("7.25")}, {"12.5", D("12.5")}, {"-3", D("-3")}, {"1.2.3", {}},
        {"5.x", {}},     {"1.234", {}},         {"1,000", {}},       {"", {}},        {".", {}}};
    for (const auto& c : cases) EXPECT_EQ(ReadPaymentAmount(c.text), c.amount) << c.text;
}

TEST(PaymentSheet, LinesShowFixedColumnsAndWidenForLongAmounts) {
    PaymentSheet sheet = Sheet();
    EXPECT_EQ(sheet.Text(sheet.left()[0]), "1001      12/01/26       100.00");
    EXPECT_EQ(sheet.Text(sheet.left()[1]), "1002      12/01/26        50.00P");
    ASSERT_FALSE(sheet.AddDeposit("1234567890.12", "12/06/26"));
    EXPECT_EQ(sheet.amountWidth(), 16);
    EXPECT_EQ(sheet.Text(sheet.right()[0]), "DEPOSIT   12/06/26 1,234,567,890.12");
    EXPECT_EQ(sheet.right()[0].amount, D("1234567890.12"));
    EXPECT_EQ(LineDateOf("2026/12/06", "Y"), "26/12/06");
    EXPECT_EQ(LineDateOf("06/12/2026", "D"), "06/12/26");
    EXPECT_EQ(LineDate("12", "06", "2026", "D"), "06/12/26");
}

TEST(PaymentSheet, DialogAmountsAreChecked) {
    const PaymentNotice notAboveZero{"Payment Amount",
                                     "The payment amount must be greater than zero."};
    const PaymentNotice notBelowDue{"Partial Payment Amount",
                                    "The partial payment amount must be less than amount due."};
    const PaymentNotice notNumeric{"Payment Amount", "The payment amount must be a numeric value."};
    const PaymentNotice noItem{"Payment Wizard", "Select an invoice with an amount due first."};
    const struct {
        int row;
        const char* amount;
        std::optional<PaymentNotice> refusal;
    } cases[] = {{0, "30", {}},
                 {0, "99.99", {}},
                 {0, "100", notBelowDue},
                 {0, "1,000", notBelowDue},
                 {0, "0", notAboveZero},
                 {0, "5.x", notNumeric},
                 {0, "1.2.3", notNumeric},
                 {2, "5", noItem},
                 {-1, "5", noItem}};
    for (const auto& c : cases) {
        PaymentSheet sheet = Sheet();
        const auto refusal = sheet.PayPartly(c.row, c.amount);
        EXPECT_EQ(refusal, c.refusal) << c.row << " " << c.amount;
        EXPECT_EQ(sheet.right().size(), refusal ? 0u : 1u);
    }
    PaymentSheet sheet = Sheet();
    EXPECT_EQ(sheet.AddDeposit("0", "12/06/26"), notAboveZero);
    EXPECT_FALSE(sheet.AddDeposit("250", "12/06/26"));  // a deposit has no amount due
    EXPECT_FALSE(sheet.MayPayPartly(2));                // a credit
    EXPECT_FALSE(PaymentSheet().MayPayPartly(0));
}

TEST(PaymentSheet, AnItemIsNeverBothOnTheLeftAndPaidInFull) {
    PaymentSheet sheet = Sheet();
    ASSERT_FALSE(sheet.PayPartly(0, "30"));
    EXPECT_EQ(sheet.left()[0].amount, D("70"));
    ASSERT_FALSE(sheet.MoveRight({0}));
    ASSERT_FALSE(sheet.MoveLeft({0}));  // the partial line joins nothing: the rest is on the right
    ASSERT_FALSE(sheet.MoveAllLeft());  // the rest joins it
    EXPECT_EQ(sheet.left(), Sheet().left());
    EXPECT_TRUE(sheet.right().empty());
    EXPECT_EQ(sheet.MoveLeft({0}),
              (PaymentNotice{"Payment Wizard", "There are no records to move to the left box."}));
    ASSERT_FALSE(sheet.MoveAllRight());
    EXPECT_EQ(
        sheet.MoveRight({0}),
        (PaymentNotice{"Payment Wizard", "There are no records to move to the right (post) box."}));
}

TEST(PaymentSheet, OnlyTheTotalsDecideWhetherPostIsAllowed) {
    const struct {
        const char* received;
        std::vector<int> moved;
        std::optional<std::string> notice;
        size_t right;
        bool allowed;
    } cases[] = {
        {"130.00", {}, {}, 3, true},  // the customer's balance moves every item
        {"130", {}, {}, 3, true},
        {"100", {}, {}, 0, false},
        {"100", {0}, {}, 1, true},
        {"80", {0, 1}, {}, 2, true},  // the invoice, then the credit
        {"-5", {}, "You should not enter a negative number", 0, false},
        {"5.x", {}, "The payment amount must be a numeric value.", 0, false},
        {"", {1}, {}, 1, false},
        {".", {1}, {}, 1, false},  // the start of ".50"
    };
    for (const auto& c : cases) {
        PaymentSheet sheet = Sheet();
        for (int row : c.moved) ASSERT_FALSE(sheet.MoveRight({row}));
        const auto notice = sheet.SetAmountReceived(c.received);
        EXPECT_EQ(notice ? std::optional(notice->text.substr(0, 38)) : std::nullopt,
                  c.notice ? std::optional(std::string(*c.notice).substr(0, 38)) : std::nullopt)
            << c.received;
        EXPECT_EQ(sheet.right().size(), c.right) << c.received;
        EXPECT_EQ(sheet.PostAllowed(), c.allowed) << c.received;
    }
    // With nothing left to move the amount equal to the balance moves nothing.
    PaymentSheet empty({}, D("130"));
    EXPECT_FALSE(empty.SetAmountReceived("130"));
    EXPECT_FALSE(empty.PostAllowed());
    // The window's "0.00" clears an invoice against its credit without moving anything by itself.
    PaymentSheet offsetting({Open(1, "1001", "20"), Open(3, "1003", "-20")}, D("0"), "0.00");
    EXPECT_TRUE(offsetting.right().empty());
    ASSERT_FALSE(offsetting.MoveAllRight());
    EXPECT_TRUE(offsetting.PostAllowed());
}

}  // namespace
}  // namespace receivables

// The Payment Wizard's commands on real files: customer A1 owes two items (100.00 and 50.00),
// Z0 owes nothing; the amount dialog is a lambda that answers with a scripted amount.
#include "receivables/PaymentWindowFlow.h"

#include "base/Text.h"
#include "receivables/ReceivablesFixture.h"

namespace receivables::testing {
namespace {

class PaymentWindowFlowTest : public ReceivablesFixture {
protected:
    PaymentWindowFlowTest() {
        state.currentCompany.setDateFormat("M");
        AddCustomers({Customer("A1", "150.00"), Customer("Z0", "0.00")});
        AddItems({Item("A1", 1, "100.00"), Item("A1", 2, "50.00")});
        flow.Start();
    }

    static records::CustomerRecord Customer(const char* number, const char* balance) {
        records::CustomerRecord customer = testsupport::SampleCustomer(number, number);
        customer.setBalance(balance);
        customer.setAging1(balance);
        return customer;
    }

    CustomerChoice Select(const char* number) {
        for (const auto& c : StoredCustomers())
            if (base::Trim(c.number()) == number) return flow.SelectCustomer(c);
        ADD_FAILURE() << number;
        return CustomerChoice::Unchanged;
    }

    // What the amount dialog was asked, and the amount it answers with.
    std::vector<std::string> asked;
    std::string answer;
    PaymentWindowFlow flow{
        {engine, prompts, state, clock},
        [this](const std::string& caption, const std::string& item, const AmountCheck& check) {
            asked.push_back(caption + " | " + item);
            return !check(answer);
        }};
};

TEST_F(PaymentWindowFlowTest, StartShowsTheCompanyAndTodayInItsDateOrder) {
    const struct {
        const char* format;
        bool yearFirst;
        const char* today;
    } cases[] = {{"M", false, "12/06/2026"}, {"D", false, "06/12/2026"}, {"Y", true, "2026/12/06"}};
    for (const auto& c : cases) {
        state.currentCompany.setDateFormat(c.format);
        const PaymentForm form = flow.Start();
        EXPECT_EQ(form.caption, "Payment Wizard - " + base::Trim(state.currentCompany.name()));
        EXPECT_EQ(form.yearFirstDate, c.yearFirst) << c.format;
        EXPECT_EQ(form.date, c.today) << c.format;
        EXPECT_EQ(form.amount, "0.00");
        EXPECT_FALSE(flow.customer());
        EXPECT_TRUE(flow.sheet().left().empty());
    }
}

TEST_F(PaymentWindowFlowTest, ChoosingACustomerReadsItsOpenItems) {
    EXPECT_EQ(flow.SelectCustomer(std::nullopt), CustomerChoice::Unchanged);
    EXPECT_EQ(flow.SelectCustomer(records::CustomerRecord{}), CustomerChoice::Unchanged);
    EXPECT_FALSE(flow.customer());

    EXPECT_EQ(Select("A1"), CustomerChoice::Chosen);
    EXPECT_EQ(base::Trim(flow.customer()->number()), "A1");
    EXPECT_EQ(flow.sheet().left().size(), 2u);
    EXPECT_EQ(flow.sheet().amountReceived(), "0.00");

    prompts.ExpectInform("Please Note", kNoBalanceDueText);
    EXPECT_EQ(Select("Z0"), CustomerChoice::Chosen);
    EXPECT_TRUE(flow.sheet().left().empty());
}

TEST_F(PaymentWindowFlowTest, RefusedMovesAreShown) {
    using Move = bool (*)(PaymentWindowFlow&);
    const struct {
        Move move;
        const char* text;
    } cases[] = {
        {[](PaymentWindowFlow& f) { return f.Include({0}); },
         "There are no records to move to the right (post) box."},
        {[](PaymentWindowFlow& f) { return f.IncludeAll(); },
         "There are no records to move to the right (post) box."},
        {[](PaymentWindowFlow& f) { return f.Exclude({0}); },
         "There are no records to move to the left box."},
        {[](PaymentWindowFlow& f) { return f.ExcludeAll(); },
         "There are no records to move to the left box."},
    };
    for (const auto& c : cases) {
        prompts.ExpectInform("Payment Wizard", c.text);
        EXPECT_FALSE(c.move(flow)) << c.text;
    }
    ASSERT_EQ(Select("A1"), CustomerChoice::Chosen);
    EXPECT_TRUE(flow.Include({1}));
    EXPECT_EQ(flow.sheet().right().size(), 1u);
    EXPECT_TRUE(flow.ExcludeAll());
    EXPECT_EQ(flow.sheet().left().size(), 2u);
}

TEST_F(PaymentWindowFlowTest, TypedAmountsReachTheSheet) {
    ASSERT_EQ(Select("A1"), CustomerChoice::Chosen);
    prompts.ExpectWarn("Invalid Payment Amount", "The payment amount must be a numeric value.");
    const struct {
        const char* typed;
        bool refused;
        bool leftChanged;
    } cases[] = {{"5.x", true, false}, {"49.99", false, false}, {"150.00", false, true}};
    for (const auto& c : cases) {
        const AmountVerdict verdict = flow.ChangeAmount(c.typed);
        EXPECT_EQ(verdict.refused, c.refused) << c.typed;
        EXPECT_EQ(verdict.leftChanged, c.leftChanged) << c.typed;
    }
    EXPECT_TRUE(flow.sheet().PostAllowed());
}

TEST_F(PaymentWindowFlowTest, TheAmountDialogPaysPartlyOrAddsADeposit) {
    ASSERT_EQ(Select("A1"), CustomerChoice::Chosen);
    EXPECT_FALSE(flow.PartialPayment(5));  // no such row: the dialog is not shown
    EXPECT_TRUE(asked.empty());

    answer = "30";
    const PaymentLine first = flow.sheet().left()[0];
    EXPECT_TRUE(flow.PartialPayment(0));
    answer = "25";
    EXPECT_TRUE(flow.DepositOnAccount("12/06/2026"));
    answer = "0";
    EXPECT_FALSE(flow.DepositOnAccount("12/06/2026"));
    EXPECT_EQ(asked,
              (std::vector<std::string>{
                  "Partial Payment | Invoice: " + first.invoiceNumber + "   Date: " + first.date,
                  "Deposit on Account | Invoice: DEPOSIT     Date: 12/06/2026",
                  "Deposit on Account | Invoice: DEPOSIT     Date: 12/06/2026"}));
    ASSERT_EQ(flow.sheet().right().size(), 2u);
    EXPECT_EQ(flow.sheet().right()[0].kind, LineKind::Partial);
    EXPECT_EQ(flow.sheet().right()[1].kind, LineKind::Deposit);
    EXPECT_EQ(flow.sheet().right()[1].date, "12/06/26");
}

TEST_F(PaymentWindowFlowTest, PostNeedsACustomerAndAGoodDate) {
    EXPECT_EQ(flow.Post("12/06/2026", "").posted, std::nullopt);  // nobody chosen: nothing asked

    ASSERT_EQ(Select("A1"), CustomerChoice::Chosen);
    EXPECT_FALSE(flow.ChangeAmount("150.00").refused);
    prompts.ExpectWarn("Payment Date",
                       "You have an invalid payment date. You can clear the date and then select "
                       "the calendar button.");
    const PostVerdict refused = flow.Post("02/30/2026", "Thanks");
    EXPECT_FALSE(refused.posted);
    EXPECT_TRUE(refused.badDate);
    EXPECT_EQ(flow.sheet().right().size(), 2u);  // nothing typed or moved is lost

    const PostVerdict posted = flow.Post("12/06/2026", "Thanks");
    ASSERT_TRUE(posted.posted);
    EXPECT_FALSE(posted.badDate);
    EXPECT_EQ(posted.posted->balance, base::Decimal());
    EXPECT_EQ(Owed(0)[0], "0.00");
}

}  // namespace
}  // namespace receivables::testing

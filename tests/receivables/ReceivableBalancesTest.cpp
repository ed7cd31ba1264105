// The incremental move of an open amount through the customer and company files.
#include "receivables/ReceivableBalances.h"

#include <functional>

#include "receivables/ReceivablesFixture.h"

namespace receivables::testing {
namespace {

class ReceivableBalancesTest : public ReceivablesFixture {
protected:
    ReceivableBalancesTest() {
        records::CustomerRecord customer = testsupport::SampleCustomer("A1", "Ames Hardware");
        customer.setBalance("100.00");
        customer.setAging2("100.00");
        AddCustomers({customer, testsupport::SampleCustomer("A10", "Ames Ten")});
    }

    bool Adjust(std::string_view number, const char* amount, long daysOld) {
        return AdjustReceivable(engine, prompts, state, clock, number, D(amount),
                                base::AddDays(kToday, -daysOld));
    }
};

TEST_F(ReceivableBalancesTest, TheAmountGoesToTheCategoryOfTheItemsAge) {
    struct Case {
        long daysOld;
        const char* amount;
        std::vector<std::string> customer;  // balance, categories 1..4
        const char* companyTotal;
    };
    const Case cases[] = {
        {0, "25.50", {"125.50", "25.50", "100.00", "0.00", "0.00"}, "26.50"},
        {45, "-100.00", {"25.50", "25.50", "0.00", "0.00", "0.00"}, "-73.50"},
        {91, "10.00", {"35.50", "25.50", "0.00", "0.00", "10.00"}, "-63.50"},
        {-3, "-25.50", {"10.00", "0.00", "0.00", "0.00", "10.00"}, "-89.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.daysOld);
        ASSERT_TRUE(Adjust("a1 ", c.amount, c.daysOld));
        EXPECT_EQ(Owed(0), c.customer);
        EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), c.companyTotal);
        EXPECT_EQ(state.currentCompany.receivablesTotal(), c.companyTotal);
    }
    EXPECT_EQ(StoredCustomers()[1].balance(), "0.00");
}

TEST_F(ReceivableBalancesTest, AStepThatFailsChangesNothing) {
    const std::vector<std::string> before = Owed(0);
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const char* number;
        const char* amount;
        std::string message;
    };
    const Case cases[] = {
        {"unknown customer", [] {}, "A", "5.00", "Customer A is not on file."},
        {"amount too wide", [] {}, "A1", "99999999.00",
         "The balance of customer A1 would not fit its field."},
        {"company file not written",
         [this] {
             files.FailWrite(1, engine::FaultInjectingFileSystem::Repeat::FromThenOn,
                             engine::FaultInjectingFileSystem::Kind::Error, "Company.DAT");
         },
         "A1", "5.00", "The receivables of company 1 could not be written to the company file."},
        {"bad aging days", [this] { state.currentCompany.setAgingDays3(""); }, "A1", "5.00",
         kBadAgingDaysText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        prompts.ExpectMessage(kAgingCaption, c.message, base::PromptAnswer::Ok,
                              base::PromptIcon::Error);
        EXPECT_FALSE(Adjust(c.number, c.amount, 10));
        files.Clear();
        EXPECT_EQ(Owed(0), before);
        EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), "1.00");
        EXPECT_EQ(state.currentCompany.receivablesTotal(), "1.00");
    }
}

}  // namespace
}  // namespace receivables::testing

// The ledger repair: a step that cannot be carried out leaves the company's total as it was.

#include "receivables/Ledger.h"

#include <functional>

#include "ReceivablesFixture.h"

namespace receivables::testing {
namespace {

using LedgerRepairTest = ReceivablesFixture;

TEST_F(LedgerRepairTest, ARepairThatCannotBeWrittenLeavesTheTotal) {
    records::CustomerRecord a1 = testsupport::SampleCustomer("A1", "Ames Hardware");
    a1.setBalance("5.00");
    a1.setAging1("5.00");
    AddCustomers({a1});
    AddItems({Item("A1", 3, "9999999.99"), Item("A1", 4, "9999999.99")});
    struct Case {
        const char* name;
        std::function<void()> betweenPlanAndWrite;
        std::string message;
    };
    const Case cases[] = {
        {"amount too wide", [] {}, "The balance of customer A1 does not fit its field."},
        {"customer changed since the plan",
         [this] {
             const records::CustomerRecord stored = StoredCustomers()[0];
             records::CustomerRecord changed = stored;
             changed.setBalance("6.00");
             engine::RecordFile<records::CustomerRecord> file(
                 engine, File(records::RecordKind::Customer), prompts);
             ASSERT_TRUE(file.Open());
             EXPECT_EQ(file.Update(1, changed, stored), engine::UpdateOutcome::Written);
             EXPECT_TRUE(file.Close());
         },
         "Customer A1 has changed since the balances were checked. Check them again."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto plan = PlanLedgerRepair(engine, prompts, state, clock);
        ASSERT_TRUE(plan.has_value());
        ASSERT_EQ(plan->customers.size(), 1U);
        EXPECT_EQ(plan->totalAfter, D("19999999.98"));
        c.betweenPlanAndWrite();
        prompts.ExpectMessage("Ledger", c.message, base::PromptAnswer::Ok, base::PromptIcon::Error);
        EXPECT_FALSE(ApplyLedgerRepair(engine, prompts, state, *plan));
        prompts.Verify();
        EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), "1.00");
        EXPECT_EQ(state.currentCompany.receivablesTotal(), "1.00");
    }
}

TEST_F(LedgerRepairTest, BadAgingDaysPlanNothing) {
    state.currentCompany.setAgingDays2("");
    prompts.ExpectMessage("Ledger", kBadAgingDaysText, base::PromptAnswer::Ok,
                          base::PromptIcon::Error);
    EXPECT_FALSE(PlanLedgerRepair(engine, prompts, state, clock).has_value());
}

}  // namespace
}  // namespace receivables::testing

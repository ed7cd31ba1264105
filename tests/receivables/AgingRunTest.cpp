// The company-wide aging run over real customer, invoice and company files.
#include "receivables/AgingRun.h"

#include <fstream>
#include <iterator>

#include "engine/ByteOrder.h"
#include "engine/Format.h"
#include "receivables/OpenItems.h"
#include "receivables/ReceivableBalances.h"
#include "receivables/ReceivablesFixture.h"

namespace receivables::testing {
namespace {

constexpr char kRunDate[] = "12/06/2026";

class AgingRunTest : public ReceivablesFixture {
protected:
    // A1 owes items on both sides of every limit; A10 (a number A1 is a prefix of) has a credit
    // older than the last limit that cancels its debt; B2's balance reads "0.00" but it holds a
    // stale aging of 100.00 and an open item; C3 has no short name and nothing open. A1's balance
    // and A10's first category are out of date, which is what sends the run to them.
    AgingRunTest() {
        records::CustomerRecord owing = testsupport::SampleCustomer("A1", "Ames Hardware");
        owing.setBalance("300.00");
        records::CustomerRecord credited = testsupport::SampleCustomer("A10", "Ames Ten");
        credited.setAging1("12.50");
        records::CustomerRecord stale = testsupport::SampleCustomer("B2", "Birch Books");
        stale.setAging1("100.00");
        records::CustomerRecord unnamed = testsupport::SampleCustomer("C3", "Cedar Cafe");
        unnamed.setShortName("");
        AddCustomers({owing, credited, stale, unnamed});
        records::InvoiceRecord settled = Item("A1", 200, "0.00", records::type::kPartialPayment);
        settled.setPaidFlag("P");
        AddItems({Item("A1", 0, "10.00"), Item("a1", 30, "20.00"), Item("A1", 31, "40.00"),
                  Item("A1", 90, "80.00"), Item("A1", 91, "160.00"), Item("A1", -5, "1.00"),
                  settled, Item("A10", 10, "100.00"), Item("A10", 120, "-100.00"),
                  Item("B2", 5, "50.00")});
    }

    std::string StoredAgingDate() { return testsupport::StoredCompany("1")->lastAgingDate(); }

    AgingRunResult Run(bool forceChart) {
        return CalculateAging(engine, prompts, state, clock, forceChart);
    }
};

TEST_F(AgingRunTest, EachCustomerGetsItsOpenAmountsSortedByAge) {
    const AgingRunResult result = Run(false);
    ASSERT_TRUE(result.completed);
    // Number, short name, balance and the four categories of each customer.
    std::vector<std::vector<std::string>> aged;
    for (const records::CustomerRecord& c : StoredCustomers())
        aged.push_back({c.number(), c.shortName(), c.balance(), c.aging1(), c.aging2(), c.aging3(),
                        c.aging4()});
    EXPECT_EQ(aged, (std::vector<std::vector<std::string>>{
                        {"A1", "AMES HARDW", "311.00", "31.00", "40.00", "80.00", "160.00"},
                        {"A10", "AMES TEN", "0.00", "100.00", "0.00", "0.00", "-100.00"},
                        {"B2", "BIRCH BOOK", "50.00", "50.00", "0.00", "0.00", "0.00"},
                        {"C3", "*NONE*", "0.00", "0.00", "0.00", "0.00", "0.00"}}));
}

TEST_F(AgingRunTest, TheCompanyTotalAndAgingDateGoToTheCompanyFileLastCompanyAndState) {
    const AgingRunResult result = Run(false);
    ASSERT_TRUE(result.completed);
    EXPECT_EQ(result.sums.categories,
              (AgingSums{{D("181"), D("40"), D("80"), D("60")}}.categories));
    EXPECT_EQ(result.total, D("361"));
    for (const records::CompanyRecord& company :
         {*testsupport::StoredCompany("1"), LastCompany(), state.currentCompany}) {
        EXPECT_EQ(company.lastAgingDate(), kRunDate);
    }
    EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), "361.00");
    EXPECT_EQ(state.currentCompany.receivablesTotal(), "361.00");
    EXPECT_FALSE(state.AgingDue());
}

TEST_F(AgingRunTest, TheChartIsShownWhenAskedForOrWhenTheCompanyWantsIt) {
    struct Case {
        bool forceChart, companyOption, shown;
    };
    for (const Case c : {Case{false, false, false}, Case{false, true, true},
                         Case{true, false, true}, Case{true, true, true}}) {
        SCOPED_TRACE(::testing::Message() << c.forceChart << c.companyOption);
        state.currentCompany.setShowAgingChart(c.companyOption);
        EXPECT_EQ(Run(c.forceChart).showChart, c.shown);
    }
}

TEST_F(AgingRunTest, AZeroCompanyTotalStillWalksTheCustomers) {
    state.currentCompany.setReceivablesTotal("0.00");
    const AgingRunResult daily = Run(false);
    EXPECT_TRUE(daily.ran);
    EXPECT_EQ(daily.total, D("361"));
    EXPECT_EQ(StoredCustomers()[0].balance(), "311.00");
    EXPECT_EQ(StoredAgingDate(), kRunDate);
}

TEST_F(AgingRunTest, LimitsThatDoNotIncreaseOrAreEmptyStopTheRunBeforeAnythingChanges) {
    const std::string before = StoredAgingDate();
    for (const auto& [l1, l2, l3] : {std::tuple{"60", "30", "90"}, std::tuple{"30", "30", "90"},
                                     std::tuple{"abc", "60", "90"}, std::tuple{"30", " ", "90"}}) {
        SCOPED_TRACE(std::string(l1) + "/" + l2 + "/" + l3);
        state.currentCompany.setAgingDays1(l1);
        state.currentCompany.setAgingDays2(l2);
        state.currentCompany.setAgingDays3(l3);
        prompts.ExpectMessage(kAgingCaption, kBadAgingDaysText, base::PromptAnswer::Ok,
                              base::PromptIcon::Error);
        EXPECT_FALSE(Run(true).ran);
    }
    EXPECT_EQ(StoredCustomers()[0].balance(), "300.00");
    EXPECT_EQ(StoredAgingDate(), before);
}

TEST_F(AgingRunTest, ACreditBalanceIsSavedButNeverCharted) {
    AddItems({Item("C3", 10, "-500.00", records::type::kDeposit)});
    prompts.ExpectInform("Aging Chart",
                         "Your Accounts Receivable is a credit balance. Unable to display Aging "
                         "Chart. Run your Accounts Receivable Report (Report Wizard) instead.");
    const AgingRunResult result = Run(true);
    EXPECT_EQ(result.total, D("-139"));
    EXPECT_FALSE(result.showChart);
    EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), "-139.00");
}

TEST_F(AgingRunTest, TheRecomputationForPaymentsSumsOneCustomerAndWritesNothing) {
    const AgingBasis basis{{30, 60, 90}, clock.Now(), base::DateOrder::MonthFirst};
    struct Case {
        const char* number;
        AgingSums sums;
    };
    for (const Case& c : {Case{"a1 ", {{D("31"), D("40"), D("80"), D("160")}}},
                          Case{"A10", {{D("100"), {}, {}, D("-100")}}},
                          Case{"B2", {{D("50"), {}, {}, {}}}}, Case{"Z9", {}}}) {
        SCOPED_TRACE(c.number);
        const auto sums = RecomputeCustomerAging(engine, prompts, "1", c.number, basis);
        ASSERT_TRUE(sums);
        EXPECT_EQ(sums->categories, c.sums.categories);
    }
    EXPECT_EQ(StoredCustomers()[0].balance(), "300.00");
}

// Raises the item count of the root page of invoice key 2 above what a page holds. Each key's
// header sits in row 0 where its pages sit in the later rows.
void DamageCustomerKey(const std::string& indexFile) {
    std::ifstream in(indexFile, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    in.close();
    std::vector<int64_t> rowOffsets;
    int64_t rowSize = 0;
    for (int key = 1; key <= 6; ++key) {
        rowOffsets.push_back(rowSize);
        rowSize += engine::LoadI32(&bytes.at(rowSize + engine::kKeyPageSizeOffset));
    }
    const int64_t root = engine::LoadI32(&bytes.at(rowOffsets[1] + engine::kKeyRootOffset));
    bytes.at(root * rowSize + rowOffsets[1]) = engine::kPageCapacity + 1;
    std::ofstream(indexFile, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

TEST_F(AgingRunTest, ADamagedInvoiceIndexStopsTheRunInsteadOfStoringShortSums) {
    DamageCustomerKey("1I.IX");
    prompts.ExpectMessage(kAgingCaption, UnreadableItemsText("A1", 10180), base::PromptAnswer::Ok,
                          base::PromptIcon::Error);
    const AgingRunResult result = Run(false);
    EXPECT_FALSE(result.completed);
    EXPECT_EQ(StoredCustomers()[0].balance(), "300.00");
    EXPECT_EQ(result.total, base::Decimal());
}

}  // namespace
}  // namespace receivables::testing

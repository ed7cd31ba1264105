// The rows of a statement: which records, in which order, with which texts and sums.
#include <gtest/gtest.h>

#include "statements/StatementFixture.h"

namespace statements::testing {
namespace {

using Cells = std::vector<StatementCells>;

Cells AllCells(const Statement& s) {
    Cells cells;
    for (const StatementRow& row : s.rows) cells.push_back(CellsOf(row));
    cells.push_back(TotalsCells(s));
    return cells;
}

class StatementTest : public StatementFixture {
protected:
    // Every kind of record of customer A1, entered out of date order, and one of A10 (whose
    // number starts like A1's).
    void AddEveryKind() {
        AddItems({
            Item("A1", "1003", "Z", "2026/11/20", "100.00", "0.00", "40.00"),
            Item("A1", "1003", "X", "2026/11/25", "0.00", "60.00", "0.00"),
            Item("A1", "1001", "I", "2026/10/01", "1250.00", "0.00", "1250.00", "PO 4471"),
            Item("A1", "DP1", "D", "2026/12/01", "0.00", "50.00", "-50.00"),
            Item("A1", "1002", "I", "2026/10/15", "80.00", "80.00", "0.00"),
            Item("A1", "1100", "R", "2026/09/01", "35.00", "0.00", "35.00"),
            Item("A10", "1004", "I", "2026/10/02", "10.00", "0.00", "10.00"),
        });
    }
};

TEST_F(StatementTest, AllActivityListsEveryRecordOfTheCustomerInDateOrder) {
    AddEveryKind();
    const auto s = Load("a1", false);
    ASSERT_TRUE(s);
    EXPECT_EQ(AllCells(*s),
              (Cells{
                  {"2026/09/01", "1100", "Repeat Master", "35.00", "0.00", "35.00", "R"},
                  {"2026/10/01", "1001", "PO 4471", "1,250.00", "0.00", "1,250.00", "I"},
                  {"2026/10/15", "1002", "Invoice", "80.00", "80.00", "0.00", "I"},
                  {"2026/11/20", "1003", "Partial Payment Invoice", "100.00", "0.00", "40.00", "Z"},
                  {"2026/11/25", "1003", "Partial Payment Made", "0.00", "60.00", "0.00", "X"},
                  {"2026/12/01", "DP1", "Deposit on Account", "0.00", "50.00", "-50.00", "D"},
                  {"", "", "*** Account Totals:", "1,465.00", "190.00", "1,275.00", ""},
              }));
    EXPECT_EQ(SelectedText(*s), "There are 6 records selected.");
}

// Unpaid only: no repeat master, nothing fully paid; the partly paid invoice shows what its
// total lacks of its balance as paid; an unapplied deposit stays with its negative balance.
TEST_F(StatementTest, UnpaidOnlyLeavesOutMastersAndSettledRecords) {
    AddEveryKind();
    const auto s = Load("A1", true);
    ASSERT_TRUE(s);
    EXPECT_EQ(
        AllCells(*s),
        (Cells{
            {"2026/10/01", "1001", "PO 4471", "1,250.00", "0.00", "1,250.00", "I"},
            {"2026/11/20", "1003", "Partial Payment Invoice", "100.00", "60.00", "40.00", "Z"},
            {"2026/12/01", "DP1", "Deposit on Account", "0.00", "50.00", "-50.00", "D"},
            {"", "", "*** Account Totals:", "1,350.00", "110.00", "1,240.00", ""},
        }));
}

TEST_F(StatementTest, OnlyPaidRecordsShowUnderAllActivityAndNothingUnpaid) {
    AddItems({Item("B2", "2001", "I", "2026/10/01", "10.00", "10.00", "0.00"),
              Item("B2", "2002", "G", "2026/10/05", "20.00", "20.00", "0.00")});
    struct Case {
        bool unpaidOnly;
        size_t rows;
    };
    for (const Case& c : {Case{false, 2}, Case{true, 0}}) {
        const auto s = Load("B2", c.unpaidOnly);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->rows.size(), c.rows) << c.unpaidOnly;
        EXPECT_EQ(s->HasActivity(), c.rows > 0);
    }
}

// Equal dates go by the number's text: "1000" before "999".
TEST_F(StatementTest, EqualDatesAreOrderedByNumberText) {
    AddItems({Item("B2", "999", "I", "2026/10/01", "1.00", "0.00", "1.00"),
              Item("B2", "1000", "I", "2026/10/01", "2.00", "0.00", "2.00"),
              Item("B2", "998", "I", "2026/09/30", "3.00", "0.00", "3.00")});
    const auto s = Load("B2", false);
    ASSERT_TRUE(s);
    std::vector<std::string> numbers;
    for (const StatementRow& row : s->rows) numbers.push_back(row.number);
    EXPECT_EQ(numbers, (std::vector<std::string>{"998", "1000", "999"}));
}

TEST_F(StatementTest, ACustomerNoLongerOnFileIsNamedNeverReplacedByTheNext) {
    StatementFiles files(engine, prompts, Customers(), "1");
    ASSERT_TRUE(files.Open());
    std::string failure;
    EXPECT_FALSE(files.Load("A2", false, failure));
    EXPECT_EQ(failure, "Customer A2 is not on file.");
}

TEST(StatementTypes, EachTypeHasItsDescription) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"I", "Invoice"},
        {"X", "Partial Payment Made"},
        {"Z", "Partial Payment Invoice"},
        {"D", "Deposit on Account"},
        {"T", "Deposit Offset Applied"},
        {"G", "Repeat Billing"},
        {"R", "Repeat Master"},
        {"Q", "Q"}};
    for (const auto& [code, description] : cases) EXPECT_EQ(TypeDescription(code), description);
}

}  // namespace
}  // namespace statements::testing

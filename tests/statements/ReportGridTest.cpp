// Regrouping: the order on the chosen column, the group, month and grand totals with sub-totals on
// and off, and a grid rebuilt the same however often it is regrouped.
#include "statements/ReportGrid.h"

#include <gtest/gtest.h>

namespace statements {
namespace {

Report Register() {
    Report report;
    report.title = "Invoice Register";
    report.columns = {{"Year/Mo/Dy", CellKind::Date},    {"Invoice#", CellKind::Text},
                      {"Short Name", CellKind::Text},    {"Customer#", CellKind::Text},
                      {"Net Amount", CellKind::Amount},  {"Tax Amount", CellKind::Amount},
                      {"Grand Total", CellKind::Amount}, {"Type", CellKind::Text}};
    const auto row = [](const char* date, const char* number, const char* customer, const char* net,
                        const char* tax) {
        const base::Decimal n = *base::Decimal::Parse(net), t = *base::Decimal::Parse(tax);
        return ReportRow{{TextCell(date), TextCell(number), TextCell(customer), TextCell(customer),
                          AmountCell(n), AmountCell(t), AmountCell(n + t), TextCell("I")}};
    };
    report.rows = {row("2026/12/02", "1004", "B2", "1000.00", "100.00"),
                   row("2026/11/03", "1001", "A1", "0.10", "0.01"),
                   row("2026/11/03", "1002", "B2", "0.20", "0.02"),
                   row("2026/12/02", "1003", "A1", "2,000.005", "0.00")};
    return report;
}

// Each row as "role: cell|cell|...", the cells trimmed of nothing.
std::vector<std::string> Lines(const ReportGrid& grid, int columns) {
    std::vector<std::string> lines;
    for (int row = 1; row < grid.rowCount(); ++row) {
        std::string line = std::string(RoleName(grid.Role(row))) + ":";
        for (int column = 0; column < columns; ++column)
            line += (column ? "|" : "") + grid.Text(row, column);
        lines.push_back(line);
    }
    return lines;
}

TEST(ReportGrid, ByDateGivesDayGroupsAndMonthTotals) {
    const Report report = Register();
    const ReportGrid grid(report, 0, true);
    EXPECT_EQ(Lines(grid, 7), (std::vector<std::string>{
                                  "item:2026/11/03|1001|A1|A1|0.10|0.01|0.11",
                                  "item:2026/11/03|1002|B2|B2|0.20|0.02|0.22",
                                  "group:|||** Totals|0.30|0.03|0.33",
                                  "month:11/2026|||Month Total|0.30|0.03|0.33",
                                  "item:2026/12/02|1003|A1|A1|2,000.01|0.00|2,000.01",
                                  "item:2026/12/02|1004|B2|B2|1,000.00|100.00|1,100.00",
                                  "group:|||** Totals|3,000.01|100.00|3,100.01",
                                  "month:12/2026|||Month Total|3,000.01|100.00|3,100.01",
                                  "grand:|||Grand Total|3,000.31|100.03|3,100.34",
                              }));
    EXPECT_EQ(grid.ItemCount(), 4);
    EXPECT_EQ(grid.Text(0, 0), "Year/Mo/Dy");
}

TEST(ReportGrid, OnTheCustomerColumnOneTotalPerCustomerAndTheHeadingsFollow) {
    const Report report = Register();
    const ReportGrid grid(report, 3, true);
    EXPECT_EQ(grid.Text(0, 0), "Customer#");
    EXPECT_EQ(grid.Text(0, 3), "Year/Mo/Dy");
    EXPECT_EQ(Lines(grid, 5), (std::vector<std::string>{
                                  "item:A1|1001|A1|2026/11/03|0.10",
                                  "item:A1|1003|A1|2026/12/02|2,000.01",
                                  "group:|||** Totals|2,000.11",
                                  "item:B2|1002|B2|2026/11/03|0.20",
                                  "item:B2|1004|B2|2026/12/02|1,000.00",
                                  "group:|||** Totals|1,000.20",
                                  "grand:|||Grand Total|3,000.31",
                              }));
}

TEST(ReportGrid, SubTotalsOffLeavesTheGrandTotalOnly) {
    const Report report = Register();
    for (int column : {0, 1, 2, 3}) {
        const ReportGrid grid(report, column, false);
        EXPECT_EQ(grid.rowCount(), 1 + 4 + 1) << column;
        EXPECT_EQ(grid.Role(grid.rowCount() - 1), RowRole::Grand);
        EXPECT_EQ(grid.Text(grid.rowCount() - 1, 6), "3,100.34");
    }
}

TEST(ReportGrid, RegroupingAgainGivesTheSameGrid) {
    const Report report = Register();
    const ReportGrid first(report, 2, true);
    const ReportGrid other(report, 1, true);
    const ReportGrid again(report, 2, true);
    EXPECT_EQ(Lines(again, 8), Lines(first, 8));
    EXPECT_NE(Lines(other, 8), Lines(first, 8));
}

TEST(ReportGrid, AnEmptyReportHasHeadingsAndAZeroGrandTotal) {
    Report report = Register();
    report.rows.clear();
    const ReportGrid grid(report, 0, true);
    EXPECT_EQ(Lines(grid, 7), (std::vector<std::string>{"grand:|||Grand Total|0.00|0.00|0.00"}));
}

TEST(ReportGrid, SalesQuantitiesAreSummedWithThreeDecimals) {
    Report report;
    report.kind = ReportKind::Sales;
    report.title = "Sales Report";
    for (const char* heading : {"Year/Mo/Dy", "Product Description", "Product#", "Invoice#",
                                "Short Name", "Customer", "Unit Price"})
        report.columns.push_back({heading, CellKind::Text});
    report.columns.push_back({"Quantity", CellKind::Quantity});
    report.columns.push_back({"Line Amount", CellKind::Amount});
    for (const char* quantity : {"1.25", "0.125"})
        report.rows.push_back(
            {{TextCell("2026/12/01"), TextCell("Nut"), TextCell("N1"), TextCell("1001"),
              TextCell("Ames"), TextCell("A1"), TextCell("1.00"),
              AmountCell(*base::Decimal::Parse(quantity), CellKind::Quantity),
              AmountCell(*base::Decimal::Parse(quantity))}});
    const ReportGrid grid(report, 0, false);
    EXPECT_EQ(grid.Text(1, 7), "0.125");
    EXPECT_EQ(grid.Text(grid.rowCount() - 1, 6), "Grand Total");
    EXPECT_EQ(grid.Text(grid.rowCount() - 1, 7), "1.375");
    EXPECT_EQ(grid.Text(grid.rowCount() - 1, 8), "1.38");
}

}  // namespace
}  // namespace statements

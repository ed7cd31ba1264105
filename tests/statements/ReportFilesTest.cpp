// The text file and the CSV a report is saved as, read back.
#include "statements/ReportFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace statements {
namespace {

Report Sample() {
    Report report;
    report.title = "Invoice Register";
    report.company = "Acme Supply Co";
    report.dateLine = "Date: Sunday, December 6, 2026, 10:30 AM";
    report.selection = "Selected records from 11/01/2026 to 12/31/2026";
    report.columns = {{"Year/Mo/Dy", CellKind::Date},    {"Invoice#", CellKind::Text},
                      {"Short Name", CellKind::Text},    {"Customer#", CellKind::Text},
                      {"Net Amount", CellKind::Amount},  {"Tax Amount", CellKind::Amount},
                      {"Grand Total", CellKind::Amount}, {"Type", CellKind::Text}};
    const auto row = [](const char* date, const char* name, const char* net) {
        const base::Decimal n = *base::Decimal::Parse(net);
        return ReportRow{{TextCell(date), TextCell("1001"), TextCell(name), TextCell("A1"),
                          AmountCell(n), AmountCell({}), AmountCell(n), TextCell("I")}};
    };
    // "Café" in Windows-1252, as the records hold it.
    report.rows = {row("2026/11/03", "Caf\xE9", "1234.5"), row("2026/11/04", "Big", "12345678.90")};
    return report;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(ReportFiles, TheTextFileHasTheHeadingBlockAndAlignedColumns) {
    const Report report = Sample();
    const std::vector<std::string> lines = Lines(ReportText(report, ReportGrid(report, 0, false)));
    ASSERT_EQ(lines.size(), 5u + 1 + 2 + 1);
    EXPECT_EQ(lines[0], "Invoice Register");
    EXPECT_EQ(lines[1], "Acme Supply Co");
    EXPECT_EQ(lines[3], "Selected records from 11/01/2026 to 12/31/2026");
    EXPECT_EQ(lines[4], " ");
    EXPECT_EQ(lines[5],
              "Year/Mo/Dy   Invoice#     Short Name   Customer#      Net Amount "
              "  Tax Amount  Grand Total Type         ");
    EXPECT_EQ(lines[6],
              "2026/11/03   1001         Café         A1               1,234.50 "
              "        0.00     1,234.50 I            ");
    // An amount wider than its 12 characters keeps every digit and its separators.
    EXPECT_EQ(lines[7],
              "2026/11/04   1001         Big          A1           12,345,678.90 "
              "        0.00 12,345,678.90 I            ");
    EXPECT_EQ(lines[8],
              "                                       Grand Total  12,346,913.40 "
              "        0.00 12,346,913.40              ");
}

TEST(ReportFiles, TheCsvMarksEachRowAndWritesPlainNumbers) {
    const Report report = Sample();
    EXPECT_EQ(ReportCsv(ReportGrid(report, 2, true)),
              "row,Short Name,Invoice#,Year/Mo/Dy,Customer#,Net Amount,Tax Amount,Grand Total,"
              "Type\r\n"
              "item,Big,1001,2026/11/04,A1,12345678.90,0.00,12345678.90,I\r\n"
              "group,,,,** Totals,12345678.90,0.00,12345678.90,\r\n"
              "item,Café,1001,2026/11/03,A1,1234.50,0.00,1234.50,I\r\n"
              "group,,,,** Totals,1234.50,0.00,1234.50,\r\n"
              "grand,,,,Grand Total,12346913.40,0.00,12346913.40,\r\n");
}

TEST(ReportFiles, CsvIsChosenByTheNamesEnding) {
    for (const char* name : {"a.csv", "/tmp/Sales Report.CSV", "x.Csv"})
        EXPECT_TRUE(IsCsvFileName(name)) << name;
    for (const char* name : {"a.TXT", "csv", "a.csv.txt", ""}) EXPECT_FALSE(IsCsvFileName(name));
}

}  // namespace
}  // namespace statements

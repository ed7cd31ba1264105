#include "shell/CompanyList.h"

#include <gtest/gtest.h>

namespace shell {
namespace {

TEST(CompanyList, BrowserRowsAlignNameNumberAndBalance) {
    const std::string row = CompanyBrowserRow("Acme Supply", "12", "1234567.5");
    ASSERT_EQ(row.size(), 128u);
    EXPECT_EQ(row.substr(0, 35), "Acme Supply" + std::string(24, ' '));
    EXPECT_EQ(row.substr(35, 8), " 12     ");
    EXPECT_EQ(row.substr(43, 12), "1,234,567.50");
    EXPECT_EQ(row.find_first_not_of(' ', 55), std::string::npos);

    // A stored total may carry commas; a long name is cut so the columns stay put.
    const std::string wide = CompanyBrowserRow(std::string(40, 'N'), "7", "1,000");
    EXPECT_EQ(wide.substr(35, 2), " 7");
    EXPECT_EQ(wide.substr(43, 12), "    1,000.00");

    EXPECT_EQ(CompanyBrowserHeader().find("Balance"), 48u);
}

TEST(CompanyList, ReportListsNumberedCompaniesBetweenRules) {
    const base::DateTime now{{2024, 3, 5}, 14, 7, 0};
    const std::string report = CompanyListReport(
        {{"Acme Supply", "1", "250"}, {"Ghost", "  ", "0.00"}, {"Brook Ltd", "2", "-12.5"}}, now);
    const std::string rule = std::string(80, '-') + "\r\n";
    const std::string expected =
        "Invorra Company List\r\n"
        "Date: Tuesday, March 5, 2024, 02:07 PM\r\n" +
        rule + "Acme Supply" + std::string(24, ' ') + "    Number: 1        A/R: 250.00" +
        std::string(6, ' ') + "\r\n" + rule + "Brook Ltd" + std::string(26, ' ') +
        "    Number: 2        A/R: -12.50" + std::string(6, ' ') + "\r\n" + rule;
    EXPECT_EQ(report, expected);
}

}  // namespace
}  // namespace shell

#include "company/CompanyList.h"

#include <gtest/gtest.h>

namespace company {
namespace {

TEST(CompanyList, ReportListsNumberedCompaniesBetweenRules) {
    const base::DateTime now{{2024, 3, 5}, 14, 7, 0};
    const std::string report =
        CompanyListReport({{"Acme Supply", "1", base::Decimal::FromInteger(250)},
                           {"Ghost", "  ", base::Decimal()},
                           {"Brook Ltd", "2", -*base::Decimal::Parse("12.5")}},
                          now);
    const std::string rule = std::string(80, '-') + "\r\n";
    const std::string expected =
        "Invorra Company List\r\n"
        "Date: Tuesday, March 5, 2024, 02:07 PM\r\n" +
        rule + "Acme Supply" + std::string(24, ' ') + "    Number: 1        A/R: 250.00" +
        std::string(6, ' ') + "\r\n" + rule + "Brook Ltd" + std::string(26, ' ') +
        "    Number: 2        A/R: -12.50" + std::string(6, ' ') + "\r\n" + rule;
    EXPECT_EQ(report, expected);
}

TEST(CompanyList, CsvListsNumberedCompaniesWithPlainAmounts) {
    const std::string csv =
        CompanyListCsv({{"Acme, Supply", " 1", base::Decimal::FromInteger(1250)},
                        {"Ghost", "  ", base::Decimal()},
                        {"Brook Ltd", "2", -*base::Decimal::Parse("12.5")}});
    EXPECT_EQ(csv, "Number,Name,A/R\r\n1,\"Acme, Supply\",1250.00\r\n2,Brook Ltd,-12.50\r\n");
}

}  // namespace
}  // namespace company

#include "company/CompanyOptionsCheck.h"

#include <gtest/gtest.h>

namespace company {
namespace {

using Captions = std::vector<std::string>;

Captions Check(CompanyOptionsFields fields, bool adding = false, bool taken = false) {
    Captions captions;
    const auto verdict =
        CheckCompanyOptions(fields, adding, [taken](const std::string&) { return taken; });
    for (const auto& failure : verdict.failures) captions.push_back(failure.caption);
    return captions;
}

TEST(CompanyOptionsCheck, AgingDaysNeedTwoDaysBetweenCategories) {
    EXPECT_EQ(Check({"", "Acme", "2", "30", "31", "90"}), Captions{"Aging Category 2"});
    EXPECT_EQ(Check({"", "Acme", "2", "30", "32", "33"}), Captions{"Aging Category 3"});
    EXPECT_EQ(Check({"", "Acme", "2", "30", "32", "34"}), Captions{});
}

TEST(CompanyOptionsCheck, NumberAndAgingFailuresAreAllReportedInOrder) {
    const auto verdict = CheckCompanyOptions({"", "Acme", "32001", "", "1", ""}, true,
                                             [](const std::string&) { return true; });
    ASSERT_EQ(verdict.failures.size(), 4u);
    EXPECT_EQ(verdict.failures[0].text, "The Company number must be between 0 and 32001.");
    EXPECT_EQ(verdict.failures[1].caption, "Company Number");
    EXPECT_EQ(verdict.failures[2].control, "CAVal2");
    EXPECT_EQ(verdict.failures[3].page, CompanyOptionsPage::EnvelopesAging);
    EXPECT_EQ(verdict.fields.aging1, "0");  // empty aging days count, and show, as 0
    EXPECT_EQ(verdict.fields.aging3, "0");
}

TEST(CompanyOptionsCheck, EMailNameAndNonNumericNumberEachEndTheCheck) {
    EXPECT_EQ(Check({"billing.acme.example", "", "x", "30", "1", "2"}),
              Captions{"Company E-Mail Address"});
    EXPECT_EQ(Check({"billing@acme.example", "  \t ", "x", "30", "1", "2"}),
              Captions{"Invalid Company Name"});
    EXPECT_EQ(Check({"", "Acme", "12a", "30", "1", "2"}), Captions{"Invalid Company Number"});
    EXPECT_EQ(Check({"", "Acme", "", "30", "60", "90"}), Captions{"Invalid Company Number"});
    // Blanks around the number and leading zeros pass; only an added company is looked up.
    EXPECT_EQ(Check({"", "Acme", " 7", "30", "60", "90"}, true), Captions{});
    EXPECT_EQ(Check({"", "Acme", "007", "30", "60", "90"}, false, true), Captions{});
}

}  // namespace
}  // namespace company

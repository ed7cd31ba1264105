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

// The number names the company's files, so anything but digits is refused; blanks around it are
// dropped and the field gets the number without them.
TEST(CompanyOptionsCheck, CompanyNumberIsDigitsFrom1To32000) {
    const std::string notNumeric =
        "The company number field is numeric and valid values are 1 to 32000.";
    const std::string outOfRange = "The Company number must be between 0 and 32001.";
    struct Case {
        std::string typed;
        std::string failure;  // empty: accepted
        std::string stored;
    };
    const Case cases[] = {
        {"5", "", "5"},
        {" 5", "", "5"},
        {"5\t ", "", "5"},
        {"007", "", "007"},
        {"1", "", "1"},
        {"32000", "", "32000"},
        {"+5", notNumeric, "+5"},
        {"-5", notNumeric, "-5"},
        {"5a", notNumeric, "5a"},
        {"1 2", notNumeric, "1 2"},
        {"5.0", notNumeric, "5.0"},
        {"0x1F", notNumeric, "0x1F"},
        {"", outOfRange, "0"},
        {"   ", outOfRange, "0"},
        {"0", outOfRange, "0"},
        {"00000", outOfRange, "00000"},
        {"32001", outOfRange, "32001"},
        {"99999999999999999999999", outOfRange, "99999999999999999999999"},
    };
    for (const Case& c : cases) {
        const auto verdict = CheckCompanyOptions({"", "Acme", c.typed, "30", "60", "90"}, true,
                                                 [](const std::string&) { return false; });
        std::vector<std::string> texts;
        for (const auto& failure : verdict.failures) texts.push_back(failure.text);
        EXPECT_EQ(texts, c.failure.empty() ? std::vector<std::string>{}
                                           : std::vector<std::string>{c.failure})
            << "typed \"" << c.typed << '"';
        EXPECT_EQ(verdict.fields.number, c.stored) << "typed \"" << c.typed << '"';
    }
}

}  // namespace
}  // namespace company

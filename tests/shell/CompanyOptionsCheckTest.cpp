#include "shell/CompanyOptionsCheck.h"

#include <gtest/gtest.h>

#include <set>

namespace shell {
namespace {

CompanyOptionsFields Valid() {
    return {"", "Acme Supply", "2", "30", "60", "90"};
}

std::vector<std::string> Captions(const CompanyOptionsVerdict& verdict) {
    std::vector<std::string> captions;
    for (const auto& failure : verdict.failures) captions.push_back(failure.caption);
    return captions;
}

const auto kNothingTaken = [](const std::string&) { return false; };

TEST(CompanyOptionsCheck, AgingDaysNeedTwoDaysBetweenCategories) {
    auto fields = Valid();
    fields.aging2 = "31";
    auto verdict = CheckCompanyOptions(fields, false, kNothingTaken);
    ASSERT_EQ(Captions(verdict), std::vector<std::string>{"Aging Category 2"});
    EXPECT_EQ(verdict.failures[0].control, "CAVal2");
    EXPECT_EQ(verdict.failures[0].page, CompanyOptionsPage::EnvelopesAging);

    fields = Valid();
    fields.aging2 = "32";
    fields.aging3 = "33";
    verdict = CheckCompanyOptions(fields, false, kNothingTaken);
    ASSERT_EQ(Captions(verdict), std::vector<std::string>{"Aging Category 3"});
    EXPECT_EQ(verdict.failures[0].text,
              "The aging days for category 3 must be greater than category 2 by at least 2 days.");

    fields.aging3 = "34";
    EXPECT_TRUE(CheckCompanyOptions(fields, false, kNothingTaken).passed());
}

TEST(CompanyOptionsCheck, LaterChecksStillRunAfterANumberOrAgingFailure) {
    auto fields = Valid();
    fields.number = "32001";
    fields.aging1 = "";
    fields.aging2 = "1";
    fields.aging3 = "";
    std::set<std::string> asked;
    const auto verdict = CheckCompanyOptions(fields, true, [&](const std::string& number) {
        asked.insert(number);
        return true;
    });
    EXPECT_EQ(Captions(verdict),
              (std::vector<std::string>{"Invalid Company Number", "Company Number",
                                        "Aging Category 2", "Aging Category 3"}));
    EXPECT_EQ(verdict.failures[0].text, "The Company number must be between 0 and 32001.");
    EXPECT_EQ(verdict.fields.aging1, "0");
    EXPECT_EQ(verdict.fields.aging3, "0");
}

TEST(CompanyOptionsCheck, EarlyFailuresStopTheCheck) {
    auto fields = Valid();
    fields.email = "billing.acme.example";
    fields.name = "";
    fields.aging2 = "1";
    auto verdict = CheckCompanyOptions(fields, false, kNothingTaken);
    ASSERT_EQ(Captions(verdict), std::vector<std::string>{"Company E-Mail Address"});
    EXPECT_EQ(verdict.failures[0].page, CompanyOptionsPage::EMail);

    fields.email = "billing@acme.example";
    fields.name = "   \t ";
    verdict = CheckCompanyOptions(fields, false, kNothingTaken);
    ASSERT_EQ(Captions(verdict), std::vector<std::string>{"Invalid Company Name"});
    EXPECT_EQ(verdict.failures[0].control, "CName");

    fields.name = "Acme";
    fields.number = "12a";
    verdict = CheckCompanyOptions(fields, false, kNothingTaken);
    ASSERT_EQ(Captions(verdict), std::vector<std::string>{"Invalid Company Number"});
    EXPECT_EQ(verdict.failures[0].text,
              "The company number field is numeric and valid values are 1 to 32000.");
}

TEST(CompanyOptionsCheck, NumberRangeAndDuplicates) {
    auto fields = Valid();
    fields.number = "";
    auto verdict = CheckCompanyOptions(fields, false, kNothingTaken);
    EXPECT_EQ(verdict.fields.number, "0");
    EXPECT_EQ(Captions(verdict), std::vector<std::string>{"Invalid Company Number"});

    for (const char* number : {"1", "32000", " 7", "007"}) {
        fields.number = number;
        EXPECT_TRUE(CheckCompanyOptions(fields, true, kNothingTaken).passed()) << number;
    }
    // Only an added company is looked up: an edited one keeps its own number.
    fields.number = "4";
    const auto taken = [](const std::string& number) { return number == "4"; };
    EXPECT_EQ(Captions(CheckCompanyOptions(fields, true, taken)),
              std::vector<std::string>{"Company Number"});
    EXPECT_TRUE(CheckCompanyOptions(fields, false, taken).passed());
}

TEST(CompanyOptionsCheck, EveryPageHasItsOwnHelpTopic) {
    std::set<std::string> topics;
    for (int page = 0; page <= static_cast<int>(CompanyOptionsPage::SystemGraphics); ++page) {
        topics.insert(CompanyOptionsHelpTopic(static_cast<CompanyOptionsPage>(page)));
    }
    EXPECT_EQ(topics.size(), 8u);
    EXPECT_EQ(topics.count("prnenv"), 1u);
}

TEST(CompanyOptionsCheck, SavedOptionsAreNormalised) {
    CompanyRecord record;
    record.setPrintLogo(false);
    record.setLogoBitmap("/pictures/logo.bmp");
    for (const char* copies : {"", "0", "1", "6", "9"}) {
        record.setNumberOfCopies(copies);
        NormaliseCompanyOptions(record);
        EXPECT_EQ(record.numberOfCopies(), "1") << copies;
    }
    EXPECT_EQ(record.moveAddressesRight(), "0");
    EXPECT_EQ(record.logoBitmap(), "");

    record.setNumberOfCopies("5");
    record.setMoveAddressesRight(" ");
    record.setPrintLogo(true);
    record.setLogoBitmap("logo.bmp");
    NormaliseCompanyOptions(record);
    EXPECT_EQ(record.numberOfCopies(), "5");
    EXPECT_EQ(record.moveAddressesRight(), " ");
    EXPECT_EQ(record.logoBitmap(), "logo.bmp");
}

}  // namespace
}  // namespace shell

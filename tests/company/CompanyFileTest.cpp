#include "company/CompanyFile.h"

#include <gtest/gtest.h>

#include "company/StarterData.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace company {
namespace {

class CompanyFileTest : public ::testing::Test {
protected:
    CompanyFileTest() { engine.InitEngine(0, 30); }

    records::CompanyRecord Company(const char* number, const char* name) {
        records::CompanyRecord company = StarterCompany();
        company.SetNewCompanyValues(number);
        company.setName(name);
        return company;
    }

    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir{dir.path()};
    engine::Engine engine;
    testsupport::ScriptedPrompts prompts;
};

TEST_F(CompanyFileTest, CompaniesAreFoundByTrimmedNumberAndUpdatedOnlyFromFreshCopies) {
    prompts.ExpectInform("New Company", "I am going to create a new, empty company file.");
    CompanyFile file(engine, prompts);
    ASSERT_TRUE(file.Open());
    int32_t first = 0, second = 0;
    ASSERT_TRUE(file.Add(Company("1", "Acme co"), first));
    ASSERT_TRUE(file.Add(Company("2", "Beta"), second));
    EXPECT_EQ(file.CompanyCount(), 2);

    const auto found = file.Find(" 2");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->first, second);
    EXPECT_EQ(found->second.name(), "Beta");
    EXPECT_FALSE(file.Find("3"));
    EXPECT_FALSE(file.Find("20"));

    engine::KeyEntry<records::CompanyRecord> byName;
    ASSERT_EQ(file.file().Search(2, "ACME CO" + std::string(23, ' '), byName),
              engine::ErrorClass::None);
    EXPECT_EQ(byName.recordNumber, first);

    int32_t third = 0;
    EXPECT_FALSE(file.Add(Company("1", "Copy"), third));
    EXPECT_EQ(file.CompanyCount(), 2);  // a refused duplicate leaves nothing behind

    const records::CompanyRecord original = Company("1", "Acme co");
    EXPECT_EQ(file.Modify(first, original, original), engine::UpdateOutcome::Unchanged);

    records::CompanyRecord renamed = original;
    renamed.setName("Zeta");
    EXPECT_EQ(file.Modify(first, renamed, original), engine::UpdateOutcome::Written);
    EXPECT_EQ(file.Find("1")->second.name(), "Zeta");

    // An edit of the copy taken before the rename is refused.
    records::CompanyRecord stale = original;
    stale.setAddress1("1 Main St");
    prompts.ExpectMessage("KT Invorra Pro", "The record has changed in the meantime.",
                          base::PromptAnswer::Ok);
    EXPECT_EQ(file.Modify(first, stale, original), engine::UpdateOutcome::ChangedMeanwhile);
    EXPECT_EQ(file.Find("1")->second.address1(), "");

    ASSERT_TRUE(file.Delete(first, renamed));
    EXPECT_EQ(file.CompanyCount(), 1);
    EXPECT_FALSE(file.Find("1"));
}

}  // namespace
}  // namespace company

// The switch after a visit to the Company Manager, decided by the visit's result.
#include "company/CompanySwitch.h"

#include <gtest/gtest.h>

#include "company/LastCompany.h"
#include "support/DataFolder.h"
#include "support/Samples.h"

namespace company {
namespace {

using Ending = CompanyManagerResult::Ending;

class CompanySwitchTest : public ::testing::Test, protected testsupport::DataFolder {
protected:
    // Companies 1 and 2 on file, company 1 current with its name saved as "Acme Supply Inc"
    // meanwhile, company 2 selected.
    CompanySwitchTest() {
        records::CompanyRecord second = testsupport::SampleCompany("2", "Birch Books");
        second.setDateFormat("D");
        testsupport::AddCompanies({testsupport::SampleCompany("1", "Acme Supply"), second});
        state.currentCompany = *testsupport::StoredCompany("1");
        EXPECT_TRUE(WriteLastCompany(files, state.currentCompany));
        records::CompanyRecord edited = state.currentCompany;
        edited.setName("Acme Supply Inc");
        testsupport::UpdateStoredCompany(edited);
        state.selectedCompany = second;
        engine.InitEngine(0, 30);
    }

    std::string LastCompanyName() {
        records::CompanyRecord last;
        EXPECT_TRUE(ReadLastCompany(files, last));
        return last.name();
    }

    base::FixedClock clock{{{2026, 3, 9}, 10, 30, 0}};
    ProgramState state;
};

TEST_F(CompanySwitchTest, TheChosenCompanyBecomesCurrentUnlessTheCurrentOneWasSaved) {
    struct Case {
        CompanyManagerResult result;
        std::string current;  // the name of the current company afterwards
        std::string today;
    };
    const Case cases[] = {
        {{Ending::Chosen, false}, "Birch Books", "09/03/2026"},
        {{Ending::Chosen, true}, "Acme Supply Inc", "03/09/2026"},
        {{Ending::Closed, true}, "Acme Supply Inc", "03/09/2026"},
    };
    const records::CompanyRecord current = state.currentCompany;
    const records::CompanyRecord selected = state.selectedCompany;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        state.currentCompany = current;
        state.selectedCompany = selected;
        ASSERT_TRUE(SwitchToChosenCompany(engine, prompts, state, c.result, clock));
        EXPECT_EQ(state.currentCompany.name(), c.current);
        EXPECT_TRUE(state.selectedCompany == state.currentCompany);
        EXPECT_EQ(LastCompanyName(), c.current);
        EXPECT_EQ(state.todayText, c.today);
    }
}

TEST_F(CompanySwitchTest, ALastCompanyFileThatCannotBeWrittenLeavesEverythingAsItWas) {
    const records::CompanyRecord current = state.currentCompany;
    prompts.ExpectMessage(kSwitchNotSavedCaption, kSwitchNotSavedText, base::PromptAnswer::Ok,
                          base::PromptIcon::Error);
    files.FailWrite(1, engine::FaultInjectingFileSystem::Repeat::Once,
                    engine::FaultInjectingFileSystem::Kind::Error, "LastCo.Dat.new");
    EXPECT_FALSE(SwitchToChosenCompany(engine, prompts, state, {Ending::Chosen, false}, clock));
    EXPECT_TRUE(state.currentCompany == current);
    EXPECT_EQ(LastCompanyName(), "Acme Supply");
}

}  // namespace
}  // namespace company

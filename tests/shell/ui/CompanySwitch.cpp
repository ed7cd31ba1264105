// The main window's company switch, given the result of a visit to the Company Manager. Which
// company becomes current is decided in company/CompanySwitch (tests/company); here: what the
// window shows and runs afterwards, and what it leaves alone when nothing switched.
#include "company/CompanySwitch.h"
#include "ShellFixture.h"
#include "shell/ui/MainWindow.h"

namespace shelltest {
namespace {

using Ending = company::CompanyManagerResult::Ending;
using testsupport::FileBytes;

class CompanySwitch : public ShellTest {
protected:
    // Companies 1 and 2 on file, company 1 current, the window started.
    shell::ui::TMainForm& Started() {
        records::CompanyRecord second = testsupport::SampleCompany("2", "Birch Books");
        second.setDateFormat("D");
        second.setDefaultOutputEmail(true);
        MakeDataFolder();
        testsupport::AddCompanies({second});
        auto& w = NewMainWindow();
        w.InstallAgingRun([this](company::ProgramState& state, bool forceChart) {
            agingRuns.push_back({state.currentCompany.code(), forceChart});
        });
        EXPECT_TRUE(w.FormCreate());
        EXPECT_TRUE(w.FormShow());
        agingRuns.clear();
        return w;
    }
    // The manager picks company 2 and ends the visit with `result`.
    void Visit(shell::ui::TMainForm& w, company::CompanyManagerResult result) {
        w.SwitchCompany([&] {
            w.state().selectedCompany = *testsupport::StoredCompany("2");
            return result;
        });
    }

    std::vector<std::pair<std::string, bool>> agingRuns;  // company, chart forced
};

TEST_F(CompanySwitch, TheChosenCompanyIsShownAndAgedWithoutTheChart) {
    auto& w = Started();
    const std::string lastCompany = FileBytes("LastCo.Dat");
    Visit(w, {Ending::Closed, false});
    EXPECT_EQ(w.state().currentCompany.number(), "1");
    EXPECT_EQ(FileBytes("LastCo.Dat"), lastCompany);
    EXPECT_TRUE(agingRuns.empty());

    Visit(w, {Ending::Chosen, false});
    EXPECT_EQ(w.state().currentCompany.number(), "2");
    EXPECT_EQ(w.BannerText(), "Birch Books\n     Number: 2");
    EXPECT_EQ(w.state().todayText, "09/03/2026");
    EXPECT_EQ(w.SystemModeText(), "System Mode: E-Mail");
    EXPECT_EQ(agingRuns, (std::vector<std::pair<std::string, bool>>{{"2", false}}));
}

TEST_F(CompanySwitch, ALastCompanyFileThatCannotBeWrittenKeepsTheCompanyInUse) {
    auto& w = Started();
    const std::string lastCompany = FileBytes("LastCo.Dat");
    prompts.ExpectMessage(company::kSwitchNotSavedCaption, company::kSwitchNotSavedText,
                          base::PromptAnswer::Ok, base::PromptIcon::Error);
    files.FailWrite(1, engine::FaultInjectingFileSystem::Repeat::Once,
                    engine::FaultInjectingFileSystem::Kind::Error, "LastCo.Dat.new");
    Visit(w, {Ending::Chosen, false});
    EXPECT_EQ(w.state().currentCompany.number(), "1");
    EXPECT_EQ(w.BannerText(), "Acme Supply\n     Number: 1");
    EXPECT_EQ(FileBytes("LastCo.Dat"), lastCompany);
    EXPECT_TRUE(agingRuns.empty());
}

}  // namespace
}  // namespace shelltest

// The company switch after the Company Manager closes.
#include "ShellFixture.h"
#include "company/LastCompany.h"
#include "shell/ui/MainWindow.h"

namespace shelltest {
namespace {

class CompanySwitch : public ShellTest {
protected:
    // Companies 1 and 2 on file, company 1 current, the window started.
    shell::ui::TMainForm& Started() {
        records::CompanyRecord second = SampleCompany("2", "Birch Books");
        second.setDateFormat("D");
        second.setDefaultOutputEmail(true);
        MakeDataFolder();
        AddCompanies({second});
        auto& w = NewMainWindow();
        w.InstallAgingRun([this](company::ProgramState& state) {
            agedCompanies.push_back(state.currentCompany.code());
            forceChartSeen.push_back(state.forceChart);
        });
        EXPECT_TRUE(w.FormCreate());
        EXPECT_TRUE(w.FormShow());
        agedCompanies.clear();
        forceChartSeen.clear();
        return w;
    }
    void PickSecond(shell::ui::TMainForm& w, bool ok) {
        w.SwitchCompany([&] {
            w.state().selectedCompany = StoredCompany("2");
            return ok;
        });
    }

    static std::string LastCompanyNumber() {
        records::CompanyRecord last;
        EXPECT_TRUE(company::ReadLastCompany(last));
        return last.number();
    }

    std::vector<std::string> agedCompanies;
    std::vector<bool> forceChartSeen;
};

TEST_F(CompanySwitch, OkMakesTheSelectedCompanyCurrentEverywhereUnlessTheCurrentWasSaved) {
    auto& w = Started();
    PickSecond(w, false);
    EXPECT_EQ(w.state().currentCompany.number(), "1");
    EXPECT_TRUE(agedCompanies.empty());

    // The current company was edited and saved: it stays current, with its new settings.
    records::CompanyRecord edited = StoredCompany("1");
    edited.setName("Acme Supply Inc");
    UpdateStoredCompany(edited);
    w.state().companyChanged = true;
    PickSecond(w, true);
    EXPECT_EQ(w.state().currentCompany.name(), "Acme Supply Inc");
    EXPECT_EQ(w.state().selectedCompany.name(), "Acme Supply Inc");
    EXPECT_EQ(LastCompanyNumber(), "1");
    EXPECT_EQ(w.BannerText(), "Acme Supply Inc\n     Number: 1");
    EXPECT_FALSE(w.state().companyChanged);

    agedCompanies.clear();
    forceChartSeen.clear();
    PickSecond(w, true);
    EXPECT_EQ(w.state().currentCompany.number(), "2");
    EXPECT_EQ(LastCompanyNumber(), "2");
    EXPECT_EQ(w.BannerText(), "Birch Books\n     Number: 2");
    EXPECT_EQ(w.state().todayText, "09/03/2026");
    EXPECT_EQ(w.SystemModeText(), "System Mode: E-Mail");
    EXPECT_EQ(agedCompanies, std::vector<std::string>{"2"});
    EXPECT_EQ(forceChartSeen, std::vector<bool>{false});
}

}  // namespace
}  // namespace shelltest

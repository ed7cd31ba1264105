// Start-up of the main window: data files, date checks, banner, background, password, aging.
#include "ShellFixture.h"
#include "company/LastCompany.h"
#include "company/Password.h"
#include "shell/ui/BackgroundArea.h"
#include "shell/ui/MainWindow.h"

namespace shelltest {
namespace {

using base::PromptIcon;
using testsupport::SampleCompany;
using testsupport::StoredCompany;

class Startup : public ShellTest {};

// The rules of start-up are company::StartupFlow's (tests/company/StartupFlowTest); the window
// shows what it decided.
TEST_F(Startup, WithoutTheLastCompanyFileTheWindowIsNotMade) {
    prompts.ExpectMessage("KT Invorra PRO",
                          "I do not find the billing data files. The data files must be in the "
                          "same directory as the billing program.",
                          base::PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_FALSE(NewMainWindow().FormCreate());
}

TEST_F(Startup, TheBannerShowsTheSavedSettingsOfTheLastCompany) {
    MakeDataFolder();
    ASSERT_TRUE(company::WriteLastCompany(files, SampleCompany("1", "Old Name")));
    auto& w = NewMainWindow();
    ASSERT_TRUE(w.FormCreate());
    EXPECT_EQ(w.BannerText(), "Acme Supply\n     Number: 1");
}

TEST_F(Startup, OneCharacterNameCountsAsNotSetUp) {
    records::CompanyRecord company = SampleCompany("1", " A ");
    company.setBackgroundBitmapOn(true);
    company.setBackgroundBitmap("missing.bmp");
    MakeDataFolder(company);
    auto& w = NewMainWindow();
    ASSERT_TRUE(w.FormCreate());  // no bitmap message: the picture is not looked at
    EXPECT_EQ(w.BannerText(), "Please Setup Your Company.");
    EXPECT_EQ(w.state().currentCompany.name(), "Please Setup Your Company.");
    EXPECT_FALSE(w.state().currentCompany.backgroundBitmapOn());
    EXPECT_EQ(StoredCompany("1")->name(), " A ");  // the placeholder lives in memory only
}

TEST_F(Startup, MissingBackgroundPictureIsSwitchedOffWithAMessage) {
    records::CompanyRecord company = SampleCompany("1", "Acme Supply");
    company.setBackgroundBitmapOn(true);
    company.setBackgroundBitmap("ktt8.bmp");
    MakeDataFolder(company);
    prompts.ExpectWarn("KT Invorra PRO",
                       "Background bitmap image no longer exists. Unable to load background "
                       "picture.");
    auto& w = NewMainWindow();
    ASSERT_TRUE(w.FormCreate());
    EXPECT_FALSE(w.state().currentCompany.backgroundBitmapOn());
    EXPECT_TRUE(w.findChild<shell::ui::BackgroundArea*>()->picture().isNull());
    EXPECT_TRUE(StoredCompany("1")->backgroundBitmapOn());  // not saved
}

// A refused password ends the program without the close query. Which entries are right is the
// password check's rule, tested in tests/company/PasswordTest.
TEST_F(Startup, OnlyTheRightPasswordOpensTheWindow) {
    MakeDataFolder();
    ASSERT_TRUE(company::WritePassword(files, "Secret"));
    for (const std::optional<std::string>& typed :
         {std::optional<std::string>("Secret"), std::optional<std::string>()}) {
        auto& w = NewMainWindow();
        ASSERT_TRUE(w.FormCreate());
        const bool right = typed.has_value();
        if (!right)
            prompts.ExpectWarn("Invalid Password", "You did not enter the correct password.");
        AnswerPasswordPrompts({typed});
        EXPECT_EQ(w.FormShow(), right);
        prompts.Verify();
        w.state().printQueue.Add({"7", "Zenith Tools", "", ""});
        if (!right) w.close();  // no question
    }
}

TEST_F(Startup, AutomaticAgingRunsOncePerDayPerCompany) {
    MakeDataFolder();
    int runs = 0;
    const auto agingRun = [&](company::ProgramState& state, bool forceChart) {
        ++runs;
        EXPECT_FALSE(forceChart);
        records::CompanyRecord aged = *StoredCompany("1");
        aged.setLastAgingDate(state.todayText);
        testsupport::UpdateStoredCompany(aged);
        state.currentCompany = aged;
    };
    for (int start = 0; start < 2; ++start) {
        auto& w = NewMainWindow();
        w.InstallAgingRun(agingRun);
        ASSERT_TRUE(w.FormCreate());
        ASSERT_TRUE(w.FormShow());
    }
    EXPECT_EQ(runs, 1);

    clock.Set({{2026, 3, 10}, 8, 0, 0});
    auto& w = NewMainWindow();
    w.InstallAgingRun(agingRun);
    ASSERT_TRUE(w.FormCreate());
    ASSERT_TRUE(w.FormShow());
    EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace shelltest

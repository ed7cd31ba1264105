// End to end: a second company added and chosen in a new data folder stays current after a restart.
#include "shell/ui/CompanyWindows.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "ShellFixture.h"
#include "company/ui/CompanyManager.h"
#include "company/ui/CompanyOptions.h"
#include "engine/RecordFile.h"
#include "records/CustomerRecord.h"
#include "records/RecordTypes.h"
#include "shell/ui/MainWindow.h"
#include "support/ui/WindowDriving.h"

namespace shell::ui {
namespace {

namespace fs = std::filesystem;

using testsupport::Find;
using testsupport::ThenInModal;
using testsupport::Trigger;

class CompanyWindowsTest : public shelltest::ShellTest {
protected:
    TMainForm& Start() {
        TMainForm& main = NewMainWindow();
        windows_ = std::make_unique<CompanyWindows>(main);
        EXPECT_TRUE(main.FormCreate());
        EXPECT_TRUE(main.FormShow());
        return main;
    }

    std::unique_ptr<CompanyWindows> windows_;
};

TEST_F(CompanyWindowsTest, ASecondCompanyAddedAndChosenStaysCurrentAfterARestart) {
    const fs::path folder = dir.path() / "data";
    const std::string init =
        std::string(KT_TOOL_PATH) + " init '" + folder.string() + "' >/dev/null";
    ASSERT_EQ(std::system(init.c_str()), 0);
    fs::current_path(folder);

    TMainForm& first = Start();
    ASSERT_TRUE(first.IsCommandEnabled(Command::CompanyManager));
    company::ui::TListComps& manager = windows_->manager();
    company::ui::TCompSet& options = windows_->options();
    ThenInModal(manager, [&] {
        ThenInModal(options, [&] {
            EXPECT_EQ(Find<QLineEdit>(options, "CoNumb").text(), "2");
            QTest::keyClicks(&Find<QLineEdit>(options, "CName"), "Harbour Trading");
            testsupport::Click(options, "OKBtn");
        });
        Trigger(manager, "AddItem");
        Trigger(manager, "SetDefaultItem");
    });
    first.CommandAction(Command::CompanyManager)->trigger();
    EXPECT_EQ(first.state().currentCompany.number(), "2");
    EXPECT_TRUE(first.BannerText().contains("Harbour Trading"));
    // Adding a company writes only its record; its files come with first use.
    EXPECT_FALSE(fs::exists("2C.DAT"));

    TMainForm& second = Start();
    EXPECT_EQ(second.state().currentCompany.number(), "2");
    EXPECT_EQ(second.state().currentCompany.name(), "Harbour Trading");

    prompts.ExpectInform("New Company",
                         "I am going to create a new, empty customer file for this company.");
    engine::RecordFile<records::CustomerRecord> customers(
        engine, records::RecordTypeOf(records::RecordKind::Customer).Describe("2"), prompts);
    EXPECT_TRUE(customers.Open());
    EXPECT_TRUE(fs::exists("2C.DAT"));
}

}  // namespace
}  // namespace shell::ui

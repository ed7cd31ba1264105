// The company windows inside the running program: a new data folder, a second company added and
// chosen through the Company Manager, and the choice still in force after a restart.

#include "shell/ui/CompanyWindows.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ShellFixture.h"
#include "customers/CustomerRecord.h"
#include "engine/RecordFile.h"
#include "shell/ui/CompanyManager.h"
#include "shell/ui/CompanyOptions.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/TermEditor.h"

namespace shell::ui {
namespace {

namespace fs = std::filesystem;

// Runs `interact` once `window` is shown modally.
void ThenInModal(QWidget& window, std::function<void()> interact, int tries = 100) {
    QTimer::singleShot(0, [&window, interact, tries] {
        if (!window.isVisible() && tries > 0) {
            ThenInModal(window, interact, tries - 1);
            return;
        }
        interact();
        if (window.isVisible()) {
            ADD_FAILURE() << window.objectName().toStdString() << " stayed open";
            window.hide();
        }
    });
}

class CompanyWindowsTest : public shelltest::ShellTest {
protected:
    // A data folder made by the maintainer's tool, as a new user gets it.
    void InitDataFolder() {
        const fs::path folder = dir.path() / "data";
        const std::string command =
            std::string(KT_TOOL_PATH) + " init '" + folder.string() + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        fs::current_path(folder);
    }

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
    InitDataFolder();
    TMainForm& first = Start();
    ASSERT_TRUE(first.IsCommandEnabled(Command::CompanyManager));
    TListComps& manager = windows_->manager();
    TCompSet& options = windows_->options();
    ThenInModal(manager, [&] {
        ThenInModal(options, [&] {
            EXPECT_EQ(options.findChild<QLineEdit*>("CoNumb")->text(), "2");
            QTest::keyClicks(options.findChild<QLineEdit*>("CName"), "Harbour Trading");
            QTest::mouseClick(options.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
        });
        manager.findChild<QAction*>("AddItem")->trigger();
        manager.findChild<QAction*>("SetDefaultItem")->trigger();
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
    engine::RecordFile customers(engine, customers::CustomerFileDescription("2"), prompts);
    EXPECT_TRUE(customers.Open());
    EXPECT_TRUE(fs::exists("2C.DAT"));
}

TEST_F(CompanyWindowsTest, EditPaymentTermsOpensTheEditor) {
    InitDataFolder();
    TMainForm& main = Start();
    TTermEdit& terms = windows_->terms();
    ThenInModal(terms, [&] {
        EXPECT_EQ(terms.findChild<QListWidget*>("TermList")->count(),
                  static_cast<int>(terms.Terms().size()));
        EXPECT_FALSE(terms.Terms().empty());
        QTest::mouseClick(terms.findChild<QPushButton*>("CloseBtn"), Qt::LeftButton);
    });
    main.CommandAction(Command::EditPaymentTerms)->trigger();
}

}  // namespace
}  // namespace shell::ui

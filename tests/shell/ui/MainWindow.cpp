// The main window's menus, toolbar and the commands it carries out itself.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "ShellFixture.h"
#include "shell/ui/MainWindow.h"

namespace shelltest {
namespace {

using shell::ui::Command;
using shell::ui::TMainForm;

class MainWindowTest : public ShellTest {
protected:
    QAction* MenuItem(const char* name) { return window->findChild<QAction*>(name); }
};

QStringList MenuCaptions(const TMainForm& w, const char* menuName) {
    QStringList captions;
    for (QAction* action : w.findChild<QMenu*>(menuName)->actions())
        if (!action->isSeparator()) captions << action->text();
    return captions;
}

TEST_F(MainWindowTest, MenusAndToolbarCarryTheirCaptionsInOrder) {
    auto& w = StartedWindow();
    QStringList titles;
    for (QAction* action : w.menuBar()->actions()) titles << action->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Tools", "&Help"}));
    EXPECT_EQ(MenuCaptions(w, "File1"),
              (QStringList{"Co&mpany Manager...", "&Customer Manager...", "&Product Manager...",
                           "&Invoice Manager...", "P&rinter Setup...", "&Edit Payment Terms...",
                           "E&xit"}));
    EXPECT_EQ(MenuCaptions(w, "Tools1"),
              (QStringList{"&Payment Wizard...", "&Report  Wizard...", "&Interest Wizard...",
                           "&Label Wizard...", "Repeat Billing &Wizard...",
                           "Form L&etter Wizard...", "Send E-Mail &Message", "&Aging Chart",
                           "Windows &Calculator", "&View Calendar", "Password &Setup",
                           "&Delete Paid Invoices", "&Backup Data Files", "Rebuild Data &Files",
                           "Version 1 Conversion &Utility"}));
    EXPECT_EQ(MenuCaptions(w, "Help1"),
              (QStringList{"&Topics", "&How to use Help", "&Frequent Asked Questions", "&About"}));
    const std::vector<std::pair<const char*, const char*>> large = {{"CustButn", "&Customers"},
                                                                    {"ProdButn", "&Products"},
                                                                    {"InvButn", "&Invoices"},
                                                                    {"PayButn", "Pay&ments"},
                                                                    {"RepButn", "&Reports"}};
    for (const auto& [name, text] : large) {
        ASSERT_NE(w.findChild<QToolButton*>(name), nullptr) << name;
        EXPECT_EQ(w.findChild<QAction*>(QString(name) + "Action")->text(), text);
    }
    QStringList hints;
    for (QAction* action : w.findChild<QToolBar*>("SpeedBar")->actions())
        hints << action->toolTip();
    EXPECT_EQ(hints,
              (QStringList{"Companies/System Options", "Password Setup", "View Calendar",
                           "Calculator", "Interest Wizard", "Label Wizard", "Repeat Billing Wizard",
                           "Aging Chart", "Backup Files", "Help", "Printer Setup", "Close",
                           "Form Letter Wizard", "Send E-mail Message", "Our Internet Home Page"}));
}

TEST_F(MainWindowTest, CommandsWithoutTheirHandlerAreDisabled) {
    auto& w = StartedWindow();
    EXPECT_FALSE(MenuItem("InvoiceManager1")->isEnabled());
    EXPECT_FALSE(w.findChild<QToolButton*>("CustButn")->isEnabled());
    int opened = 0;
    w.SetCommandHandler(Command::CustomerManager, [&] { ++opened; });
    w.findChild<QToolButton*>("CustButn")->click();
    EXPECT_EQ(opened, 1);
}

TEST_F(MainWindowTest, ExitAsksAboutUnprintedLabelsAndOffersTheBackup) {
    auto& w = StartedWindow();
    w.show();
    w.state().printQueue.Add({"7", "Zenith Tools", "", ""});
    const char* question =
        "You have labels in the print queue that you have not printed or saved to a file. Exit "
        "anyway?";
    prompts.ExpectYesNo("Please Confirm", question, false);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());

    int backups = 0;
    w.SetCommandHandler(Command::BackupDataFiles, [&] { ++backups; });
    w.state().currentCompany.setPromptBackupOnExit(true);
    prompts.ExpectYesNo("Please Confirm", question, true);
    MenuItem("Exit1")->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(backups, 1);
    EXPECT_FALSE(engine.IsInitialised());
}

}  // namespace
}  // namespace shelltest

// The main window's menus, toolbar and the commands it carries out itself.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include "ShellFixture.h"
#include "shell/ui/AgingChartPanel.h"
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

TEST_F(MainWindowTest, MenusCarryTheirCaptionsInOrder) {
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
}

TEST_F(MainWindowTest, ToolbarButtonsCarryTheirTextsAndHints) {
    auto& w = StartedWindow();
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

TEST_F(MainWindowTest, CommandsWithoutTheirWindowAreDisabledAndSomeHideTheChart) {
    auto& w = StartedWindow();
    for (Command c : {Command::CompanyManager, Command::CustomerManager, Command::ProductManager,
                      Command::InvoiceManager, Command::EditPaymentTerms, Command::PaymentWizard,
                      Command::ReportWizard, Command::InterestWizard, Command::LabelWizard,
                      Command::RepeatBillingWizard, Command::FormLetterWizard,
                      Command::SendEMailMessage, Command::AgingChart, Command::DeletePaidInvoices,
                      Command::BackupDataFiles, Command::Version1Conversion})
        EXPECT_FALSE(w.CommandAction(c)->isEnabled()) << w.CommandAction(c)->text().toStdString();
    EXPECT_FALSE(w.findChild<QToolButton*>("CustButn")->isEnabled());
    EXPECT_FALSE(w.findChild<QPushButton*>("SendEMailBtn")->isEnabled());

    int opened = 0;
    w.SetCommandHandler(Command::CustomerManager, [&] { ++opened; });
    EXPECT_TRUE(MenuItem("CustomerManager1")->isEnabled());
    EXPECT_TRUE(w.findChild<QToolButton*>("CustButn")->isEnabled());
    MenuItem("CustomerManager1")->trigger();
    w.findChild<QToolButton*>("CustButn")->click();
    EXPECT_EQ(opened, 2);

    w.SetCommandHandler(Command::SendEMailMessage, [&] { ++opened; });
    EXPECT_TRUE(w.findChild<QPushButton*>("SendEMailBtn")->isEnabled());

    // Some commands hide the chart and say "Ready." first; the Customer Manager leaves both.
    bool chartVisibleInside = true;
    w.SetCommandHandler(Command::InvoiceManager,
                        [&] { chartVisibleInside = w.agingChart().isVisible(); });
    w.show();
    w.agingChart().show();
    w.SetStatusText("Aging...");
    MenuItem("InvoiceManager1")->trigger();
    EXPECT_FALSE(chartVisibleInside);
    EXPECT_EQ(w.StatusText(), "Ready.");

    w.agingChart().show();
    w.SetStatusText("Aging...");
    MenuItem("CustomerManager1")->trigger();
    EXPECT_TRUE(w.agingChart().isVisible());
    EXPECT_EQ(w.StatusText(), "Aging...");
}

TEST_F(MainWindowTest, AgingChartCommandChecksForOpenInvoicesAndAnOpenChart) {
    auto& w = StartedWindow();
    int runs = 0;
    w.InstallAgingRun([&](shell::ProgramState& state) {
        ++runs;
        EXPECT_TRUE(state.forceChart);
        w.agingChart().show();
    });
    EXPECT_TRUE(MenuItem("AgingChart1")->isEnabled());
    w.show();

    w.state().currentCompany.setReceivablesTotal("0.00");
    prompts.ExpectInform("Aging Chart", "You do not have any open invoices.");
    MenuItem("AgingChart1")->trigger();
    prompts.Verify();
    EXPECT_EQ(runs, 0);

    w.state().currentCompany.setReceivablesTotal("1,250.00");
    MenuItem("AgingChart1")->trigger();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(w.state().forceChart);

    prompts.ExpectInform("Aging Chart", "The Aging Chart is currently showing.");
    MenuItem("AgingChart1")->trigger();
    EXPECT_EQ(runs, 1);

    w.findChild<QToolButton*>("SpeedButton1")->click();
    EXPECT_FALSE(w.agingChart().isVisible());
    EXPECT_EQ(w.StatusText(), "Ready.");
}

TEST_F(MainWindowTest, ExitAsksAboutUnprintedLabelsAndOffersTheBackup) {
    auto& w = StartedWindow();
    w.show();
    w.state().labelQueuePending = true;
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

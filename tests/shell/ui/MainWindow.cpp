// The main window's menus, toolbar and the commands it carries out itself.
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "ShellFixture.h"
#include "shell/ui/AgingChartPanel.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/MainWindow.h"
#include "widgets/DatePicker.h"

namespace shelltest {
namespace {

using shell::ui::Command;
using shell::ui::TMainForm;

class MainWindowTest : public ShellTest {
protected:
    TMainForm& Started() {
        MakeDataFolder();
        auto& w = NewMainWindow();
        EXPECT_TRUE(w.FormCreate());
        EXPECT_TRUE(w.FormShow());
        return w;
    }
    QAction* MenuItem(const char* name) { return window->findChild<QAction*>(name); }
};

QStringList MenuCaptions(const TMainForm& w, const char* menuName) {
    QStringList captions;
    for (QAction* action : w.findChild<QMenu*>(menuName)->actions())
        if (!action->isSeparator()) captions << action->text();
    return captions;
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsInOrder) {
    auto& w = Started();
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
    auto& w = Started();
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

TEST_F(MainWindowTest, CommandsWithoutTheirWindowAreDisabledUntilPluggedIn) {
    auto& w = Started();
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
}

TEST_F(MainWindowTest, SomeCommandsHideTheChartAndSayReadyFirst) {
    auto& w = Started();
    bool chartVisibleInside = true;
    w.SetCommandHandler(Command::InvoiceManager,
                        [&] { chartVisibleInside = w.agingChart().isVisible(); });
    w.show();
    w.agingChart().show();
    w.SetStatusText("Aging...");
    MenuItem("InvoiceManager1")->trigger();
    EXPECT_FALSE(chartVisibleInside);
    EXPECT_EQ(w.StatusText(), "Ready.");

    // The Customer Manager leaves both alone.
    w.agingChart().show();
    w.SetStatusText("Aging...");
    w.SetCommandHandler(Command::CustomerManager, [] {});
    MenuItem("CustomerManager1")->trigger();
    EXPECT_TRUE(w.agingChart().isVisible());
    EXPECT_EQ(w.StatusText(), "Aging...");
}

TEST_F(MainWindowTest, AgingChartCommandChecksForOpenInvoicesAndAnOpenChart) {
    auto& w = Started();
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

TEST_F(MainWindowTest, CalculatorMissingIsSaid) {
    Started();
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path().c_str());  // a folder without any calculator
    prompts.ExpectWarn("KT Invorra PRO", "Windows Calculator not found.");
    MenuItem("WindowsCalculator1")->trigger();
    qputenv("PATH", path);
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST_F(MainWindowTest, HomeButtonAsksBeforeOpeningTheHomePage) {
    auto& w = Started();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    const char* question =
        "This feature will connect you to the internet and take you to our home page. You must "
        "have an internet connection on this computer. Continue?";
    prompts.ExpectYesNo("Internet Home Page", question, false);
    w.findChild<QToolButton*>("HomeButn")->click();
    EXPECT_TRUE(catcher.opened.isEmpty());
    prompts.ExpectYesNo("Internet Home Page", question, true);
    w.findChild<QToolButton*>("HomeButn")->click();
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.front().toString(), TMainForm::HomePageAddress());
    EXPECT_TRUE(TMainForm::HomePageAddress().endsWith("/"));
}

TEST_F(MainWindowTest, ExitAsksAboutUnprintedLabelsAndOffersTheBackup) {
    auto& w = Started();
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

#include "MainWindow.moc"

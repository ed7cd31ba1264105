#pragma once
// The main window's commands: each menu item with its caption, hint and shortcut, and the toolbar
// buttons that repeat it. A command whose window is not part of the program yet stays disabled.

#include <QKeySequence>
#include <vector>

namespace shell::ui {

enum class Command {
    CompanyManager,
    CustomerManager,
    ProductManager,
    InvoiceManager,
    PrinterSetup,
    EditPaymentTerms,
    Exit,
    PaymentWizard,
    ReportWizard,
    InterestWizard,
    LabelWizard,
    RepeatBillingWizard,
    FormLetterWizard,
    SendEMailMessage,
    AgingChart,
    Calculator,
    ViewCalendar,
    PasswordSetup,
    DeletePaidInvoices,
    BackupDataFiles,
    RebuildDataFiles,
    Version1Conversion,
    HelpTopics,
    HowToUseHelp,
    FrequentAskedQuestions,
    About,
    HomePage,  // toolbar only
};

enum class Menu { File, Tools, Help, None };

struct MenuItemInfo {
    Command command;
    Menu menu;
    const char* objectName;
    const char* caption;
    const char* hint;
    QKeySequence shortcut;
    bool separatorBefore;
    // Opening the window first hides the aging chart and lets pending paints run; some also put
    // "Ready." in the status bar.
    bool hidesChart;
    bool setsReady;
};

struct ToolButtonInfo {
    Command command;
    const char* objectName;
    const char* text;  // the large buttons carry a caption; the small ones only a hint
    const char* hint;
    bool large;
};

const std::vector<MenuItemInfo>& MenuItems();
const std::vector<ToolButtonInfo>& ToolButtons();
const MenuItemInfo& MenuItemOf(Command command);

}  // namespace shell::ui

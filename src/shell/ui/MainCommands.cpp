#include "shell/ui/MainCommands.h"

#include <algorithm>

namespace shell::ui {

const std::vector<MenuItemInfo>& MenuItems() {
    using C = Command;
    using M = Menu;
    static const std::vector<MenuItemInfo> items = {
        {C::CompanyManager, M::File, "CompanyManager1", "Co&mpany Manager...",
         "Companies/System Options", QKeySequence(), false, true, true},
        {C::CustomerManager, M::File, "CustomerManager1", "&Customer Manager...",
         "Add, change and look up customers", QKeySequence(), true, false, false},
        {C::ProductManager, M::File, "ProductManager1", "&Product Manager...",
         "Add, change and look up products and services", QKeySequence(), false, false, false},
        {C::InvoiceManager, M::File, "InvoiceManager1", "&Invoice Manager...",
         "Write, view, print and e-mail invoices", QKeySequence(), false, true, true},
        {C::PrinterSetup, M::File, "PrinterSetup1", "P&rinter Setup...", "Printer Setup",
         QKeySequence(), true, false, false},
        {C::EditPaymentTerms, M::File, "EditPaymentTerms1", "&Edit Payment Terms...",
         "Edit the list of payment terms", QKeySequence(), false, false, false},
        {C::Exit, M::File, "Exit1", "E&xit", "Close", QKeySequence("Ctrl+Q"), true, false, false},
        {C::PaymentWizard, M::Tools, "PaymentWizard1", "&Payment Wizard...",
         "Post customer payments and deposits", QKeySequence(), false, true, true},
        {C::ReportWizard, M::Tools, "ReportWizard1", "&Report  Wizard...", "View and print reports",
         QKeySequence(), false, false, false},
        {C::InterestWizard, M::Tools, "InterestWizard1", "&Interest Wizard...", "Interest Wizard",
         QKeySequence(), false, true, false},
        {C::LabelWizard, M::Tools, "LabelWizard1", "&Label Wizard...", "Label Wizard",
         QKeySequence(), false, false, false},
        {C::RepeatBillingWizard, M::Tools, "RepeatBillingWizard1", "Repeat Billing &Wizard...",
         "Repeat Billing Wizard", QKeySequence(), false, true, false},
        {C::FormLetterWizard, M::Tools, "FormLetterWizard1", "Form L&etter Wizard...",
         "Form Letter Wizard", QKeySequence(), false, false, false},
        {C::SendEMailMessage, M::Tools, "SendEMailMessage1", "Send E-Mail &Message",
         "Send E-mail Message", QKeySequence(), false, false, false},
        {C::AgingChart, M::Tools, "AgingChart1", "&Aging Chart", "Aging Chart", QKeySequence(),
         true, false, false},
        {C::Calculator, M::Tools, "WindowsCalculator1", "Windows &Calculator", "Calculator",
         QKeySequence(), false, false, false},
        {C::ViewCalendar, M::Tools, "ViewCalendar1", "&View Calendar", "View Calendar",
         QKeySequence(), false, false, false},
        {C::PasswordSetup, M::Tools, "PasswordSetup1", "Password &Setup", "Password Setup",
         QKeySequence(), true, false, false},
        {C::DeletePaidInvoices, M::Tools, "DeletePaidInvoices1", "&Delete Paid Invoices",
         "Remove old paid invoices", QKeySequence(), false, false, false},
        {C::BackupDataFiles, M::Tools, "BackupDataFiles1", "&Backup Data Files", "Backup Files",
         QKeySequence(), false, false, false},
        {C::RebuildDataFiles, M::Tools, "RebuildDataFiles1", "Rebuild Data &Files",
         "Repair the data files of the current company", QKeySequence(), false, false, false},
        {C::Version1Conversion, M::Tools, "Version1ConversionUtility1",
         "Version 1 Conversion &Utility", "Import the data of the previous version", QKeySequence(),
         false, false, false},
        {C::HelpTopics, M::Help, "Topics1", "&Topics", "Help", QKeySequence(Qt::Key_F1), false,
         false, false},
        {C::HowToUseHelp, M::Help, "HowtouseHelp1", "&How to use Help",
         "How to find your way in the help", QKeySequence(), false, false, false},
        {C::FrequentAskedQuestions, M::Help, "FrequentAskedQuestions1", "&Frequent Asked Questions",
         "Answers to common questions", QKeySequence(), false, false, false},
        {C::About, M::Help, "About1", "&About", "About this program", QKeySequence(), true, false,
         false},
        {C::HomePage, M::None, "", "", "Our Internet Home Page", QKeySequence(), false, false,
         false},
    };
    return items;
}

const std::vector<ToolButtonInfo>& ToolButtons() {
    using C = Command;
    static const std::vector<ToolButtonInfo> buttons = {
        {C::CustomerManager, "CustButn", "&Customers", "Customer Manager", true},
        {C::ProductManager, "ProdButn", "&Products", "Product Manager", true},
        {C::InvoiceManager, "InvButn", "&Invoices", "Invoice Manager", true},
        {C::PaymentWizard, "PayButn", "Pay&ments", "Payment Wizard", true},
        {C::ReportWizard, "RepButn", "&Reports", "Report Wizard", true},
        {C::CompanyManager, "CompButn", "", "Companies/System Options", false},
        {C::PasswordSetup, "PassButn", "", "Password Setup", false},
        {C::ViewCalendar, "CalButn", "", "View Calendar", false},
        {C::Calculator, "CalcButn", "", "Calculator", false},
        {C::InterestWizard, "IntButn", "", "Interest Wizard", false},
        {C::LabelWizard, "LabelButn", "", "Label Wizard", false},
        {C::RepeatBillingWizard, "RepeatButn", "", "Repeat Billing Wizard", false},
        {C::AgingChart, "ChartButn", "", "Aging Chart", false},
        {C::BackupDataFiles, "BackupButn", "", "Backup Files", false},
        {C::HelpTopics, "HelpButn", "", "Help", false},
        {C::PrinterSetup, "PrnButn", "", "Printer Setup", false},
        {C::Exit, "CloseButn", "", "Close", false},
        {C::FormLetterWizard, "LetterButn", "", "Form Letter Wizard", false},
        {C::SendEMailMessage, "EMailButn", "", "Send E-mail Message", false},
        {C::HomePage, "HomeButn", "", "Our Internet Home Page", false},
    };
    return buttons;
}

const MenuItemInfo& MenuItemOf(Command command) {
    const auto& items = MenuItems();
    return *std::find_if(items.begin(), items.end(),
                         [command](const MenuItemInfo& item) { return item.command == command; });
}

}  // namespace shell::ui

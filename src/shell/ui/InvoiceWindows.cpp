#include "shell/ui/InvoiceWindows.h"

#include "customers/ui/CustomerManager.h"
#include "invoicing/ui/InvoiceEntry.h"
#include "invoicing/ui/InvoiceManager.h"
#include "invoicing/ui/InvoiceView.h"
#include "invoicing/ui/QuickView.h"
#include "mail/MailConnection.h"
#include "products/ui/ProductManager.h"
#include "shell/ui/CompanyWindows.h"
#include "shell/ui/CustomerWindows.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/ProductWindows.h"
#include "widgets/StatusWindow.h"

namespace shell::ui {
namespace {

// The status window shows what the mail connection is doing ("Checking E-Mail Server...").
mail::MailStatus StatusWindowShows(widgets::TStatForm& window) {
    const auto text = [](std::string_view utf8) {
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    };
    return {[&window, text](std::string_view caption, std::string_view line) {
                window.ShowStatus(text(caption));
                window.SetLines("", text(line), "");
            },
            [&window] { window.HideStatus(); }};
}

}  // namespace

InvoiceWindows::InvoiceWindows(TMainForm& mainForm, CompanyWindows& companyWindows,
                               CustomerWindows& customerWindows, ProductWindows& productWindows) {
    WindowContext& context = mainForm.context();
    const auto help = [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); };
    company::ProgramState& state = context.state;
    const auto pickCustomer = [&customerWindows,
                               &state]() -> std::optional<records::CustomerRecord> {
        const customers::ui::CustomerManagerResult result =
            customerWindows.manager().Execute(customers::ui::CustomerManagerUse::Select);
        if (!result.picked) return std::nullopt;
        return state.pickedCustomer;
    };
    const auto pickProduct = [&productWindows, &state](const std::string& code,
                                                       const std::string& description) {
        return productWindows.manager()
            .Execute(state.currentCompany, products::ui::ProductPick{code, description})
            .selected;
    };
    widgets::TStatForm& statusWindow = context.statusWindow;
    mail_ = std::make_unique<mail::MailConnection>(context.prompts, context.clock,
                                                   StatusWindowShows(statusWindow));
    quickView_ = new invoicing::ui::TQView(&mainForm);
    view_ = new invoicing::ui::Trtedit(&mainForm);
    entry_ = new invoicing::ui::TProdInv(
        {context.engine, context.prompts, context.clock, state, help, pickCustomer, pickProduct,
         [&mainForm] { mainForm.CalculatorClick(); }},
        &mainForm);
    manager_ = new invoicing::ui::Tinvlist(
        {context.engine, context.prompts, context.clock, state, context.printer, *mail_,
         statusWindow, companyWindows.findBox(), help},
        *quickView_, *view_, *entry_, &mainForm);
    // Invoice files that cannot be opened keep the manager closed; the message has been shown
    // and the program goes on.
    mainForm.SetCommandHandler(Command::InvoiceManager, [this] { (void)manager_->Execute(); });
}

InvoiceWindows::~InvoiceWindows() = default;

}  // namespace shell::ui

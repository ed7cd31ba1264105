#include "shell/ui/InvoiceWindows.h"

#include "customers/ui/CustomerManager.h"
#include "invoicing/ui/InvoiceEntry.h"
#include "invoicing/ui/InvoiceManager.h"
#include "invoicing/ui/QuickView.h"
#include "products/ui/ProductManager.h"
#include "shell/ui/CompanyWindows.h"
#include "shell/ui/CustomerWindows.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/ProductWindows.h"

namespace shell::ui {

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
    quickView_ = new invoicing::ui::TQView(&mainForm);
    entry_ = new invoicing::ui::TProdInv(
        {context.engine, context.prompts, context.clock, state, help, pickCustomer, pickProduct,
         [&mainForm] { mainForm.CalculatorClick(); }},
        &mainForm);
    manager_ = new invoicing::ui::Tinvlist({context.engine, context.prompts, context.clock, state,
                                            context.printer, companyWindows.findBox(), help},
                                           *quickView_, *entry_, &mainForm);
    // Invoice files that cannot be opened keep the manager closed; the message has been shown
    // and the program goes on.
    mainForm.SetCommandHandler(Command::InvoiceManager, [this] { (void)manager_->Execute(); });
}

}  // namespace shell::ui

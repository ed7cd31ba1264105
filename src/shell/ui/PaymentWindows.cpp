#include "shell/ui/PaymentWindows.h"

#include <QCoreApplication>

#include "customers/ui/CustomerManager.h"
#include "receivables/ui/PaymentWindow.h"
#include "shell/ui/CustomerWindows.h"
#include "shell/ui/MainWindow.h"

namespace shell::ui {

PaymentWindows::PaymentWindows(TMainForm& mainForm, CustomerWindows& customerWindows) {
    WindowContext& context = mainForm.context();
    const auto pickCustomer = [&customerWindows,
                               &state = context.state]() -> std::optional<records::CustomerRecord> {
        const customers::ui::CustomerManagerResult result =
            customerWindows.manager().Execute(customers::ui::CustomerManagerUse::Select);
        // Without its customer file the program cannot go on.
        if (result.cannotOpen) QCoreApplication::exit(1);
        if (!result.picked) return std::nullopt;
        return state.pickedCustomer;
    };
    wizard_ = new receivables::ui::TPayBox(
        {{context.engine, context.prompts, context.state, context.clock},
         pickCustomer,
         [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); }},
        &mainForm);
    mainForm.SetCommandHandler(Command::PaymentWizard, [this] { (void)wizard_->Execute(); });
}

}  // namespace shell::ui

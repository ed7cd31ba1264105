#include "shell/ui/PaymentWindows.h"

#include "receivables/ui/PaymentWindow.h"
#include "shell/ui/CustomerWindows.h"
#include "shell/ui/MainWindow.h"

namespace shell::ui {

PaymentWindows::PaymentWindows(TMainForm& mainForm, CustomerWindows& customerWindows) {
    WindowContext& context = mainForm.context();
    const auto pickCustomer = [&customerWindows] { return customerWindows.PickCustomer(); };
    wizard_ = new receivables::ui::TPayBox(
        {{context.engine, context.prompts, context.state, context.clock},
         pickCustomer,
         [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); }},
        &mainForm);
    mainForm.SetCommandHandler(Command::PaymentWizard, [this] { (void)wizard_->Execute(); });
}

}  // namespace shell::ui

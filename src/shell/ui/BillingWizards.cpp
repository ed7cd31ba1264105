#include "shell/ui/BillingWizards.h"

#include "invoicing/ui/InterestWizard.h"
#include "invoicing/ui/RepeatBillingWizard.h"
#include "shell/ui/MainWindow.h"

namespace shell::ui {

BillingWizards::BillingWizards(TMainForm& mainForm) {
    WindowContext& context = mainForm.context();
    const auto help = [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); };
    repeat_ = new invoicing::ui::TSelectRepeat(
        {context.engine, context.prompts, context.state, context.clock, help}, &mainForm);
    interest_ = new invoicing::ui::TInterestWiz(
        {context.engine, context.prompts, context.state, context.clock, context.printer, help,
         context.setStatusText},
        &mainForm);
    mainForm.SetCommandHandler(Command::RepeatBillingWizard, [this] { repeat_->Execute(); });
    mainForm.SetCommandHandler(Command::InterestWizard, [this] { interest_->Execute(); });
}

}  // namespace shell::ui

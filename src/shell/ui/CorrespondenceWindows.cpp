#include "shell/ui/CorrespondenceWindows.h"

#include "correspondence/ui/FormLetterWizard.h"
#include "correspondence/ui/LabelWizard.h"
#include "correspondence/ui/SendMailMessage.h"
#include "shell/ui/CustomerWindows.h"
#include "shell/ui/InvoiceWindows.h"
#include "shell/ui/MainWindow.h"

namespace shell::ui {

CorrespondenceWindows::CorrespondenceWindows(TMainForm& mainForm, CustomerWindows& customerWindows,
                                             InvoiceWindows& invoiceWindows) {
    WindowContext& context = mainForm.context();
    const auto help = [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); };
    const auto pickCustomer = [&customerWindows] { return customerWindows.PickCustomer(); };
    const correspondence::LabelWizardServices files{context.engine, context.prompts, context.state};
    labelWizard_ =
        new correspondence::ui::TLblWiz({files, context.printer, pickCustomer, help}, &mainForm);
    const auto showQueue = [this] { labelWizard_->Execute(); };
    letterWizard_ =
        new correspondence::ui::TLetterWiz({files, context.printer, showQueue, help}, &mainForm);
    mailMessage_ = new correspondence::ui::TEMMemo(
        {context.prompts, context.engine, context.state, invoiceWindows.mail(),
         context.statusWindow, showQueue, help},
        &mainForm);

    mainForm.SetCommandHandler(Command::LabelWizard, showQueue);
    mainForm.SetCommandHandler(Command::FormLetterWizard, [this] { letterWizard_->Execute(); });
    mainForm.SetCommandHandler(Command::SendEMailMessage, [this] { mailMessage_->Execute(); });
}

}  // namespace shell::ui

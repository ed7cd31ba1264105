#include "shell/ui/InvoiceWindows.h"

#include "invoicing/ui/InvoiceManager.h"
#include "invoicing/ui/QuickView.h"
#include "shell/ui/CompanyWindows.h"
#include "shell/ui/MainWindow.h"

namespace shell::ui {

InvoiceWindows::InvoiceWindows(TMainForm& mainForm, CompanyWindows& companyWindows) {
    WindowContext& context = mainForm.context();
    quickView_ = new invoicing::ui::TQView(&mainForm);
    manager_ = new invoicing::ui::Tinvlist(
        {context.engine, context.prompts, context.clock, context.state, context.printer,
         companyWindows.findBox(),
         [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); }},
        *quickView_, &mainForm);
    // Invoice files that cannot be opened keep the manager closed; the message has been shown
    // and the program goes on.
    mainForm.SetCommandHandler(Command::InvoiceManager, [this] { (void)manager_->Execute(); });
}

}  // namespace shell::ui

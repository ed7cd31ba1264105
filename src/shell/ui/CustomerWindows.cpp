#include "shell/ui/CustomerWindows.h"

#include <QCoreApplication>

#include "customers/ui/CustomerDialog.h"
#include "customers/ui/CustomerManager.h"
#include "shell/ui/CompanyWindows.h"
#include "shell/ui/MainWindow.h"

namespace shell::ui {

CustomerWindows::CustomerWindows(TMainForm& mainForm, CompanyWindows& companyWindows)
    : state_(mainForm.context().state) {
    WindowContext& context = mainForm.context();
    const auto help = [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); };
    dialog_ = new customers::ui::TEditDlg(
        {company::PaymentTermsIn(context.engine.fileSystem()), context.state, help}, &mainForm);
    manager_ = new customers::ui::TDemoForm(
        {context.engine, context.prompts, context.clock, context.state, context.printer,
         context.statusWindow, companyWindows.findBox(), companyWindows.listWindow(), help},
        *dialog_, &mainForm);

    mainForm.SetCommandHandler(Command::CustomerManager, [this] {
        // Without its customer file the program cannot go on.
        if (manager_->Execute().cannotOpen) QCoreApplication::exit(1);
    });
}

std::optional<records::CustomerRecord> CustomerWindows::PickCustomer() {
    const customers::ui::CustomerManagerResult result =
        manager_->Execute(customers::ui::CustomerManagerUse::Select);
    // Without its customer file the program cannot go on.
    if (result.cannotOpen) QCoreApplication::exit(1);
    if (!result.picked) return std::nullopt;
    return state_.pickedCustomer;
}

}  // namespace shell::ui

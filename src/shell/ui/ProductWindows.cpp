#include "shell/ui/ProductWindows.h"

#include <QCoreApplication>

#include "products/ui/ProductDialog.h"
#include "products/ui/ProductManager.h"
#include "shell/ui/CompanyWindows.h"
#include "shell/ui/MainWindow.h"

namespace shell::ui {

ProductWindows::ProductWindows(TMainForm& mainForm, CompanyWindows& companyWindows) {
    WindowContext& context = mainForm.context();
    const auto help = [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); };
    dialog_ = new products::ui::TUpdProd(context.prompts, help, &mainForm);
    manager_ = new products::ui::TEditProd(
        {context.engine, context.prompts, context.clock, context.printer, context.statusWindow,
         companyWindows.findBox(), companyWindows.listWindow(), help},
        *dialog_, &mainForm);

    mainForm.SetCommandHandler(Command::ProductManager, [this, &context] {
        // Without its product file the program cannot go on.
        if (manager_->Execute(context.state.currentCompany).cannotOpen) QCoreApplication::exit(1);
    });
}

}  // namespace shell::ui

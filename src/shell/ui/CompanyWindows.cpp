#include "shell/ui/CompanyWindows.h"

#include <QCoreApplication>

#include "shell/ui/CompanyManager.h"
#include "shell/ui/CompanyOptions.h"
#include "shell/ui/HeaderForm.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/TermEditor.h"
#include "widgets/FindBox.h"
#include "widgets/ListWindow.h"
#include "widgets/PrinterCanvas.h"

namespace shell::ui {

CompanyWindows::CompanyWindows(TMainForm& mainForm) {
    widgets::WindowContext& context = mainForm.context();
    const auto help = [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); };
    headers_ = new THeaderForm(context.prompts, help, &mainForm);
    options_ = new TCompSet(context.state, context.prompts, *headers_, help, &mainForm);
    findBox_ = new widgets::TFindBox(context.engine, context.prompts, help, &mainForm);
    listWindow_ = new widgets::TListWindow(
        context.prompts,
        [&printer = context.printer] { return std::make_shared<widgets::PrinterCanvas>(printer); },
        &mainForm);
    manager_ = new TListComps(
        context, *options_, *findBox_, *listWindow_,
        [&mainForm] { return mainForm.CheckPassword(); }, &mainForm);
    terms_ = new TTermEdit(context.prompts, help, &mainForm);

    mainForm.SetCommandHandler(Command::CompanyManager, [this, &mainForm] {
        mainForm.SwitchCompany([this] { return ShowCompanyManager(); });
    });
    mainForm.SetCommandHandler(Command::EditPaymentTerms, [this] { terms_->exec(); });
}

bool CompanyWindows::ShowCompanyManager() {
    switch (manager_->Execute()) {
        case TListComps::Outcome::Ok:
            return true;
        case TListComps::Outcome::Closed:
            return false;
        case TListComps::Outcome::CannotOpen:
            break;
    }
    // Without its company file the program cannot go on.
    QCoreApplication::exit(1);
    return false;
}

}  // namespace shell::ui

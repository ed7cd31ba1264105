#include "shell/ui/CompanyWindows.h"

#include <QCoreApplication>

#include "company/ui/CompanyManager.h"
#include "company/ui/CompanyOptions.h"
#include "company/ui/HeaderForm.h"
#include "company/ui/TermEditor.h"
#include "shell/ui/MainWindow.h"
#include "widgets/FindBox.h"
#include "widgets/ListWindow.h"
#include "widgets/PrinterCanvas.h"

namespace shell::ui {

CompanyWindows::CompanyWindows(TMainForm& mainForm) {
    WindowContext& context = mainForm.context();
    const auto help = [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); };
    headers_ = new company::ui::THeaderForm(context.prompts, help, &mainForm);
    options_ = new company::ui::TCompSet(company::PaymentTermsIn(context.engine.fileSystem()),
                                         context.prompts, *headers_, help, &mainForm);
    findBox_ = new widgets::TFindBox(context.engine, context.prompts, help, &mainForm);
    listWindow_ = new widgets::TListWindow(
        context.prompts,
        [&printer = context.printer] { return std::make_shared<widgets::PrinterCanvas>(printer); },
        &mainForm);
    manager_ = new company::ui::TListComps(
        {context.engine, context.prompts, context.clock, context.state, context.printer,
         context.statusWindow, help},
        *options_, *findBox_, *listWindow_, [&mainForm] { return mainForm.CheckPassword(); },
        &mainForm);
    terms_ = new company::ui::TTermEdit(
        company::TermEditorFlow(context.engine.fileSystem(), context.prompts), help, &mainForm);

    mainForm.SetCommandHandler(Command::CompanyManager, [this, &mainForm] {
        mainForm.SwitchCompany([this] { return ShowCompanyManager(); });
    });
    mainForm.SetCommandHandler(Command::EditPaymentTerms, [this] { terms_->exec(); });
}

company::CompanyManagerResult CompanyWindows::ShowCompanyManager() {
    const company::CompanyManagerResult result = manager_->Execute();
    // Without its company file the program cannot go on.
    if (result.ending == company::CompanyManagerResult::Ending::CannotOpen)
        QCoreApplication::exit(1);
    return result;
}

}  // namespace shell::ui

#include "shell/ui/StatementWindows.h"

#include "customers/ui/CustomerManager.h"
#include "shell/ui/CustomerWindows.h"
#include "shell/ui/InvoiceWindows.h"
#include "shell/ui/MainWindow.h"
#include "statements/ui/StatementCommands.h"

namespace shell::ui {

StatementWindows::StatementWindows(TMainForm& mainForm, CustomerWindows& customerWindows,
                                   InvoiceWindows& invoiceWindows) {
    WindowContext& context = mainForm.context();
    commands_ = std::make_unique<statements::ui::StatementCommands>(
        statements::ui::StatementServices{
            context.engine, context.prompts, context.clock, context.state, context.printer,
            invoiceWindows.mail(), context.statusWindow,
            [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); }},
        &mainForm);
    statements::ui::StatementCommands& commands = *commands_;
    customerWindows.manager().SetStatementCommands(
        {[&commands](auto& customers, const records::CustomerRecord& customer) {
             commands.ShowStatement(customers, customer);
         },
         [&commands](auto& customers, const auto& setStatus) {
             commands.BatchPrint(customers, setStatus);
         }});
}

StatementWindows::~StatementWindows() = default;

}  // namespace shell::ui

#include "shell/ui/ReportWindows.h"

#include <QPageLayout>
#include <QPrinter>
#include <memory>

#include "shell/ui/MainWindow.h"
#include "statements/ui/ReportWizard.h"
#include "widgets/PrinterCanvas.h"

namespace shell::ui {

ReportWindows::ReportWindows(TMainForm& mainForm) {
    WindowContext& context = mainForm.context();
    // Reports print on the program's printer, across the page where the report asks for it.
    auto printer = [&printer = context.printer](bool landscape) {
        printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        return std::make_shared<widgets::PrinterCanvas>(printer);
    };
    wizard_ = new statements::ui::TRptSelect(
        {context.engine, context.prompts, context.clock, context.state, printer,
         [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); }},
        &mainForm);
    mainForm.SetCommandHandler(Command::ReportWizard, [this] { wizard_->Execute(); });
}

}  // namespace shell::ui

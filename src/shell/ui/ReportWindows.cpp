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
    // Reports print on the program's printer, across the page where the report asks for it; once
    // the job is done the printer is set back as the other forms had it.
    auto printer = [&printer = context.printer](bool landscape) {
        const QPageLayout::Orientation before = printer.pageLayout().orientation();
        printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        return std::shared_ptr<base::Canvas>(new widgets::PrinterCanvas(printer),
                                             [&printer, before](base::Canvas* canvas) {
                                                 delete canvas;
                                                 printer.setPageOrientation(before);
                                             });
    };
    wizard_ = new statements::ui::TRptSelect(
        {context.engine, context.prompts, context.clock, context.state, printer,
         [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); }},
        &mainForm);
    mainForm.SetCommandHandler(Command::ReportWizard, [this] { wizard_->Execute(); });
}

}  // namespace shell::ui

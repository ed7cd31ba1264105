#include "statements/ui/StatementPrintJob.h"

#include "base/Windows1252.h"
#include "statements/StatementForm.h"
#include "widgets/PrinterCanvas.h"

namespace statements::ui {

StatementPrintJob::StatementPrintJob(QPrinter& printer, base::PromptService& prompts)
    : printer_(printer), prompts_(prompts) {}

StatementPrintJob::~StatementPrintJob() = default;

StatementPrinter StatementPrintJob::Printer() {
    return [this](const Statement& statement, const std::function<bool(base::Canvas&)>& draw) {
        return Print(statement, draw);
    };
}

bool StatementPrintJob::Print(const Statement& statement,
                              const std::function<bool(base::Canvas&)>& draw) {
    if (!asked_) {
        asked_ = true;
        chosen_ = prompts_.PrintDialog(base::Win1252ToUtf8(StatementJobTitle(statement)));
        if (chosen_) {
            canvas_ = std::make_unique<widgets::PrinterCanvas>(printer_);
            canvas_->JoinDocuments();
        }
    }
    return chosen_ && draw(*canvas_);
}

}  // namespace statements::ui

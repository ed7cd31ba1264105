#pragma once
// One print job of statements on the program's printer: the print dialog is asked before the
// first statement, and every statement of the job goes to the same job on a new page, so a batch
// printed to a PDF file keeps every statement.

#include <memory>

#include "base/PromptService.h"
#include "statements/StatementOutput.h"

class QPrinter;

namespace widgets {
class PrinterCanvas;
}

namespace statements::ui {

class StatementPrintJob {
public:
    StatementPrintJob(QPrinter& printer, base::PromptService& prompts);
    ~StatementPrintJob();
    StatementPrintJob(const StatementPrintJob&) = delete;
    StatementPrintJob& operator=(const StatementPrintJob&) = delete;

    // The printer of the output context; must not outlive this job.
    StatementPrinter Printer();

private:
    bool Print(const Statement& statement, const std::function<bool(base::Canvas&)>& draw);

    QPrinter& printer_;
    base::PromptService& prompts_;
    bool asked_ = false;
    bool chosen_ = false;
    std::unique_ptr<widgets::PrinterCanvas> canvas_;
};

}  // namespace statements::ui

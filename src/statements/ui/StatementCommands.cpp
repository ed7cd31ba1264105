#include "statements/ui/StatementCommands.h"

#include <QApplication>

#include "statements/StatementBatch.h"
#include "statements/ui/BatchStatementDialog.h"
#include "statements/ui/StatementPrintJob.h"
#include "statements/ui/StatementSelectionDialog.h"
#include "statements/ui/StatementWindow.h"
#include "widgets/RecordText.h"
#include "widgets/StatusWindow.h"

namespace statements::ui {
namespace {

constexpr char kProgressCaption[] = "Batch Statements";

QString Shown(std::string_view text) {
    return widgets::ToRecordText(std::string(text));
}

}  // namespace

StatementCommands::StatementCommands(StatementServices services, QWidget* parent)
    : services_(std::move(services)),
      window_(new TStment(services_, parent)),
      selection_(new TSelStmnt(services_.showHelp, parent)),
      batch_(new TBatchStWin(services_.prompts, parent)) {}

void StatementCommands::ShowStatement(receivables::CustomerFile& customers,
                                      const records::CustomerRecord& customer) {
    window_->Execute(customers, customer);
}

void StatementCommands::BatchPrint(receivables::CustomerFile& customers,
                                   const std::function<void(std::string_view status)>& setStatus) {
    widgets::TStatForm& progress = services_.statusWindow;
    progress.HideStatus();
    StatementPrintJob job(services_.printer, services_.prompts);
    OutputContext output{services_.state.currentCompany, services_.state.defaultOutput,
                         job.Printer(), &services_.mail, services_.state.todayText};
    BatchSteps steps;
    steps.choose = [this] { return selection_->Execute(); };
    steps.askSize = [this](const BatchDialogTexts& texts, size_t count) {
        return batch_->Execute(texts, count);
    };
    steps.shown.progress = [&progress](std::string_view line) {
        progress.ShowStatus(kProgressCaption);
        progress.SetLines("", Shown(line), "");
    };
    steps.shown.status = [&setStatus](std::string_view line) {
        setStatus(line);
        QApplication::processEvents();
    };
    steps.hideProgress = [&progress] { progress.HideStatus(); };
    steps.collecting = [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    (void)BatchStatementsCommand(services_.engine, services_.prompts, customers, output,
                                 services_.state, services_.clock, steps);
    progress.HideStatus();
}

}  // namespace statements::ui

#pragma once
// The statement commands of the Customer Manager: "&View / Print" shows the statement window on
// the selected customer; "&Batch Print" runs batch statements through the selection and batch
// dialogs, with the status window showing each statement and the manager's status line the run.

#include <QString>
#include <functional>
#include <string_view>

#include "statements/StatementFiles.h"
#include "statements/ui/StatementServices.h"

class QWidget;

namespace statements::ui {

class TBatchStWin;
class TSelStmnt;
class TStment;

class StatementCommands {
public:
    // The windows become children of `parent`, which must outlive this object.
    StatementCommands(StatementServices services, QWidget* parent);

    // `customers` is the Customer Manager's open customer file.
    void ShowStatement(receivables::CustomerFile& customers,
                       const records::CustomerRecord& customer);
    // `setStatus` puts a text into the manager's status line.
    void BatchPrint(receivables::CustomerFile& customers,
                    const std::function<void(std::string_view status)>& setStatus);

    TSelStmnt& selection() { return *selection_; }
    TBatchStWin& batch() { return *batch_; }

private:
    StatementServices services_;
    TStment* window_;
    TSelStmnt* selection_;
    TBatchStWin* batch_;
};

}  // namespace statements::ui

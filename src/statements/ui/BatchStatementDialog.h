#pragma once
// TBatchStWin: "Batch Print Statements", asked before a batch of statements. It shows the last
// batch run and how many statements wait, and asks the batch size (preset to all of them).

#include <QDialog>
#include <cstddef>
#include <optional>

#include "base/PromptService.h"
#include "statements/StatementBatch.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace statements::ui {

class TBatchStWin : public QDialog {
    Q_OBJECT
public:
    explicit TBatchStWin(base::PromptService& prompts, QWidget* parent = nullptr);

    // The batch size for `count` statements; nothing when cancelled.
    std::optional<size_t> Execute(const BatchDialogTexts& texts, size_t count);

private:
    void OutputClick();

    base::PromptService& prompts_;
    QLabel* lastRun_;
    QLabel* count_;
    QLineEdit* size_;
    QPushButton* output_;
    size_t statements_ = 0;
    std::optional<size_t> chosen_;
};

}  // namespace statements::ui

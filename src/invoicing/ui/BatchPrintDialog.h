#pragma once
// TInvBatch: "Batch Print Invoices", asked before a Batch Print run. It says how many invoices
// wait and what goes out with them, and asks how many to print this cycle (preset to all of them).

#include <QDialog>
#include <array>
#include <cstddef>
#include <optional>

#include "base/PromptService.h"
#include "invoicing/BatchPrint.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace invoicing::ui {

class TInvBatch : public QDialog {
    Q_OBJECT
public:
    explicit TInvBatch(base::PromptService& prompts, QWidget* parent = nullptr);

    // How many of the `collected` invoices to print, at most `collected`; nothing when cancelled.
    std::optional<size_t> Execute(const BatchPrintTexts& texts, size_t collected);

private:
    void PrintClick();

    base::PromptService& prompts_;
    std::array<QLabel*, 3> lines_;
    QLineEdit* number_;
    QPushButton* print_;
    size_t collected_ = 0;
    std::optional<size_t> count_;
};

}  // namespace invoicing::ui

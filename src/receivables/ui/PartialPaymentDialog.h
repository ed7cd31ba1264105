#pragma once
// TPPmtDialog: the amount of a partial payment ("Partial Payment") or of a deposit on account
// ("Deposit on Account"). Its OK hands the typed amount to the check it was given; a refusal is
// shown and the dialog stays open on the amount.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "base/PromptService.h"
#include "receivables/PaymentWindowFlow.h"

class QLabel;
class QLineEdit;

namespace receivables::ui {

class TPPmtDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPPmtDialog(base::PromptService& prompts, QWidget* parent = nullptr);

    // Shows the dialog modally with `caption` and the item described by `item`, the amount
    // "0.00"; true when OK passed `check`.
    bool Execute(const QString& caption, const QString& item, const AmountCheck& check);

    void OKBtnClick();

private:
    base::PromptService& prompts_;
    const AmountCheck* check_ = nullptr;
    QLabel* item_;
    QLineEdit* amount_;
};

}  // namespace receivables::ui

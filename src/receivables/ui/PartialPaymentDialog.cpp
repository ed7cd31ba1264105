#include "receivables/ui/PartialPaymentDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/RecordText.h"

namespace receivables::ui {
namespace {

constexpr int kAmountLength = 10;

}  // namespace

TPPmtDialog::TPPmtDialog(base::PromptService& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
    setObjectName("PPmtDialog");
    setModal(true);

    item_ = new QLabel(this);
    item_->setObjectName("ItemLabel");
    item_->setTextFormat(Qt::PlainText);

    amount_ = new QLineEdit(this);
    amount_->setObjectName("PPAmt");
    widgets::ConfigureRecordTextEdit(*amount_, kAmountLength);
    amount_->setAlignment(Qt::AlignRight);
    amount_->setFixedWidth(amount_->fontMetrics().horizontalAdvance("9,999,999.99") + 16);

    auto* form = new QFormLayout;
    auto* amountLabel = new QLabel("&Amount:", this);
    amountLabel->setBuddy(amount_);
    form->addRow(amountLabel, amount_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName("OKBtn");
    ok->setText("&OK");
    ok->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    buttons->button(QDialogButtonBox::Cancel)->setText("&Cancel");
    connect(ok, &QPushButton::clicked, this, &TPPmtDialog::OKBtnClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(item_);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TPPmtDialog::Execute(const QString& caption, const QString& item, const AmountCheck& check) {
    setWindowTitle(caption);
    item_->setText(item);
    amount_->setText("0.00");
    amount_->selectAll();
    amount_->setFocus();
    check_ = &check;
    const bool taken = exec() == QDialog::Accepted;
    check_ = nullptr;
    return taken;
}

void TPPmtDialog::OKBtnClick() {
    if (check_ == nullptr) return;
    if (const auto refusal = (*check_)(widgets::FromRecordText(amount_->text()))) {
        prompts_.Message(refusal->caption, refusal->text, base::PromptIcon::Warning,
                         base::PromptButtons::Ok);
        amount_->setFocus();
        amount_->selectAll();
        return;
    }
    accept();
}

}  // namespace receivables::ui

#include "invoicing/ui/BatchPrintDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

namespace invoicing::ui {
namespace {

constexpr size_t kLargestTyped = 9999;  // four digits

}  // namespace

TInvBatch::TInvBatch(base::PromptService& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
    setObjectName("TInvBatch");
    setWindowTitle("Batch Print Invoices");
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 12);
    for (size_t i = 0; i < lines_.size(); ++i) {
        lines_[i] = new QLabel(this);
        lines_[i]->setObjectName(QString("Line%1").arg(i + 1));
        lines_[i]->setTextFormat(Qt::PlainText);
        lines_[i]->setAlignment(Qt::AlignCenter);
        layout->addWidget(lines_[i]);
    }
    QFont bold = lines_[0]->font();
    bold.setBold(true);
    lines_[0]->setFont(bold);
    layout->addSpacing(8);

    number_ = new QLineEdit(this);
    number_->setObjectName("BatchNum");
    number_->setMaxLength(4);
    number_->setValidator(new QRegularExpressionValidator(QRegularExpression("\\d{0,4}"), number_));
    number_->setFixedWidth(number_->fontMetrics().horizontalAdvance("99999") + 16);
    number_->setAlignment(Qt::AlignRight);
    auto* caption = new QLabel("&Number to print this cycle:", this);
    caption->setBuddy(number_);
    auto* numberRow = new QHBoxLayout;
    numberRow->addStretch(1);
    numberRow->addWidget(caption);
    numberRow->addWidget(number_);
    numberRow->addStretch(1);
    layout->addLayout(numberRow);
    layout->addSpacing(8);

    auto* buttons = new QDialogButtonBox(this);
    print_ = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    print_->setObjectName("PrintBtn");
    print_->setDefault(true);
    QPushButton* cancel = buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelBtn");
    cancel->setAutoDefault(false);
    buttons->setCenterButtons(true);
    connect(print_, &QPushButton::clicked, this, &TInvBatch::PrintClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}

void TInvBatch::PrintClick() {
    count_ = BatchCount(number_->text().toStdString(), collected_, prompts_);
    if (count_) accept();
}

std::optional<size_t> TInvBatch::Execute(const BatchPrintTexts& texts, size_t collected) {
    for (size_t i = 0; i < lines_.size(); ++i)
        lines_[i]->setText(QString::fromStdString(texts.lines[i]));
    print_->setText(QString::fromStdString(texts.button));
    collected_ = collected;
    count_.reset();
    number_->setText(QString::number(std::min(collected, kLargestTyped)));
    number_->selectAll();
    number_->setFocus();
    return exec() == QDialog::Accepted ? count_ : std::nullopt;
}

}  // namespace invoicing::ui

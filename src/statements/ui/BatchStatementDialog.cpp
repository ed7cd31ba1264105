#include "statements/ui/BatchStatementDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "widgets/RecordText.h"

namespace statements::ui {
namespace {

constexpr size_t kLargestTyped = 9999;  // four digits

}  // namespace

TBatchStWin::TBatchStWin(base::PromptService& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
    setObjectName("TBatchStWin");
    setWindowTitle("Batch Print Statements");
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 12);
    lastRun_ = new QLabel(this);
    lastRun_->setObjectName("LastRunLabel");
    count_ = new QLabel(this);
    count_->setObjectName("CountLabel");
    QFont bold = count_->font();
    bold.setBold(true);
    count_->setFont(bold);
    for (QLabel* label : {lastRun_, count_}) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    layout->addSpacing(8);

    size_ = new QLineEdit(this);
    size_->setObjectName("EMBNum");
    size_->setMaxLength(4);
    size_->setValidator(new QRegularExpressionValidator(QRegularExpression("\\d{0,4}"), size_));
    size_->setFixedWidth(size_->fontMetrics().horizontalAdvance("99999") + 16);
    size_->setAlignment(Qt::AlignRight);
    auto* caption = new QLabel("Print in &batches of:", this);
    caption->setBuddy(size_);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addStretch(1);
    sizeRow->addWidget(caption);
    sizeRow->addWidget(size_);
    sizeRow->addStretch(1);
    layout->addLayout(sizeRow);
    layout->addSpacing(8);

    auto* buttons = new QDialogButtonBox(this);
    output_ = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    output_->setObjectName("OKBtn");
    output_->setDefault(true);
    QPushButton* cancel = buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelBtn");
    cancel->setAutoDefault(false);
    buttons->setCenterButtons(true);
    connect(output_, &QPushButton::clicked, this, &TBatchStWin::OutputClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}

void TBatchStWin::OutputClick() {
    chosen_ = BatchSize(widgets::FromRecordText(size_->text()), statements_, prompts_);
    if (chosen_) accept();
}

std::optional<size_t> TBatchStWin::Execute(const BatchDialogTexts& texts, size_t count) {
    lastRun_->setText(widgets::ToRecordText(texts.lastRun));
    count_->setText(widgets::ToRecordText(texts.count));
    output_->setText(QString::fromStdString(texts.button));
    statements_ = count;
    chosen_.reset();
    size_->setText(QString::number(std::min(count, kLargestTyped)));
    size_->selectAll();
    size_->setFocus();
    return exec() == QDialog::Accepted ? chosen_ : std::nullopt;
}

}  // namespace statements::ui

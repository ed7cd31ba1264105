#include "company/ui/TermEditor.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "company/PaymentTerms.h"
#include "widgets/RecordText.h"

namespace company::ui {

namespace {

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TTermEdit::TTermEdit(TermEditorFlow flow, std::function<void(const QString&)> showHelp,
                     QWidget* parent)
    : QDialog(parent), flow_(std::move(flow)), showHelp_(std::move(showHelp)) {
    setObjectName("TermEdit");
    setWindowTitle("Edit Payment Terms");
    setModal(true);

    termList_ = new QListWidget(this);
    termList_->setObjectName("TermList");
    termEdit_ = new QLineEdit(this);
    termEdit_->setObjectName("TermEdit");
    widgets::ConfigureRecordTextEdit(*termEdit_, company::kMaxTermLength);
    prompt_ = new QLabel(this);
    prompt_->setObjectName("PromptLabel");
    prompt_->setMinimumWidth(termEdit_->fontMetrics().horizontalAdvance(
        "Enter new payment term and select Ok button..."));

    auto* addBtn = Button("Add", "AddBtn", this);
    auto* editBtn = Button("Edit", "EditBtn", this);
    auto* deleteBtn = Button("Delete", "DeleteBtn", this);
    okBtn_ = Button("Ok", "OkBtn", this);
    auto* closeBtn = Button("&Close", "CloseBtn", this);
    auto* helpBtn = Button("Help", "HelpBtn", this);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {addBtn, editBtn, deleteBtn, okBtn_}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(closeBtn);
    buttons->addWidget(helpBtn);

    auto* grid = new QGridLayout(this);
    grid->addWidget(termList_, 0, 0);
    grid->addLayout(buttons, 0, 1, 3, 1);
    grid->addWidget(prompt_, 1, 0);
    grid->addWidget(termEdit_, 2, 0);

    connect(termList_, &QListWidget::itemClicked, this, [this] { TermListClick(); });
    connect(addBtn, &QPushButton::clicked, this, [this] { AddBtnClick(); });
    connect(editBtn, &QPushButton::clicked, this, [this] { EditBtnClick(); });
    connect(deleteBtn, &QPushButton::clicked, this, [this] { DeleteBtnClick(); });
    connect(okBtn_, &QPushButton::clicked, this, [this] { OkBtnClick(); });
    connect(termEdit_, &QLineEdit::returnPressed, this, [this] { OkBtnClick(); });
    connect(closeBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });
    connect(helpBtn, &QPushButton::clicked, this, [this] { showHelp_("EditTerms"); });
    resize(420, 300);
}

void TTermEdit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TTermEdit::FormShow() {
    flow_.Load();
    ShowTerms();
    EndEntry();
    termList_->setFocus();
    SelectFirst();
}

void TTermEdit::EndEntry() {
    mode_ = Mode::None;
    prompt_->clear();
    termEdit_->clear();
    termEdit_->setEnabled(false);
    okBtn_->setEnabled(false);
}

void TTermEdit::ShowTerms() {
    termList_->clear();
    for (const std::string& term : flow_.terms()) termList_->addItem(widgets::ToRecordText(term));
}

void TTermEdit::SelectFirst() {
    if (termList_->count() > 0) termList_->setCurrentRow(0);
}

void TTermEdit::TermListClick() {
    EndEntry();
}

void TTermEdit::AddBtnClick() {
    mode_ = Mode::Add;
    prompt_->setText("Enter new payment term and select Ok button...");
    termEdit_->clear();
    termEdit_->setEnabled(true);
    okBtn_->setEnabled(true);
    termEdit_->setFocus();
}

void TTermEdit::EditBtnClick() {
    QListWidgetItem* selected = termList_->currentItem();
    if (selected == nullptr) return;  // nothing to edit in an empty list
    mode_ = Mode::Edit;
    prompt_->setText("Edit this payment term and select Ok button...");
    termEdit_->setText(selected->text());
    termEdit_->setEnabled(true);
    okBtn_->setEnabled(true);
    termEdit_->setFocus();
}

void TTermEdit::OkBtnClick() {
    if (mode_ == Mode::None) return;
    const std::string term = widgets::FromRecordText(termEdit_->text());
    const int row = termList_->currentRow();
    const bool taken = mode_ == Mode::Edit && row >= 0 ? flow_.Replace(row, term) : flow_.Add(term);
    if (!taken) {
        termEdit_->setFocus();
        return;
    }
    ShowTerms();
    EndEntry();
    termList_->setFocus();
    SelectFirst();
}

void TTermEdit::DeleteBtnClick() {
    const int row = termList_->currentRow();
    if (!flow_.Delete(row >= 0 ? std::optional<std::size_t>(row) : std::nullopt)) return;
    ShowTerms();
    termList_->setFocus();
    SelectFirst();
}

void TTermEdit::CloseBtnClick() {
    flow_.Close();
    QDialog::accept();
}

void TTermEdit::reject() {
    CloseBtnClick();
}

}  // namespace company::ui

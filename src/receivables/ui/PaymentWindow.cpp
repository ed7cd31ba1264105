#include "receivables/ui/PaymentWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "base/Text.h"
#include "receivables/ui/PartialPaymentDialog.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"

namespace receivables::ui {
namespace {

constexpr int kAmountLength = 10;
constexpr int kNoteLength = 25;
// A posting line is 32 characters; a little more leaves room for wider amounts.
constexpr int kListColumns = 36;

QString Shown(const std::string& text) {
    return widgets::ToRecordText(text);
}

QLabel* ValueLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text,
                    const QString& hint = {}) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    return button;
}

QListWidget* PostingList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setFont(widgets::PrinterCanvas::ToColumnFont(base::FontChoice{.family = "Courier New"}));
    list->setMinimumWidth(list->fontMetrics().horizontalAdvance(QString(kListColumns, 'W')) +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
    return list;
}

QLabel* Caption(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

std::vector<int> SelectedRows(const QListWidget& list) {
    std::vector<int> rows;
    for (const QListWidgetItem* item : list.selectedItems()) rows.push_back(list.row(item));
    return rows;
}

void SelectRow(QListWidget& list, int row) {
    if (list.count() == 0) return;
    list.setCurrentRow(std::clamp(row, 0, list.count() - 1));
}

}  // namespace

TPayBox::TPayBox(PaymentWindowServices services, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      amountDialog_(new TPPmtDialog(services_.payment.prompts, this)),
      flow_(services_.payment,
            [this](const std::string& caption, const std::string& item, const AmountCheck& check) {
                return amountDialog_->Execute(Shown(caption), Shown(item), check);
            }) {
    setObjectName("PayBox");
    setModal(true);

    auto* customerBox = new QGroupBox("Customer", this);
    customerButton_ = Button(customerBox, "BitBtn3", "&Select Customer...", "Choose the customer");
    customerButton_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    name_ = ValueLabel(customerBox, "CustName");
    number_ = ValueLabel(customerBox, "CustNumber");
    phone_ = ValueLabel(customerBox, "CustPhone");
    shortName_ = ValueLabel(customerBox, "CustShortName");
    balance_ = ValueLabel(customerBox, "CustBalance");
    QFont bold = name_->font();
    bold.setBold(true);
    name_->setFont(bold);
    auto* customerGrid = new QGridLayout(customerBox);
    customerGrid->addWidget(customerButton_, 0, 0, 2, 1, Qt::AlignVCenter);
    customerGrid->addWidget(new QLabel("Name:", customerBox), 0, 1);
    customerGrid->addWidget(name_, 0, 2, 1, 3);
    customerGrid->addWidget(new QLabel("Balance:", customerBox), 0, 5);
    customerGrid->addWidget(balance_, 0, 6);
    customerGrid->addWidget(new QLabel("Number:", customerBox), 1, 1);
    customerGrid->addWidget(number_, 1, 2);
    customerGrid->addWidget(new QLabel("Phone:", customerBox), 1, 3);
    customerGrid->addWidget(phone_, 1, 4);
    customerGrid->addWidget(new QLabel("Short Name:", customerBox), 1, 5);
    customerGrid->addWidget(shortName_, 1, 6);
    customerGrid->setColumnStretch(2, 1);
    customerGrid->setColumnStretch(4, 1);
    customerGrid->setColumnMinimumWidth(6, fontMetrics().horizontalAdvance("-9,999,999.99"));

    date_ = new QLineEdit(this);
    date_->setObjectName("PmtDate");
    date_->setFixedWidth(date_->fontMetrics().horizontalAdvance("00/00/00000") + 16);
    auto* calendar = Button(this, "Calbutton", "...", "Choose the date from a calendar");
    calendar->setFixedWidth(calendar->fontMetrics().horizontalAdvance("...") + 20);
    amount_ = new QLineEdit(this);
    amount_->setObjectName("PAmt");
    widgets::ConfigureRecordTextEdit(*amount_, kAmountLength);
    amount_->setAlignment(Qt::AlignRight);
    amount_->setFixedWidth(amount_->fontMetrics().horizontalAdvance("9,999,999.99") + 16);
    note_ = new QLineEdit(this);
    note_->setObjectName("PNotes");
    widgets::ConfigureRecordTextEdit(*note_, kNoteLength);
    auto* entries = new QHBoxLayout;
    entries->addWidget(Caption(this, "Payment Da&te:", date_));
    entries->addWidget(date_);
    entries->addWidget(calendar);
    entries->addSpacing(12);
    entries->addWidget(Caption(this, "Amount &Received:", amount_));
    entries->addWidget(amount_);
    entries->addSpacing(12);
    entries->addWidget(Caption(this, "Statement &Note:", note_));
    entries->addWidget(note_, 1);

    left_ = PostingList(this, "SrcList");
    include_ = Button(this, "IncludeBtn", ">", "Move one record right");
    includeAll_ = Button(this, "IncAllBtn", ">>", "Move all records right");
    exclude_ = Button(this, "ExcludeBtn", "<", "Move one record left");
    excludeAll_ = Button(this, "ExAllBtn", "<<", "Move all records left");
    right_ = PostingList(this, "DstList");
    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    for (QPushButton* move : {include_, includeAll_, exclude_, excludeAll_}) {
        move->setFixedWidth(move->fontMetrics().horizontalAdvance(">>") + 28);
        moves->addWidget(move);
    }
    moves->addStretch(1);
    partial_ = Button(this, "PPmtBtn", "Partial Pay&ment");
    deposit_ = Button(this, "AccountDep", "Add &Deposit on Account");
    postedTotal_ = ValueLabel(this, "IPostedAmt");
    postedTotal_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    postedTotal_->setMinimumWidth(fontMetrics().horizontalAdvance("-9,999,999,999.99"));
    postedTotal_->setFont(bold);

    auto* lists = new QGridLayout;
    lists->addWidget(Caption(this, "&Open Invoices / Deposits:", left_), 0, 0);
    lists->addWidget(Caption(this, "&Items you are posting as paid:", right_), 0, 2);
    lists->addWidget(left_, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(right_, 1, 2);
    auto* leftButtons = new QHBoxLayout;
    leftButtons->addWidget(partial_);
    leftButtons->addWidget(deposit_);
    leftButtons->addStretch(1);
    lists->addLayout(leftButtons, 2, 0);
    auto* total = new QHBoxLayout;
    total->addStretch(1);
    total->addWidget(new QLabel("Posted Amount:", this));
    total->addWidget(postedTotal_);
    lists->addLayout(total, 2, 2);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(2, 1);
    lists->setRowStretch(1, 1);

    auto* note = new QLabel(kPostNote, this);
    note->setObjectName("PostNote");
    note->setStyleSheet("color: #c00000");
    note->setWordWrap(true);

    post_ = Button(this, "OKBtn", "&Post");
    post_->setDefault(true);
    auto* cancel = Button(this, "CancelBtn", "&Cancel");
    auto* help = Button(this, "HelpBtn", "Help");
    help->setShortcut(QKeySequence::HelpContents);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(post_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(customerBox);
    layout->addLayout(entries);
    layout->addSpacing(4);
    layout->addLayout(lists, 1);
    layout->addWidget(note);
    layout->addLayout(buttons);

    connect(customerButton_, &QPushButton::clicked, this, &TPayBox::BitBtn3Click);
    connect(calendar, &QPushButton::clicked, this, &TPayBox::CalbuttonClick);
    connect(amount_, &QLineEdit::textEdited, this, &TPayBox::PAmtChange);
    connect(include_, &QPushButton::clicked, this, &TPayBox::IncludeBtnClick);
    connect(includeAll_, &QPushButton::clicked, this, &TPayBox::IncAllBtnClick);
    connect(exclude_, &QPushButton::clicked, this, &TPayBox::ExcludeBtnClick);
    connect(excludeAll_, &QPushButton::clicked, this, &TPayBox::ExAllBtnClick);
    connect(left_, &QListWidget::itemDoubleClicked, this, &TPayBox::IncludeBtnClick);
    connect(right_, &QListWidget::itemDoubleClicked, this, &TPayBox::ExcludeBtnClick);
    connect(left_, &QListWidget::currentRowChanged, this, &TPayBox::SetButtons);
    connect(partial_, &QPushButton::clicked, this, &TPayBox::PPmtBtnClick);
    connect(deposit_, &QPushButton::clicked, this, &TPayBox::AccountDepClick);
    connect(post_, &QPushButton::clicked, this, &TPayBox::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { services_.showHelp(QStringLiteral("PaymentWizard")); });
    left_->installEventFilter(this);
    right_->installEventFilter(this);
    // The buttons under the left list act on it, so they follow it.
    QWidget* order[] = {left_,       partial_, deposit_, include_, includeAll_, exclude_,
                        excludeAll_, right_,   post_,    cancel,   help};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    resize(sizeHint().expandedTo(QSize(760, 480)));
}

std::optional<PostedPayment> TPayBox::Execute() {
    posted_.reset();
    FormShow();
    exec();
    return std::exchange(posted_, std::nullopt);
}

void TPayBox::FormShow() {
    const PaymentForm form = flow_.Start();
    setWindowTitle(Shown(form.caption));
    ShowCustomer();
    date_->setInputMask(form.yearFirstDate ? "9999/99/99;_" : "99/99/9999;_");
    ShowForm(form);
    ShowLists();
    customerButton_->setFocus();
}

void TPayBox::ShowForm(const PaymentForm& form) {
    date_->setText(QString::fromStdString(form.date));
    amount_->setText(QString::fromStdString(form.amount));
    note_->clear();
}

void TPayBox::ShowCustomer() {
    const records::CustomerRecord blank;
    const records::CustomerRecord& c = flow_.customer() ? *flow_.customer() : blank;
    name_->setText(Shown(base::Trim(c.name())));
    number_->setText(Shown(base::Trim(c.number())));
    phone_->setText(Shown(base::Trim(c.phone1())));
    shortName_->setText(Shown(base::Trim(c.shortName())));
    balance_->setText(QString::fromStdString(c.balanceAmount().Format("#,0.00")));
    deposit_->setEnabled(flow_.customer().has_value());
}

void TPayBox::BitBtn3Click() {
    const CustomerChoice choice = flow_.SelectCustomer(services_.pickCustomer());
    if (choice == CustomerChoice::Unchanged) return;
    ShowForm(flow_.Form());
    ShowCustomer();
    ShowLists();
    SelectRow(*left_, 0);
    if (choice != CustomerChoice::Chosen) return;
    date_->setFocus();
    date_->selectAll();
}

void TPayBox::CalbuttonClick() {
    if (const auto chosen = flow_.ChooseDate(PaymentDate()))
        date_->setText(QString::fromStdString(*chosen));
}

void TPayBox::PAmtChange() {
    const AmountVerdict verdict = flow_.ChangeAmount(widgets::FromRecordText(amount_->text()));
    if (verdict.leftChanged) ShowLists();
    SetButtons();
    if (verdict.refused) amount_->setFocus();
}

void TPayBox::IncludeBtnClick() {
    MoveSelected(*left_, &PaymentWindowFlow::Include);
}

void TPayBox::IncAllBtnClick() {
    MoveEvery(&PaymentWindowFlow::IncludeAll);
}

void TPayBox::ExcludeBtnClick() {
    MoveSelected(*right_, &PaymentWindowFlow::Exclude);
}

void TPayBox::ExAllBtnClick() {
    MoveEvery(&PaymentWindowFlow::ExcludeAll);
}

void TPayBox::MoveSelected(QListWidget& source, Move move) {
    const std::vector<int> rows = SelectedRows(source);
    const int first = rows.empty() ? 0 : *std::ranges::min_element(rows);
    if (!(flow_.*move)(rows)) {
        customerButton_->setFocus();
        return;
    }
    ShowLists();
    source.setFocus();
    SelectRow(source, first);
}

void TPayBox::MoveEvery(MoveAll move) {
    if (!(flow_.*move)()) {
        customerButton_->setFocus();
        return;
    }
    ShowLists();
}

void TPayBox::PPmtBtnClick() {
    const int row = left_->currentRow();
    if (!flow_.MayPayPartly(row)) {
        partial_->setEnabled(false);
        QApplication::beep();
        return;
    }
    if (!flow_.PartialPayment(row)) return;
    ShowLists();
    left_->setFocus();
    SelectRow(*left_, row);
}

void TPayBox::AccountDepClick() {
    if (!flow_.DepositOnAccount(PaymentDate())) return;
    ShowLists();
    right_->setFocus();
    SelectRow(*right_, right_->count() - 1);
}

void TPayBox::OKBtnClick() {
    PostVerdict verdict = flow_.Post(PaymentDate(), widgets::FromRecordText(note_->text()));
    posted_ = std::move(verdict.posted);
    if (posted_) {
        accept();
        return;
    }
    if (verdict.badDate) date_->setFocus();
}

void TPayBox::ShowLists() {
    for (auto [list, lines] :
         {std::pair{left_, &flow_.sheet().left()}, std::pair{right_, &flow_.sheet().right()}}) {
        const QSignalBlocker quiet(list);
        list->clear();
        for (const PaymentLine& line : *lines) list->addItem(Shown(flow_.sheet().Text(line)));
    }
    SetButtons();
}

void TPayBox::SetButtons() {
    include_->setEnabled(!flow_.sheet().left().empty());
    includeAll_->setEnabled(!flow_.sheet().left().empty());
    exclude_->setEnabled(!flow_.sheet().right().empty());
    excludeAll_->setEnabled(!flow_.sheet().right().empty());
    partial_->setEnabled(flow_.sheet().MayPayPartly(left_->currentRow()));
    postedTotal_->setText(QString::fromStdString(flow_.sheet().PostedTotal().Format("#,0.00")));
    post_->setEnabled(flow_.sheet().PostAllowed());
}

std::string TPayBox::PaymentDate() const {
    return base::Trim(widgets::FromRecordText(date_->text()));
}

// Enter in a list moves its chosen lines across, as a double click does.
bool TPayBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == left_) IncludeBtnClick();
            if (watched == right_) ExcludeBtnClick();
            if (watched == left_ || watched == right_) return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace receivables::ui

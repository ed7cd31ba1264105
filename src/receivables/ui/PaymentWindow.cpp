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

#include "base/Dates.h"
#include "base/Text.h"
#include "receivables/ui/PartialPaymentDialog.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"

namespace receivables::ui {
namespace {

constexpr int kCaptionLength = 52;
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
      amountDialog_(new TPPmtDialog(services_.prompts, this)) {
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
    const records::CompanyRecord& company = services_.state.currentCompany;
    const std::string caption =
        std::string(kPaymentWizardCaption) + " - " + base::Trim(company.name());
    setWindowTitle(Shown(caption.substr(0, kCaptionLength)));
    customer_.reset();
    sheet_ = PaymentSheet();
    ShowCustomer();
    date_->setInputMask(company.dateFormat() == "Y" ? "9999/99/99;_" : "99/99/9999;_");
    ShowToday();
    amount_->setText("0.00");
    note_->clear();
    ShowLists();
    customerButton_->setFocus();
}

void TPayBox::ShowCustomer() {
    const records::CustomerRecord blank;
    const records::CustomerRecord& c = customer_ ? *customer_ : blank;
    name_->setText(Shown(base::Trim(c.name())));
    number_->setText(Shown(base::Trim(c.number())));
    phone_->setText(Shown(base::Trim(c.phone1())));
    shortName_->setText(Shown(base::Trim(c.shortName())));
    balance_->setText(QString::fromStdString(c.balanceAmount().Format("#,0.00")));
    deposit_->setEnabled(customer_.has_value());
}

void TPayBox::BitBtn3Click() {
    std::optional<records::CustomerRecord> picked = services_.pickCustomer();
    if (!picked || base::Trim(picked->name()).empty()) return;
    const records::CompanyRecord& company = services_.state.currentCompany;
    customer_ = std::move(picked);
    ShowToday();
    amount_->setText("0.00");
    note_->clear();
    const auto items = ReadOpenItems(services_.engine, services_.prompts, company.code(),
                                     customer_->number(), company.dateFormat());
    // Without its items the customer cannot be paid; the reason has been shown.
    if (!items) customer_.reset();
    const base::Decimal balance = customer_ ? customer_->balanceAmount() : base::Decimal();
    sheet_ = PaymentSheet(items.value_or(std::vector<PaymentLine>{}), balance,
                          widgets::FromRecordText(amount_->text()));
    ShowCustomer();
    ShowLists();
    SelectRow(*left_, 0);
    if (!customer_) return;
    if (balance <= base::Decimal())
        services_.prompts.Message("Please Note", kNoBalanceDueText, base::PromptIcon::Information,
                                  base::PromptButtons::Ok);
    date_->setFocus();
    date_->selectAll();
}

void TPayBox::CalbuttonClick() {
    const base::DateOrder order = base::EntryDateOrder(services_.state.currentCompany.dateFormat());
    const std::string typed = PaymentDate();
    const auto shown = typed.size() == 10 ? base::ParseDate(typed, order) : std::nullopt;
    if (const auto chosen =
            services_.prompts.PickDate("Date Selection", shown.value_or(services_.clock.Today())))
        date_->setText(QString::fromStdString(base::FormatDate(*chosen, order)));
}

void TPayBox::PAmtChange() {
    const size_t leftBefore = sheet_.left().size();
    const auto refusal = sheet_.SetAmountReceived(widgets::FromRecordText(amount_->text()));
    if (sheet_.left().size() != leftBefore) ShowLists();
    SetButtons();
    if (ShowRefusal(refusal, base::PromptIcon::Warning)) amount_->setFocus();
}

void TPayBox::IncludeBtnClick() {
    MoveSelected(*left_, &PaymentSheet::MoveRight);
}

void TPayBox::IncAllBtnClick() {
    MoveEvery(&PaymentSheet::MoveAllRight);
}

void TPayBox::ExcludeBtnClick() {
    MoveSelected(*right_, &PaymentSheet::MoveLeft);
}

void TPayBox::ExAllBtnClick() {
    MoveEvery(&PaymentSheet::MoveAllLeft);
}

void TPayBox::MoveSelected(QListWidget& source, Move move) {
    const std::vector<int> rows = SelectedRows(source);
    const int first = rows.empty() ? 0 : *std::ranges::min_element(rows);
    if (ShowRefusal((sheet_.*move)(rows), base::PromptIcon::Information)) {
        customerButton_->setFocus();
        return;
    }
    ShowLists();
    source.setFocus();
    SelectRow(source, first);
}

void TPayBox::MoveEvery(MoveAll move) {
    if (ShowRefusal((sheet_.*move)(), base::PromptIcon::Information)) {
        customerButton_->setFocus();
        return;
    }
    ShowLists();
}

void TPayBox::PPmtBtnClick() {
    const int row = left_->currentRow();
    if (!sheet_.MayPayPartly(row)) {
        partial_->setEnabled(false);
        QApplication::beep();
        return;
    }
    const PaymentLine& item = sheet_.left()[static_cast<size_t>(row)];
    const QString described = Shown("Invoice: " + item.invoiceNumber + "   Date: " + item.date);
    if (!amountDialog_->Execute("Partial Payment", described, [this, row](const std::string& a) {
            return sheet_.PayPartly(row, a);
        }))
        return;
    ShowLists();
    left_->setFocus();
    SelectRow(*left_, row);
}

void TPayBox::AccountDepClick() {
    const std::string date = PaymentDate();
    const std::string lineDate = LineDateOf(date, services_.state.currentCompany.dateFormat());
    if (!amountDialog_->Execute("Deposit on Account", Shown("Invoice: DEPOSIT     Date: " + date),
                                [this, &lineDate](const std::string& amount) {
                                    return sheet_.AddDeposit(amount, lineDate);
                                }))
        return;
    ShowLists();
    right_->setFocus();
    SelectRow(*right_, right_->count() - 1);
}

void TPayBox::OKBtnClick() {
    if (!customer_) return;
    posted_ = PostPayment(services_.engine, services_.prompts, services_.state, services_.clock,
                          {customer_->number(), PaymentDate(), sheet_.amountReceived(),
                           widgets::FromRecordText(note_->text()), sheet_.right()});
    if (posted_) {
        accept();
        return;
    }
    // Nothing was written; what was typed and moved stays for the user to put right.
    if (!base::ParseDate(PaymentDate(),
                         base::EntryDateOrder(services_.state.currentCompany.dateFormat())))
        date_->setFocus();
}

void TPayBox::ShowLists() {
    for (auto [list, lines] :
         {std::pair{left_, &sheet_.left()}, std::pair{right_, &sheet_.right()}}) {
        const QSignalBlocker quiet(list);
        list->clear();
        for (const PaymentLine& line : *lines) list->addItem(Shown(sheet_.Text(line)));
    }
    SetButtons();
}

void TPayBox::SetButtons() {
    include_->setEnabled(!sheet_.left().empty());
    includeAll_->setEnabled(!sheet_.left().empty());
    exclude_->setEnabled(!sheet_.right().empty());
    excludeAll_->setEnabled(!sheet_.right().empty());
    partial_->setEnabled(sheet_.MayPayPartly(left_->currentRow()));
    postedTotal_->setText(QString::fromStdString(sheet_.PostedTotal().Format("#,0.00")));
    post_->setEnabled(sheet_.PostAllowed());
}

bool TPayBox::ShowRefusal(const std::optional<PaymentNotice>& notice, base::PromptIcon icon) {
    if (!notice) return false;
    services_.prompts.Message(notice->caption, notice->text, icon, base::PromptButtons::Ok);
    return true;
}

void TPayBox::ShowToday() {
    const base::DateOrder order = base::EntryDateOrder(services_.state.currentCompany.dateFormat());
    date_->setText(QString::fromStdString(base::FormatDate(services_.clock.Today(), order)));
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

// The controls of the entry window and their places; the commands are in InvoiceEntry.cpp.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "invoicing/InvoiceDraft.h"
#include "invoicing/InvoiceNumbers.h"
#include "invoicing/ui/InvoiceEntry.h"
#include "invoicing/ui/InvoiceGrid.h"
#include "widgets/RecordText.h"

namespace invoicing::ui {
namespace {

constexpr int kNotesLength = 80;
constexpr int kKeyCodeLength = 8;
constexpr int kTermsLength = 35;
constexpr int kStatementNoteLength = 35;
constexpr int kMemoLength = 1850;
constexpr int kMemoDescriptionLength = 32;
constexpr int kMemoQuantityLength = 10;
constexpr int kAmountPixels = 120;

QLabel* Shown(QWidget* parent, const char* name, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLineEdit* Edit(QWidget* parent, const char* name, int length) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    widgets::ConfigureRecordTextEdit(*edit, length);
    return edit;
}

QLineEdit* AmountEdit(QWidget* parent, const char* name) {
    QLineEdit* edit = Edit(parent, name, kAmountWidth);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setFixedWidth(kAmountPixels);
    return edit;
}

QLabel* Caption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

}  // namespace

void TProdInv::BuildControls() {
    auto* top = new QHBoxLayout;
    top->addWidget(BuildCustomerPanel(), 0);
    top->addWidget(BuildHeaderFields(), 1);

    body_ = new QStackedWidget(this);
    grid_ = new TInvoiceGrid(body_);
    body_->addWidget(grid_);
    body_->addWidget(BuildMemoPage());

    QWidget* totals = BuildTotals();

    auto* okButton = new QPushButton("&Ok", this);
    okButton->setObjectName("OKButton");
    okButton->setAutoDefault(false);
    connect(okButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("BitBtn1");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* help = new QPushButton("&Help", this);
    help->setObjectName("BitBtn2");
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { services_.showHelp("NewInvoice"); });
    auto* closing = new QVBoxLayout;
    closing->addStretch();
    for (QPushButton* button : {okButton, cancel, help}) closing->addWidget(button);

    // Built last, so Tab runs through the invoice before it reaches the tools.
    QWidget* tools = BuildToolButtons();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(totals, 1);
    bottom->addLayout(closing);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tools);
    layout->addWidget(body_, 1);
    layout->addLayout(bottom);

    // The invoice first, then the closing buttons, the stopwatch and the tools.
    const char* tabOrder[] = {
        "StringGrid1", "Memo1",        "MemoPDesc",  "MemoQuan", "CheckBox2",    "INet",
        "ITax",        "IPaid",        "OKButton",   "BitBtn1",  "BitBtn2",      "TimeBtn",
        "PrintFlag",   "SpeedButton2", "DeleteLine", "UndoAll",  "MakeNote",     "ImportButn",
        "ExportButn",  "TopButn",      "CnterButn",  "BottButn", "SpeedButton8", "InvClose"};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(findChild<QWidget*>(tabOrder[i - 1]), findChild<QWidget*>(tabOrder[i]));

    grid_->OnLinesChanged = [this] { ShowTotals(); };
    grid_->OnProductEntered = [this](int row) { ProductEntered(row); };
    grid_->OnFindProduct = [this](int row) { FindProduct(row); };
}

QWidget* TProdInv::BuildCustomerPanel() {
    auto* box = new QGroupBox("Customer", this);
    customers_ = new QPushButton("C&ustomers...", box);
    customers_->setObjectName("BitBtn3");
    customers_->setToolTip("Customers");
    customers_->setAutoDefault(false);
    connect(customers_, &QPushButton::clicked, this, [this] { CustomersClick(); });
    customerName_ = Shown(box, "ICustName");
    QFont bold = customerName_->font();
    bold.setBold(true);
    customerName_->setFont(bold);
    customerName_->setMinimumWidth(220);
    customerNumber_ = Shown(box, "ICustNo");
    shortName_ = Shown(box, "Sname");
    // Room for the longest short name (10 characters).
    shortName_->setMinimumWidth(shortName_->fontMetrics().horizontalAdvance("WWWWWWWWWW"));
    balance_ = Shown(box, "CBal", Qt::AlignRight);
    creditLimit_ = Shown(box, "ICredLimit", Qt::AlignRight);

    auto* grid = new QGridLayout(box);
    grid->addWidget(customers_, 0, 0);
    grid->addWidget(customerName_, 0, 1, 1, 3);
    grid->addWidget(new QLabel("Number:", box), 1, 0);
    grid->addWidget(customerNumber_, 1, 1);
    grid->addWidget(new QLabel("Short name:", box), 1, 2);
    grid->addWidget(shortName_, 1, 3);
    grid->addWidget(new QLabel("Balance:", box), 2, 0);
    grid->addWidget(balance_, 2, 1);
    grid->addWidget(new QLabel("Credit limit:", box), 2, 2);
    grid->addWidget(creditLimit_, 2, 3);
    const char* agingNames[] = {"Acur", "A30", "A60", "A90"};
    for (int i = 0; i < 4; ++i) {
        agingCaptions_[i] = new QLabel(box);
        agingCaptions_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        aging_[i] = Shown(box, agingNames[i], Qt::AlignRight);
        grid->addWidget(agingCaptions_[i], 3 + i / 2, (i % 2) * 2);
        grid->addWidget(aging_[i], 3 + i / 2, (i % 2) * 2 + 1);
    }
    // Amounts up to the widest a customer's field holds stay whole.
    const int amountWidth = balance_->fontMetrics().horizontalAdvance("-999,999,999.99");
    grid->setColumnMinimumWidth(1, amountWidth);
    grid->setColumnMinimumWidth(3, amountWidth);
    return box;
}

QWidget* TProdInv::BuildHeaderFields() {
    auto* box = new QGroupBox("Invoice", this);
    number_ = Edit(box, "INum", kNumberWidth);
    number_->setFixedWidth(110);
    date_ = new QLineEdit(box);
    date_->setObjectName("IDate");
    date_->setFixedWidth(110);
    dateOrder_ = Caption("Mo/Dy/Year:", date_);
    auto* calendar = new QPushButton("...", box);
    calendar->setObjectName("Calbutton");
    calendar->setToolTip("Calendar");
    calendar->setFixedWidth(32);
    calendar->setAutoDefault(false);
    connect(calendar, &QPushButton::clicked, this, [this] { CalbuttonClick(); });
    terms_ = new QComboBox(box);
    terms_->setObjectName("ITerms");
    terms_->setEditable(true);
    terms_->setInsertPolicy(QComboBox::NoInsert);
    widgets::ConfigureRecordTextEdit(*terms_->lineEdit(), kTermsLength);
    keyCode_ = Edit(box, "KeyCode", kKeyCodeLength);
    keyCode_->setFixedWidth(110);
    statementNote_ = Edit(box, "IStmntNote", kStatementNoteLength);
    notes_ = Edit(box, "INVNOTES", kNotesLength);
    lineItems_ = new QRadioButton("&Line Item", box);
    lineItems_->setObjectName("RadioButton1");
    memoForm_ = new QRadioButton("&Memo", box);
    memoForm_->setObjectName("RadioButton2");
    auto* forms = new QButtonGroup(box);
    forms->addButton(lineItems_);
    forms->addButton(memoForm_);
    connect(memoForm_, &QRadioButton::toggled, this, [this] {
        ShowForm(Form());
        ShowTotals();
    });
    mode_ = Shown(box, "IMode", Qt::AlignRight);
    QFont bold = mode_->font();
    bold.setBold(true);
    mode_->setFont(bold);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(date_);
    dateRow->addWidget(calendar);
    dateRow->addStretch();
    auto* formRow = new QHBoxLayout;
    formRow->addWidget(lineItems_);
    formRow->addWidget(memoForm_);
    formRow->addStretch();
    formRow->addWidget(mode_);

    auto* grid = new QGridLayout(box);
    grid->addWidget(Caption("Invoice #:", number_), 0, 0);
    grid->addWidget(number_, 0, 1);
    grid->addWidget(dateOrder_, 0, 2);
    grid->addLayout(dateRow, 0, 3);
    grid->addWidget(Caption("Terms:", terms_), 1, 0);
    grid->addWidget(terms_, 1, 1, 1, 3);
    grid->addWidget(Caption("Key code:", keyCode_), 2, 0);
    grid->addWidget(keyCode_, 2, 1);
    grid->addWidget(Caption("Statement note:", statementNote_), 2, 2);
    grid->addWidget(statementNote_, 2, 3);
    grid->addWidget(Caption("Notes:", notes_), 3, 0);
    grid->addWidget(notes_, 3, 1, 1, 3);
    grid->addLayout(formRow, 4, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    return box;
}

QWidget* TProdInv::BuildMemoPage() {
    auto* page = new QWidget(body_);
    memo_ = new QPlainTextEdit(page);
    memo_->setObjectName("Memo1");
    memo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setTabChangesFocus(true);
    widgets::ConfigureRecordTextMemo(*memo_, kMemoLength);
    memoDescription_ = Edit(page, "MemoPDesc", kMemoDescriptionLength);
    memoQuantity_ = Edit(page, "MemoQuan", kMemoQuantityLength);
    memoQuantity_->setFixedWidth(90);
    memoQuantity_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    taxHint_ = Shown(page, "TaxLbl", Qt::AlignRight);

    auto* line = new QHBoxLayout;
    line->addWidget(Caption("Description:", memoDescription_));
    line->addWidget(memoDescription_, 1);
    line->addWidget(Caption("Quantity:", memoQuantity_));
    line->addWidget(memoQuantity_);
    line->addWidget(taxHint_, 1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo_, 1);
    layout->addLayout(line);
    return page;
}

QWidget* TProdInv::BuildTotals() {
    auto* panel = new QWidget(this);

    auto* watch = new QGroupBox("Stopwatch", panel);
    timeButton_ = new QPushButton("&Start", watch);
    timeButton_->setObjectName("TimeBtn");
    timeButton_->setAutoDefault(false);
    connect(timeButton_, &QPushButton::clicked, this, [this] { TimeBtnClick(); });
    startTime_ = Shown(watch, "StartTime", Qt::AlignRight);
    elapsedTime_ = Shown(watch, "ElapsedTime", Qt::AlignRight);
    hours_ = Shown(watch, "ToHours", Qt::AlignRight);
    for (QLabel* shown : {startTime_, elapsedTime_, hours_})
        shown->setMinimumWidth(shown->fontMetrics().horizontalAdvance("00:00:00") + 8);
    auto* watchForm = new QFormLayout(watch);
    watchForm->addRow(timeButton_);
    watchForm->addRow("Started:", startTime_);
    watchForm->addRow("Elapsed:", elapsedTime_);
    watchForm->addRow("Hours:", hours_);

    taxBox_ = new QCheckBox(panel);
    taxBox_->setObjectName("CheckBox2");
    connect(taxBox_, &QCheckBox::toggled, this, [this] { ShowTotals(); });
    printFlag_ = new QCheckBox("P&rint Invoice", panel);
    printFlag_->setObjectName("PrintFlag");
    auto* options = new QVBoxLayout;
    options->addWidget(taxBox_);
    options->addWidget(printFlag_);
    options->addStretch();

    net_ = AmountEdit(panel, "INet");
    tax_ = AmountEdit(panel, "ITax");
    paid_ = AmountEdit(panel, "IPaid");
    for (QLineEdit* typed : {net_, tax_, paid_})
        connect(typed, &QLineEdit::textEdited, this, [this] { ShowTotals(); });
    total_ = Shown(panel, "ITotal", Qt::AlignRight);
    balanceDue_ = Shown(panel, "BalDue", Qt::AlignRight);
    for (QLabel* sum : {total_, balanceDue_}) {
        sum->setFixedWidth(kAmountPixels);
        sum->setFrameShape(QFrame::StyledPanel);
        QFont bold = sum->font();
        bold.setBold(true);
        sum->setFont(bold);
    }
    auto* sums = new QFormLayout;
    sums->setLabelAlignment(Qt::AlignRight);
    sums->addRow(Caption("Net:", net_), net_);
    sums->addRow(Caption("Tax:", tax_), tax_);
    sums->addRow(Caption("Paid:", paid_), paid_);
    sums->addRow("Total:", total_);
    sums->addRow("Balance due:", balanceDue_);

    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(watch);
    layout->addLayout(options);
    layout->addStretch();
    layout->addLayout(sums);

    tick_ = new QTimer(this);
    tick_->setInterval(1000);
    connect(tick_, &QTimer::timeout, this, [this] { ShowStopwatch(); });
    return panel;
}

QPushButton* TProdInv::ToolButton(const char* name, const char* text, const char* hint,
                                  void (TProdInv::*command)()) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, command] { (this->*command)(); });
    return button;
}

QWidget* TProdInv::BuildToolButtons() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const auto add = [&](QPushButton* button, bool productOnly) {
        button->setParent(bar);
        row->addWidget(button);
        if (productOnly) productTools_.push_back(button);
    };
    add(ToolButton("SpeedButton2", "Find Product", "Find Product", &TProdInv::FindProductClick),
        true);
    add(ToolButton("DeleteLine", "Erase Line", "Erase Line", &TProdInv::DeleteLineClick), true);
    add(ToolButton("UndoAll", "Erase All", "Erase All Lines", &TProdInv::UndoAllClick), false);
    add(ToolButton("MakeNote", "Comment", "Add Description comment", &TProdInv::MakeNoteClick),
        true);
    row->addSpacing(12);
    add(ToolButton("ImportButn", "Load Saved", "Loads Saved Lines", &TProdInv::ImportClick), false);
    add(ToolButton("ExportButn", "Save Lines", "Replaces saved lines with current lines",
                   &TProdInv::ExportClick),
        false);
    row->addSpacing(12);
    const struct {
        const char* name;
        const char* text;
        const char* hint;
        int line;
    } rows[] = {{"TopButn", "1", "Line Item 1", 1},
                {"CnterButn", "50", "Line Item 50", 50},
                {"BottButn", "99", "Line Item 99", kMaxRows}};
    for (const auto& r : rows) {
        auto* button = new QPushButton(r.text, bar);
        button->setObjectName(r.name);
        button->setToolTip(r.hint);
        button->setAutoDefault(false);
        button->setFixedWidth(40);
        connect(button, &QPushButton::clicked, this,
                [this, line = r.line] { grid_->GoToCell(line, kCodeColumn); });
        add(button, true);
    }
    row->addStretch();
    QPushButton* calculator = new QPushButton("Calculator", bar);
    calculator->setObjectName("SpeedButton8");
    calculator->setToolTip("Calculator");
    calculator->setAutoDefault(false);
    connect(calculator, &QPushButton::clicked, this, [this] { services_.startCalculator(); });
    add(calculator, false);
    QPushButton* close = new QPushButton("Close", bar);
    close->setObjectName("InvClose");
    close->setToolTip("Close");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    add(close, false);
    return bar;
}

}  // namespace invoicing::ui

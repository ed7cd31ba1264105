#include "invoicing/ui/InterestWizard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/Dates.h"
#include "widgets/DialogButtons.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"

namespace invoicing::ui {
namespace {

constexpr int kRateLength = 5;
constexpr int kFlatRateLength = 6;
constexpr int kCommentsLength = 80;
constexpr int kTextLength = 35;

QString Amount(base::Decimal amount) {
    return QString::fromStdString(amount.Format(",0.00"));
}

QTableWidgetItem* Cell(const QString& text, bool right = false) {
    auto* item = new QTableWidgetItem(text);
    if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

TInterestWiz::TInterestWiz(InterestWizardServices services, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      flow_(services_.engine, services_.prompts, services_.state, services_.clock) {
    setObjectName("TInterestWiz");
    setWindowTitle("Interest Wizard");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);

    auto* top = new QHBoxLayout;
    auto* group = new QGroupBox(" Calculate for Accounts Over ", this);
    auto* groupLayout = new QVBoxLayout(group);
    const char* names[] = {"days30", "days60", "days90"};
    for (int i = 0; i < 3; ++i) {
        over_[i] = new QRadioButton(group);
        over_[i]->setObjectName(names[i]);
        connect(over_[i], &QRadioButton::toggled, this, &TInterestWiz::SettingsChange);
        groupLayout->addWidget(over_[i]);
    }
    top->addWidget(group);

    auto* rates = new QFormLayout;
    const auto edit = [this](const char* name, int length) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setMaxLength(length);
        return e;
    };
    rate_ = edit("IPct", kRateLength);
    minimum_ = edit("MinChg", kRateLength);
    for (QLineEdit* e : {rate_, minimum_}) {
        e->setFixedWidth(e->fontMetrics().horizontalAdvance("9999999") + 16);
        connect(e, &QLineEdit::textEdited, this, &TInterestWiz::SettingsChange);
    }
    rates->addRow("Monthly &Percentage Rate:", rate_);
    rates->addRow("&Minimum Interest Charge:", minimum_);
    flat_ = new QCheckBox("Use &Flat Fee for Charges", this);
    flat_->setObjectName("FlatCB");
    connect(flat_, &QCheckBox::toggled, this, &TInterestWiz::FlatCBClick);
    rates->addRow(flat_);
    flatRate_ = edit("FlatRate", kFlatRateLength);
    flatRate_->setFixedWidth(rate_->width());
    connect(flatRate_, &QLineEdit::textEdited, this, &TInterestWiz::FlatRateChange);
    auto* flatRow = new QHBoxLayout;
    flatRow->addWidget(flatRate_);
    flatRow->addWidget(new QLabel("(flat fee overrides above settings)", this));
    flatRow->addStretch(1);
    auto* flatLabel = new QLabel("Flat &Rate:", this);
    flatLabel->setBuddy(flatRate_);
    rates->addRow(flatLabel, flatRow);
    top->addLayout(rates, 1);
    layout->addLayout(top);

    auto* invoice = new QFormLayout;
    date_ = edit("IDate", 10);
    date_->setFixedWidth(date_->fontMetrics().horizontalAdvance("99/99/99999") + 16);
    auto* calendar = new QToolButton(this);
    calendar->setObjectName("Calbutton");
    calendar->setText("...");
    calendar->setToolTip("Calendar");
    connect(calendar, &QToolButton::clicked, this, &TInterestWiz::CalbuttonClick);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(date_);
    dateRow->addWidget(calendar);
    dateRow->addStretch(1);
    auto* dateLabel = new QLabel("Invoice &Date:", this);
    dateLabel->setBuddy(date_);
    invoice->addRow(dateLabel, dateRow);
    comments_ = edit("InvComm", kCommentsLength);
    invoice->addRow("Invoice &Comments/Reference:", comments_);
    statementNote_ = edit("StmntNote", kTextLength);
    invoice->addRow("&Statement Note:", statementNote_);
    terms_ = new QComboBox(this);
    terms_->setObjectName("ITerms");
    terms_->setEditable(true);
    terms_->lineEdit()->setMaxLength(kTextLength);
    invoice->addRow("Payment &Terms:", terms_);
    markPrinted_ = new QCheckBox("Mark Invoices as &Printed", this);
    markPrinted_->setObjectName("IPrin");
    // The charges scanned stand only for the settings they were scanned with.
    for (QLineEdit* e : {date_, comments_, statementNote_})
        connect(e, &QLineEdit::textEdited, this, &TInterestWiz::SettingsChange);
    connect(terms_, &QComboBox::editTextChanged, this, &TInterestWiz::SettingsChange);
    connect(markPrinted_, &QCheckBox::toggled, this, &TInterestWiz::SettingsChange);
    invoice->addRow(markPrinted_);
    layout->addLayout(invoice);

    lastRun_ = new QLabel(this);
    lastRun_->setObjectName("LastRun");
    layout->addWidget(lastRun_);
    grid_ = new QTableWidget(this);
    grid_->setObjectName("CustGrid");
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(grid_, 1);
    status_ = new QLabel(this);
    status_->setObjectName("Label3");
    layout->addWidget(status_);

    auto* buttons = new QDialogButtonBox(this);
    scan_ = widgets::AddDialogButton(*buttons, "Scan File", QDialogButtonBox::ActionRole, "Button1",
                                     true);
    generate_ = widgets::AddDialogButton(*buttons, "Generate Invoices",
                                         QDialogButtonBox::ActionRole, "GenInv");
    QPushButton* cancel =
        widgets::AddDialogButton(*buttons, "&Cancel", QDialogButtonBox::RejectRole, "CanButn");
    QPushButton* help =
        widgets::AddDialogButton(*buttons, "Help", QDialogButtonBox::HelpRole, "Button2");
    connect(scan_, &QPushButton::clicked, this, &TInterestWiz::Button1Click);
    connect(generate_, &QPushButton::clicked, this, &TInterestWiz::GenInvClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (services_.showHelp) services_.showHelp("InterestWizard");
    });
    layout->addWidget(buttons);
    resize(720, 620);
}

void TInterestWiz::Execute() {
    const InterestWizardView view = flow_.Open();
    showing_ = true;
    for (int i = 0; i < 3; ++i)
        over_[i]->setText(QString::fromStdString(view.overCaptions[static_cast<size_t>(i)]));
    terms_->clear();
    for (const std::string& term : view.terms) terms_->addItem(widgets::ToRecordText(term));
    date_->setInputMask(flow_.order() == base::DateOrder::YearFirst ? "9999/99/99;_"
                                                                    : "99/99/9999;_");
    Show(view.settings);
    lastRun_->setText(widgets::ToRecordText(view.lastRun));
    status_->setText(QString::fromStdString(view.status));
    grid_->clear();
    grid_->setRowCount(0);
    grid_->setColumnCount(0);
    showing_ = false;
    generate_->setEnabled(false);
    scan_->setEnabled(true);
    over_[view.settings.over - 1]->setFocus();
    exec();
}

void TInterestWiz::Show(const InterestSettings& settings) {
    over_[std::clamp(settings.over, 1, 3) - 1]->setChecked(true);
    rate_->setText(widgets::ToRecordText(settings.rate));
    minimum_->setText(widgets::ToRecordText(settings.minimum));
    flat_->setChecked(settings.flat);
    flatRate_->setText(widgets::ToRecordText(settings.flatRate));
    FlatCBClick();
    date_->setText(widgets::ToRecordText(settings.date));
    comments_->setText(widgets::ToRecordText(settings.comments));
    statementNote_->setText(widgets::ToRecordText(settings.statementNote));
    terms_->setEditText(widgets::ToRecordText(settings.terms));
    markPrinted_->setChecked(settings.markPrinted);
}

InterestSettings TInterestWiz::Settings() const {
    InterestSettings settings;
    for (int i = 0; i < 3; ++i)
        if (over_[i]->isChecked()) settings.over = i + 1;
    settings.rate = widgets::FromRecordText(rate_->text());
    settings.minimum = widgets::FromRecordText(minimum_->text());
    settings.flat = flat_->isChecked();
    settings.flatRate = widgets::FromRecordText(flatRate_->text());
    settings.date = date_->text().toStdString();
    settings.comments = widgets::FromRecordText(comments_->text());
    settings.statementNote = widgets::FromRecordText(statementNote_->text());
    settings.terms = widgets::FromRecordText(terms_->currentText());
    settings.markPrinted = markPrinted_->isChecked();
    return settings;
}

void TInterestWiz::SettingsChange() {
    if (showing_) return;
    flow_.SettingsChanged();
    generate_->setEnabled(false);
    scan_->setEnabled(true);
}

void TInterestWiz::FlatCBClick() {
    const bool flat = flat_->isChecked();
    flatRate_->setEnabled(flat);
    rate_->setEnabled(!flat);
    minimum_->setEnabled(!flat);
    SettingsChange();
}

void TInterestWiz::FlatRateChange() {
    SettingsChange();
    if (const auto failure = CheckFlatRate(widgets::FromRecordText(flatRate_->text())))
        services_.prompts.Warn(failure->caption, failure->text);
}

void TInterestWiz::CalbuttonClick() {
    const auto shown = base::ParseDate(date_->text().toStdString(), flow_.order());
    const auto picked =
        services_.prompts.PickDate("Invoice Date", shown.value_or(services_.clock.Today()));
    if (!picked) return;
    date_->setText(QString::fromStdString(base::FormatDate(*picked, flow_.order())));
    SettingsChange();
}

void TInterestWiz::Focus(InterestField field) {
    QLineEdit* edits[] = {rate_, minimum_, flatRate_, date_};
    QLineEdit* edit = edits[static_cast<int>(field)];
    edit->setFocus();
    edit->selectAll();
}

void TInterestWiz::FillGrid(bool withInvoices) {
    const InterestSettings settings = Settings();
    QStringList headings{"Customer Name", "Customer#",
                         QString::fromStdString(flow_.OverCaption(settings.over)), "Interest Chg."};
    if (withInvoices) headings << "Invoice#";
    grid_->clear();
    grid_->setColumnCount(static_cast<int>(headings.size()));
    grid_->setHorizontalHeaderLabels(headings);
    const auto& rows = flow_.rows();
    grid_->setRowCount(rows.empty() ? 0 : static_cast<int>(rows.size()) + 1);
    int r = 0;
    for (const InterestRow& row : rows) {
        grid_->setItem(r, 0, Cell(widgets::ToRecordText(row.name)));
        grid_->setItem(r, 1, Cell(widgets::ToRecordText(row.customer)));
        grid_->setItem(r, 2, Cell(Amount(row.overdue), true));
        grid_->setItem(r, 3, Cell(Amount(row.charge), true));
        if (withInvoices) grid_->setItem(r, 4, Cell(widgets::ToRecordText(row.invoice)));
        ++r;
    }
    if (!rows.empty()) {
        grid_->setItem(r, 0, Cell("Totals:"));
        grid_->setItem(r, 2, Cell(Amount(flow_.scan().overdueTotal), true));
        grid_->setItem(r, 3, Cell(Amount(flow_.scan().chargeTotal), true));
    }
    grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
}

void TInterestWiz::Button1Click() {
    scan_->setEnabled(false);
    generate_->setEnabled(false);
    status_->setText("Scanning...");
    const InterestWizardVerdict verdict = flow_.Scan(Settings());
    FillGrid(false);
    status_->setText(QString::fromStdString(verdict.status));
    generate_->setEnabled(verdict.canGenerate);
    scan_->setEnabled(!verdict.canGenerate);
    if (verdict.focus) Focus(*verdict.focus);
}

void TInterestWiz::GenInvClick() {
    generate_->setEnabled(false);
    const InterestWizardVerdict verdict = flow_.Generate(Settings());
    if (!verdict.close) {
        generate_->setEnabled(verdict.canGenerate);
        if (verdict.focus) Focus(*verdict.focus);
        return;
    }
    FillGrid(true);
    accept();
    const std::string status =
        flow_.OfferReport([this](const InterestReport& report) { return PrintReport(report); });
    if (services_.showStatus) services_.showStatus(QString::fromStdString(status));
}

std::optional<int> TInterestWiz::PrintReport(const InterestReport& report) {
    if (!services_.prompts.PrintDialog("Interest Charges Report")) return std::nullopt;
    widgets::PrinterCanvas canvas(services_.printer);
    int printed = 0;
    if (!DrawInterestReport(canvas, report, printed)) return std::nullopt;
    return printed;
}

}  // namespace invoicing::ui

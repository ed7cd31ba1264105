#include "statements/ui/StatementWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "statements/ui/StatementPrintJob.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"

namespace statements::ui {
namespace {

// The width of each column as a sample of capital X's.
constexpr std::array<int, 7> kColumnLetters = {10, 9, 20, 12, 11, 11, 1};
constexpr int kFirstAmountColumn = 3;
constexpr int kTypeColumn = 6;

}  // namespace

TStment::TStment(StatementServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
    setObjectName("TStment");
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* header = new QGridLayout;
    const std::array<const char*, 6> names = {"CustName",  "CustAddr1", "CustAddr2",
                                              "CustAddr3", "CustAddr4", "CustNumber"};
    for (size_t k = 0; k < header_.size(); ++k) {
        header_[k] = new QLabel(this);
        header_[k]->setObjectName(names[k]);
        header_[k]->setTextFormat(Qt::PlainText);
    }
    for (int k = 0; k < 5; ++k) header->addWidget(header_[k], k, 0);
    auto* numberCaption = new QLabel("Account Number:", this);
    header->addWidget(numberCaption, 0, 1, Qt::AlignRight);
    header->addWidget(header_[5], 0, 2);
    header->setColumnStretch(0, 1);
    layout->addLayout(header);

    grid_ = new QTableWidget(this);
    grid_->setObjectName("SGrid");
    grid_->setColumnCount(static_cast<int>(kColumnLetters.size()));
    QStringList headings;
    for (const std::string& heading : StatementHeadings())
        headings << QString::fromStdString(heading);
    grid_->setHorizontalHeaderLabels(headings);
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    layout->addWidget(grid_, 1);

    auto* commands = new QHBoxLayout;
    unpaidOnly_ = new QCheckBox("&Show Unpaid Records Only", this);
    unpaidOnly_->setObjectName("CheckBox1");
    connect(unpaidOnly_, &QCheckBox::clicked, this, &TStment::CheckBox1Click);
    commands->addWidget(unpaidOnly_);
    commands->addStretch(1);
    output_ = new QPushButton(this);
    output_->setObjectName("PrinStButn");
    output_->setToolTip("Print");
    connect(output_, &QPushButton::clicked, this, &TStment::PrinStButnClick);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("SpeedButton2");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* help = new QPushButton("&Help", this);
    help->setObjectName("SpeedButton3");
    connect(help, &QPushButton::clicked, this, [this] { services_.showHelp("ViewStatement"); });
    for (QPushButton* button : {output_, close, help}) {
        button->setAutoDefault(false);
        commands->addWidget(button);
    }
    layout->addLayout(commands);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("StatusBar1");
    statusBar_->setSizeGripEnabled(false);
    layout->addWidget(statusBar_);
    resize(900, 560);
}

void TStment::Execute(receivables::CustomerFile& customers,
                      const records::CustomerRecord& customer) {
    flow_.emplace(services_.engine, services_.prompts, services_.state, customers);
    if (flow_->Start(customer)) {
        FormShow();
        ShowStatement();
        exec();
    }
    flow_.reset();
}

void TStment::FormShow() {
    const company::PrintedOutput mode = services_.state.defaultOutput;
    setWindowTitle(QString::fromStdString(StatementWindowCaption(mode)));
    output_->setText(QString::fromStdString(OutputButtonText(mode)));
    unpaidOnly_->setChecked(false);
    const records::CompanyRecord& company = services_.state.currentCompany;
    const QFont addressFont =
        widgets::PrinterCanvas::ToQFont(company.customerAddressFont().ToChoice());
    for (QLabel* label : header_) label->setFont(addressFont);
    const QFont body = widgets::PrinterCanvas::ToColumnFont(company.bodyFont().ToChoice());
    grid_->setFont(body);
    const QFontMetrics metrics(body);
    grid_->verticalHeader()->setDefaultSectionSize(metrics.height() + 8);
    for (size_t k = 0; k < kColumnLetters.size(); ++k)
        grid_->setColumnWidth(static_cast<int>(k),
                              metrics.horizontalAdvance(QString(kColumnLetters[k], 'X')) + 12);
    grid_->setFocus();
}

void TStment::ShowStatement() {
    const Statement& statement = flow_->statement();
    const StatementCustomer& customer = statement.customer;
    header_[0]->setText(widgets::ToRecordText(customer.name));
    for (size_t k = 0; k < customer.address.size(); ++k)
        header_[k + 1]->setText(widgets::ToRecordText(customer.address[k]));
    header_[5]->setText(widgets::ToRecordText(customer.number));

    // A long statement is filled in one go and painted once.
    grid_->setUpdatesEnabled(false);
    grid_->setRowCount(static_cast<int>(statement.rows.size()) + 1);
    const auto fill = [this](int row, const StatementCells& cells, bool totals) {
        for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
            auto* item = new QTableWidgetItem(widgets::ToRecordText(cells[column]));
            if (column >= kFirstAmountColumn && column < kTypeColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (totals) {
                QFont bold = grid_->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            grid_->setItem(row, column, item);
        }
    };
    for (size_t k = 0; k < statement.rows.size(); ++k)
        fill(static_cast<int>(k), CellsOf(statement.rows[k]), false);
    fill(static_cast<int>(statement.rows.size()), TotalsCells(statement), true);
    grid_->setUpdatesEnabled(true);
    statusBar_->showMessage(QString::fromStdString(SelectedText(statement)));
}

void TStment::CheckBox1Click() {
    if (flow_->SetUnpaidOnly(unpaidOnly_->isChecked())) ShowStatement();
}

void TStment::PrinStButnClick() {
    StatementPrintJob job(services_.printer, services_.prompts);
    OutputContext output{services_.state.currentCompany, services_.state.defaultOutput,
                         job.Printer(), &services_.mail, services_.state.todayText};
    const std::string status = flow_->Output(output);
    if (!status.empty()) statusBar_->showMessage(widgets::ToRecordText(status));
}

}  // namespace statements::ui

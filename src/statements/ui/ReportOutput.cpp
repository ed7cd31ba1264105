#include "statements/ui/ReportOutput.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "base/Windows1252.h"
#include "statements/ui/ReportGridModel.h"
#include "widgets/PrinterCanvas.h"

namespace statements::ui {
namespace {

QString Shown(const std::string& text) {
    return QString::fromStdString(base::Win1252ToUtf8(text));
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, const QString& hint) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

QLabel* Heading(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

Trtreport::Trtreport(ReportOutputServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)), model_(new ReportGridModel(this)) {
    setObjectName("rtreport");
    setWindowTitle("Report Wizard");
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(1000, 640);

    auto* print = Button(this, "InvPrint", "&Print", "Print");
    auto* fonts = Button(this, "SpeedButton1", "&Fonts/Colors", "Fonts/Colors");
    auto* setup = Button(this, "PSetButn", "Printer Se&tup", "Printer Setup");
    auto* save = Button(this, "SaveButn", "Save to &File", "Save to File");
    auto* close = Button(this, "ExitButn", "&Close", "Close");
    auto* help = Button(this, "HelpButn", "&Help", "Help");
    subtotals_ = new QCheckBox("&Sub-Totals", this);
    subtotals_->setObjectName("stotals");
    subtotals_->setChecked(true);
    sortColumn_ = new QComboBox(this);
    sortColumn_->setObjectName("SortCol");
    sortColumn_->addItems({"2", "3", "4"});
    sortColumn_->setMinimumContentsLength(2);
    auto* sortLabel = new QLabel("S&ort on Column:", this);
    sortLabel->setBuddy(sortColumn_);
    auto* tools = new QHBoxLayout;
    for (QPushButton* button : {print, fonts, setup, save}) tools->addWidget(button);
    tools->addStretch(1);
    tools->addWidget(help);
    tools->addWidget(close);

    head1_ = Heading(this, "Head1");
    QFont bold = head1_->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    head1_->setFont(bold);
    head2_ = Heading(this, "Head2");
    head3_ = Heading(this, "Head3");
    notes_ = Heading(this, "Notes");
    notes_->setStyleSheet("color: #a00000");

    grid_ = new QTableView(this);
    grid_->setObjectName("RptGrid");
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->setVisible(false);
    // Every row is one line high, so the view never measures a million rows.
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setHighlightSections(false);
    status_ = Heading(this, "StatusLine");

    // The heading block on the left, how the grid is grouped on the right.
    auto* grouping = new QHBoxLayout;
    grouping->addWidget(sortLabel);
    grouping->addWidget(sortColumn_);
    auto* heading = new QGridLayout;
    heading->addWidget(head1_, 0, 0);
    heading->addWidget(head2_, 1, 0);
    heading->addWidget(head3_, 2, 0);
    heading->addWidget(notes_, 3, 0);
    heading->addWidget(subtotals_, 1, 1);
    heading->addLayout(grouping, 2, 1);
    heading->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(heading);
    layout->addWidget(grid_, 1);
    layout->addWidget(status_);
    setFocusProxy(grid_);

    connect(print, &QPushButton::clicked, this, &Trtreport::InvPrintClick);
    connect(fonts, &QPushButton::clicked, this, &Trtreport::SpeedButton1Click);
    connect(setup, &QPushButton::clicked, this, [this] { services_.prompts.PrinterSetup(); });
    connect(save, &QPushButton::clicked, this, &Trtreport::SaveButnClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this,
            [this] { services_.showHelp(QStringLiteral("ReportWizard")); });
    connect(subtotals_, &QCheckBox::clicked, this, &Trtreport::stotalsClick);
    connect(sortColumn_, &QComboBox::activated, this, &Trtreport::SortColChange);
    connect(grid_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { RptGridDblClick(index.column()); });
    ApplyFont(font_);
}

Trtreport::~Trtreport() = default;

void Trtreport::Execute(Report report) {
    Prepare(std::move(report));
    setWindowState(windowState() | Qt::WindowMaximized);
    exec();
    model_->Show(nullptr);
    flow_.reset();
}

void Trtreport::Prepare(Report report) {
    model_->Show(nullptr);
    flow_ = std::make_unique<ReportOutputFlow>(std::move(report), services_.prompts);
    const Report& shown = flow_->report();
    setWindowTitle(Shown(shown.title));
    head1_->setText(Shown(shown.company));
    head2_->setText(Shown(shown.dateLine));
    head3_->setText(Shown(shown.selection));
    std::string notes;
    for (const std::string& note : shown.notes) notes += (notes.empty() ? "" : "\n") + note;
    notes_->setText(Shown(notes));
    notes_->setVisible(!notes.empty());
    status_->clear();
    subtotals_->setChecked(true);
    sortColumn_->setCurrentIndex(-1);
    ShowGrid();
}

void Trtreport::ShowGrid() {
    model_->Show(&flow_->grid());
    grid_->resizeColumnsToContents();
    grid_->setCurrentIndex(model_->index(0, 0));
    grid_->setFocus();
}

void Trtreport::ApplyFont(const base::FontChoice& font) {
    font_ = font;
    grid_->setFont(widgets::PrinterCanvas::ToQFont(font));
    QPalette palette = grid_->palette();
    palette.setColor(QPalette::Text, widgets::PrinterCanvas::ToQColor(font.color));
    grid_->setPalette(palette);
    const int line = grid_->fontMetrics().height() + 6;
    grid_->verticalHeader()->setDefaultSectionSize(line);
    if (flow_) grid_->resizeColumnsToContents();
}

void Trtreport::InvPrintClick() {
    if (const std::optional<std::string> done = flow_->Print(services_.printer, font_))
        status_->setText(Shown(*done));
}

void Trtreport::SpeedButton1Click() {
    if (const std::optional<base::FontChoice> chosen = services_.prompts.ChooseFont(font_, false))
        ApplyFont(*chosen);
}

void Trtreport::SaveButnClick() {
    (void)flow_->Save();
}

void Trtreport::stotalsClick() {
    flow_->SetSubtotals(subtotals_->isChecked());
    ShowGrid();
}

void Trtreport::SortColChange() {
    if (!flow_->SortOn(sortColumn_->currentText().toInt())) {
        QApplication::beep();
        return;
    }
    ShowGrid();
}

void Trtreport::RptGridDblClick(int column) {
    if (column == 0) return;
    if (!flow_->RegroupOn(column)) {
        QApplication::beep();
        return;
    }
    ShowGrid();
}

}  // namespace statements::ui

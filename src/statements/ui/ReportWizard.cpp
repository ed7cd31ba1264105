#include "statements/ui/ReportWizard.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace statements::ui {
namespace {

constexpr char kSearchesAllDates[] = "Searches all dates...";

QPushButton* Button(QWidget* parent, const char* name, const QString& text,
                    const QString& hint = {}) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* DateBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance("00/00/00000") + 16);
    return box;
}

}  // namespace

TRptSelect::TRptSelect(ReportWizardServices services, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      flow_(services_.engine, services_.prompts, services_.clock, services_.state),
      output_(new Trtreport({services_.prompts, services_.printer, services_.showHelp}, this)) {
    setObjectName("RptSelect");
    setWindowTitle("Report Wizard");

    reports_ = new QListWidget(this);
    reports_->setObjectName("ListBox1");
    for (const ReportKindInfo& info : ReportKinds())
        reports_->addItem(QString::fromUtf8(info.name.data(), info.name.size()));
    reports_->setMinimumHeight(reports_->sizeHintForRow(0) * 8);
    auto* listLabel = new QLabel("Select a &Report Type:", this);
    listLabel->setBuddy(reports_);
    description_ = new QLabel(this);
    description_->setObjectName("RType");
    description_->setWordWrap(true);
    description_->setMinimumHeight(description_->fontMetrics().height() * 4);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description_->setFrameShape(QFrame::StyledPanel);

    presets_ = new QComboBox(this);
    presets_->setObjectName("ComboBox1");
    for (std::string_view preset : DatePresets())
        presets_->addItem(QString::fromUtf8(preset.data(), preset.size()));
    dateLabel_ = new QLabel(this);
    dateLabel_->setObjectName("DateSelLabel");
    dateLabel_->setBuddy(presets_);
    from_ = DateBox(this, "IDate");
    to_ = DateBox(this, "EndDt");
    fromLabel_ = new QLabel("&From:", this);
    fromLabel_->setObjectName("FromLabel");
    fromLabel_->setBuddy(from_);
    toLabel_ = new QLabel("&To:", this);
    toLabel_->setBuddy(to_);
    fromCalendar_ = Button(this, "Cal1But", "...", "Select FROM Date");
    toCalendar_ = Button(this, "Cal2But", "...", "Select Ending Date");
    for (QPushButton* calendar : {fromCalendar_, toCalendar_})
        calendar->setFixedWidth(calendar->fontMetrics().horizontalAdvance("...") + 20);

    auto* dates = new QGridLayout;
    dates->addWidget(dateLabel_, 0, 0, 1, 3);
    dates->addWidget(presets_, 1, 0, 1, 3);
    dates->addWidget(fromLabel_, 2, 0);
    dates->addWidget(from_, 2, 1);
    dates->addWidget(fromCalendar_, 2, 2);
    dates->addWidget(toLabel_, 3, 0);
    dates->addWidget(to_, 3, 1);
    dates->addWidget(toCalendar_, 3, 2);
    dates->setRowStretch(4, 1);

    auto* choice = new QGridLayout;
    choice->addWidget(listLabel, 0, 0);
    choice->addWidget(reports_, 1, 0);
    choice->addLayout(dates, 1, 1);
    choice->addWidget(description_, 2, 0, 1, 2);
    choice->setColumnStretch(0, 1);

    auto* view = Button(this, "Button1", "&View");
    view->setDefault(true);
    auto* cancel = Button(this, "CancelBut", "Cancel");
    auto* help = Button(this, "HelpBut", "&Help");
    help->setShortcut(QKeySequence::HelpContents);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(view);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice, 1);
    layout->addLayout(buttons);

    connect(reports_, &QListWidget::currentRowChanged, this, &TRptSelect::ListBox1Click);
    connect(reports_, &QListWidget::itemDoubleClicked, this, &TRptSelect::Button1Click);
    connect(presets_, &QComboBox::currentIndexChanged, this, &TRptSelect::ComboBox1Change);
    connect(fromCalendar_, &QPushButton::clicked, this, &TRptSelect::Cal1ButClick);
    connect(toCalendar_, &QPushButton::clicked, this, &TRptSelect::Cal2ButClick);
    // Dates typed by hand are custom dates.
    for (QLineEdit* box : {from_, to_})
        connect(box, &QLineEdit::textEdited, this, [this] {
            const QSignalBlocker quiet(presets_);
            presets_->setCurrentText(kCustomDates);
        });
    connect(view, &QPushButton::clicked, this, &TRptSelect::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { services_.showHelp(QStringLiteral("ReportWizard")); });
    QWidget* order[] = {reports_,    presets_, from_,  fromCalendar_, to_,
                        toCalendar_, view,     cancel, help};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    resize(sizeHint().expandedTo(QSize(560, 380)));
}

void TRptSelect::Execute() {
    FormShow();
    exec();
}

void TRptSelect::FormShow() {
    dateLabel_->setText(QString::fromStdString(flow_.DateLabel()));
    // The boxes take the company's date order, year first included.
    const char* mask =
        flow_.dateOrder() == base::DateOrder::YearFirst ? "9999/99/99; " : "99/99/9999; ";
    for (QLineEdit* box : {from_, to_}) box->setInputMask(mask);
    if (presets_->currentIndex() == 0)
        ComboBox1Change();
    else
        presets_->setCurrentIndex(0);
    if (reports_->currentRow() < 0) reports_->setCurrentRow(0);
    ListBox1Click();
    reports_->setFocus();
}

void TRptSelect::ListBox1Click() {
    const int row = reports_->currentRow();
    if (row < 0) return;
    const ReportKindInfo& info = ReportKinds()[row];
    description_->setText(QString::fromUtf8(info.description.data(), info.description.size()));
    fromLabel_->setText(info.ranged ? "&From:" : kSearchesAllDates);
    for (QWidget* control :
         {static_cast<QWidget*>(from_), static_cast<QWidget*>(to_), static_cast<QWidget*>(toLabel_),
          static_cast<QWidget*>(presets_), static_cast<QWidget*>(dateLabel_),
          static_cast<QWidget*>(fromCalendar_), static_cast<QWidget*>(toCalendar_)})
        control->setVisible(info.ranged);
}

void TRptSelect::ComboBox1Change() {
    const std::optional<PresetTexts> texts = flow_.Preset(presets_->currentText().toStdString());
    if (!texts) return;
    from_->setText(QString::fromStdString(texts->from));
    to_->setText(QString::fromStdString(texts->to));
}

void TRptSelect::PickDate(QLineEdit& box, const char* caption) {
    const base::DateOrder order = flow_.dateOrder();
    const base::Date initial =
        base::ParseDate(box.text().toStdString(), order).value_or(services_.clock.Today());
    if (const std::optional<base::Date> picked = services_.prompts.PickDate(caption, initial))
        box.setText(QString::fromStdString(base::FormatDate(*picked, order)));
}

void TRptSelect::Cal1ButClick() {
    PickDate(*from_, "Select FROM Date");
}

void TRptSelect::Cal2ButClick() {
    PickDate(*to_, "Select Ending Date");
}

void TRptSelect::Button1Click() {
    const int row = reports_->currentRow();
    if (row < 0) return;
    ViewVerdict verdict =
        flow_.View(ReportKinds()[row].kind, from_->text().toStdString(), to_->text().toStdString());
    if (verdict.focus) {
        QLineEdit* box = *verdict.focus == DateField::From ? from_ : to_;
        if (box->isVisible()) box->setFocus();
        return;
    }
    output_->Execute(std::move(*verdict.report));
}

}  // namespace statements::ui

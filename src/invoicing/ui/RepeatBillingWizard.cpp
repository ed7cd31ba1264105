#include "invoicing/ui/RepeatBillingWizard.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/Dates.h"
#include "widgets/DialogButtons.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"

namespace invoicing::ui {
namespace {

constexpr int kCommentsLength = 60;

// The list's column headings over its fixed columns (number 9, name 10, total 13, date 10,
// customer 9, count 5).
QString Headings() {
    return QString("%1 %2 %3 %4 %5 %6")
        .arg("Master#", -9)
        .arg("Short Name", -10)
        .arg("Invoice Total", 13)
        .arg("Next Due", -10)
        .arg("Customer#", -9)
        .arg("Created", 5);
}
}  // namespace

TSelectRepeat::TSelectRepeat(RepeatBillingWizardServices services, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      flow_(services_.engine, services_.prompts, services_.state, services_.clock) {
    setObjectName("TSelectRepeat");
    setWindowTitle("Repeat Billing Wizard");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);

    auto* form = new QFormLayout;
    const auto dateRow = [this, form](const char* name, const char* caption, const char* pick) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("99/99/99999") + 16);
        auto* calendar = new QToolButton(this);
        calendar->setObjectName(QString(name) + "Cal");
        calendar->setText("...");
        calendar->setToolTip("Calendar");
        connect(calendar, &QToolButton::clicked, this,
                [this, edit, pick] { CalendarClick(edit, pick); });
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(calendar);
        row->addStretch(1);
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        form->addRow(label, row);
        return edit;
    };
    searchDate_ = dateRow(
        "EndDate", "Search for invoices due to be created &through this date:", "Search Date");
    invoiceDate_ = dateRow("NewInvDate", "&Invoice Date:", "Invoice Date");
    comments_ = new QLineEdit(this);
    comments_->setObjectName("InvComm");
    comments_->setMaxLength(kCommentsLength);
    form->addRow("Billing &Reference/Comments:", comments_);
    layout->addLayout(form);

    const QFont fixed =
        widgets::PrinterCanvas::ToColumnFont(base::FontChoice{.family = "Courier New"});
    auto* headings = new QLabel(Headings(), this);
    headings->setObjectName("ListHeadings");
    headings->setFont(fixed);
    headings->setIndent(4);
    layout->addWidget(headings);
    list_ = new QListWidget(this);
    list_->setObjectName("RepeatList");
    list_->setFont(fixed);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(list_, 1);
    status_ = new QLabel(this);
    status_->setObjectName("StatusLabel");
    layout->addWidget(status_);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ProgressBar");
    progress_->setTextVisible(false);
    layout->addWidget(progress_);

    auto* buttons = new QDialogButtonBox(this);
    search_ = widgets::AddDialogButton(*buttons, "&Search", QDialogButtonBox::ActionRole,
                                       "SearchBtn", true);
    create_ = widgets::AddDialogButton(*buttons, "Create In&voices", QDialogButtonBox::ActionRole,
                                       "CreateBtn");
    QPushButton* cancel =
        widgets::AddDialogButton(*buttons, "&Cancel", QDialogButtonBox::RejectRole, "CancelBtn");
    QPushButton* help =
        widgets::AddDialogButton(*buttons, "Help", QDialogButtonBox::HelpRole, "HelpBtn");
    connect(search_, &QPushButton::clicked, this, &TSelectRepeat::SearchBtnClick);
    connect(create_, &QPushButton::clicked, this, &TSelectRepeat::CreateBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (services_.showHelp) services_.showHelp("RepeatBilling");
    });
    layout->addWidget(buttons);
    resize(list_->fontMetrics().horizontalAdvance(Headings()) + 80, 480);
}

void TSelectRepeat::Execute() {
    const QString mask =
        flow_.order() == base::DateOrder::YearFirst ? "9999/99/99;_" : "99/99/9999;_";
    searchDate_->setInputMask(mask);
    invoiceDate_->setInputMask(mask);
    comments_->setText(kDefaultRepeatComments);
    progress_->setValue(0);
    Show(flow_.Open());
    searchDate_->setFocus();
    exec();
}

void TSelectRepeat::Show(const RepeatWizardView& view) {
    searchDate_->setText(widgets::ToRecordText(view.searchDate));
    invoiceDate_->setText(widgets::ToRecordText(view.invoiceDate));
    list_->clear();
    for (const std::string& line : view.lines) list_->addItem(widgets::ToRecordText(line));
    status_->setText(widgets::ToRecordText(view.status));
    create_->setEnabled(view.canCreate);
}

void TSelectRepeat::CalendarClick(QLineEdit* date, const char* caption) {
    const auto shown = base::ParseDate(date->text().toStdString(), flow_.order());
    const auto picked =
        services_.prompts.PickDate(caption, shown.value_or(services_.clock.Today()));
    if (picked) date->setText(QString::fromStdString(base::FormatDate(*picked, flow_.order())));
}

void TSelectRepeat::SearchBtnClick() {
    status_->setText("Working...");
    Show(flow_.Search(searchDate_->text().toStdString()));
}

void TSelectRepeat::CreateBtnClick() {
    create_->setEnabled(false);
    status_->setText("Working...");
    const RepeatWizardView view =
        flow_.Create(invoiceDate_->text().toStdString(), widgets::FromRecordText(comments_->text()),
                     [this](size_t done, size_t of) {
                         progress_->setMaximum(static_cast<int>(of));
                         progress_->setValue(static_cast<int>(done));
                         QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                     });
    Show(view);
}

}  // namespace invoicing::ui

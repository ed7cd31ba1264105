#include "invoicing/ui/RepeatSetupDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/Dates.h"
#include "widgets/DialogButtons.h"
#include "widgets/RecordText.h"

namespace invoicing::ui {
TRepeatForm::TRepeatForm(base::PromptService& prompts,
                         std::function<void(const QString& topic)> showHelp, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
    setObjectName("TRepeatForm");
    setWindowTitle("Repeat Invoice Setup");
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    number_ = new QLabel(this);
    number_->setObjectName("InvNumber");
    date_ = new QLabel(this);
    date_->setObjectName("InvDate");
    customer_ = new QLabel(this);
    customer_->setObjectName("CustLabel");
    QFont bold = number_->font();
    bold.setBold(true);
    number_->setFont(bold);
    auto* heading = new QHBoxLayout;
    heading->addWidget(number_);
    heading->addStretch(1);
    heading->addWidget(date_);
    layout->addLayout(heading);
    layout->addWidget(customer_);
    layout->addSpacing(6);

    generate_ = new QCheckBox("Generate Invoices from this master record", this);
    generate_->setObjectName("CheckBox1");
    connect(generate_, &QCheckBox::toggled, this, &TRepeatForm::CheckBox1Click);
    layout->addWidget(generate_);

    auto* how = new QGroupBox("How often do I create this invoice?", this);
    auto* howLayout = new QHBoxLayout(how);
    every_ = new QLineEdit(how);
    every_->setObjectName("NumDays");
    every_->setMaxLength(3);
    every_->setValidator(new QRegularExpressionValidator(QRegularExpression("\\d{0,3}"), every_));
    every_->setFixedWidth(every_->fontMetrics().horizontalAdvance("9999") + 16);
    auto* everyLabel = new QLabel("&Every:", how);
    everyLabel->setBuddy(every_);
    months_ = new QRadioButton("&Month(s)", how);
    months_->setObjectName("RBMonths");
    days_ = new QRadioButton("&Days", how);
    days_->setObjectName("RBDays");
    howLayout->addWidget(everyLabel);
    howLayout->addWidget(every_);
    howLayout->addSpacing(8);
    howLayout->addWidget(months_);
    howLayout->addWidget(days_);
    howLayout->addStretch(1);
    layout->addWidget(how);

    nextDue_ = new QLineEdit(this);
    nextDue_->setObjectName("EndDate");
    auto* calendar = new QToolButton(this);
    calendar->setObjectName("CalButton");
    calendar->setText("...");
    calendar->setToolTip("Calendar");
    connect(calendar, &QToolButton::clicked, this, &TRepeatForm::CalButtonClick);
    auto* dueLabel = new QLabel("Next Scheduled &Creation Date:", this);
    dueLabel->setBuddy(nextDue_);
    auto* dueRow = new QHBoxLayout;
    dueRow->addWidget(dueLabel);
    dueRow->addWidget(nextDue_);
    dueRow->addWidget(calendar);
    dueRow->addStretch(1);
    layout->addLayout(dueRow);
    count_ = new QLabel(this);
    count_->setObjectName("CountLabel");
    layout->addWidget(count_);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = widgets::AddDialogButton(*buttons, "OK", QDialogButtonBox::AcceptRole, "OKBtn", true);
    QPushButton* cancel =
        widgets::AddDialogButton(*buttons, "&Cancel", QDialogButtonBox::RejectRole, "CancelBtn");
    QPushButton* help =
        widgets::AddDialogButton(*buttons, "Help", QDialogButtonBox::HelpRole, "HelpBtn");
    connect(ok_, &QPushButton::clicked, this, &TRepeatForm::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [showHelp = std::move(showHelp)] {
        if (showHelp) showHelp("RepeatBilling");
    });
    layout->addWidget(buttons);
    SetDateOrder(order_);
    setMinimumWidth(420);
}

void TRepeatForm::SetDateOrder(base::DateOrder order) {
    order_ = order;
    nextDue_->setInputMask(order == base::DateOrder::YearFirst ? "9999/99/99;_" : "99/99/9999;_");
    nextDue_->setFixedWidth(nextDue_->fontMetrics().horizontalAdvance("99/99/99999") + 16);
}

void TRepeatForm::CheckBox1Click() {
    ok_->setEnabled(generate_->isChecked());
    every_->setEnabled(generate_->isChecked());
}

void TRepeatForm::CalButtonClick() {
    const auto shown = base::ParseDate(nextDue_->text().toStdString(), order_);
    const auto picked =
        prompts_.PickDate("Next Scheduled Creation Date", shown.value_or(base::Date{}));
    if (picked) nextDue_->setText(QString::fromStdString(base::FormatDate(*picked, order_)));
}

RepeatScheduleEntry TRepeatForm::Entry() const {
    return {generate_->isChecked(), every_->text().toStdString(),
            months_->isChecked() ? RepeatUnit::Months : RepeatUnit::Days,
            nextDue_->text().toStdString()};
}

void TRepeatForm::OKBtnClick() {
    const auto field = (*check_)(Entry());
    if (!field) {
        accept();
        return;
    }
    QLineEdit* focus = *field == RepeatScheduleField::NextDue ? nextDue_ : every_;
    focus->setFocus();
    focus->selectAll();
}

bool TRepeatForm::Execute(const RepeatSetupView& view, RepeatScheduleEntry& entry,
                          const RepeatScheduleCheck& check) {
    check_ = &check;
    number_->setText("Invoice Number: " + widgets::ToRecordText(view.number));
    date_->setText(widgets::ToRecordText(view.date));
    customer_->setText("Short Name: " + widgets::ToRecordText(view.shortName) +
                       "      Customer#: " + widgets::ToRecordText(view.customer));
    generate_->setChecked(entry.generate);
    generate_->setEnabled(!view.master);
    CheckBox1Click();
    every_->setText(widgets::ToRecordText(entry.every));
    (entry.unit == RepeatUnit::Months ? months_ : days_)->setChecked(true);
    nextDue_->setText(widgets::ToRecordText(entry.nextDue));
    count_->setText(view.count > 0 ? "Invoices Generated to Date: " + QString::number(view.count)
                                   : QString());
    count_->setVisible(view.count > 0);
    (view.master ? every_ : static_cast<QWidget*>(generate_))->setFocus();
    const bool accepted = exec() == QDialog::Accepted;
    check_ = nullptr;
    if (accepted) entry = Entry();
    return accepted;
}

}  // namespace invoicing::ui

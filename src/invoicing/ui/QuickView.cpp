#include "invoicing/ui/QuickView.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/RecordText.h"

namespace invoicing::ui {
namespace {

constexpr const char* kCustomerFields[][2] = {{"CustName", "Name:"},
                                              {"CustNumber", "Customer Number:"},
                                              {"CustBalance", "Balance:"},
                                              {"CustPhone", "Phone Number:"},
                                              {"LastPayment", "Last Payment:"},
                                              {"LastInvoice", "Last Invoice:"},
                                              {"Aging1", "00 - 30 Days:"},
                                              {"Aging2", "31 - 60 Days:"},
                                              {"Aging3", "61 - 90 Days:"},
                                              {"Aging4", "Over 90 Days:"}};

QString Shown(const std::string& text) {
    return widgets::ToRecordText(text);
}

}  // namespace

TQView::TQView(QWidget* parent) : QDialog(parent) {
    setObjectName("QView");
    setWindowTitle("Customer Data");
    setModal(true);

    auto* invoice = new QFormLayout;
    type_ = Value("TypeText");
    number_ = Value("NumberText");
    date_ = Value("DateText");
    total_ = Value("TotalText");
    paid_ = Value("PaidText");
    balance_ = Value("BalanceText");
    invoice->addRow("Type:", type_);
    invoice->addRow("Invoice Number:", number_);
    invoice->addRow("Invoice Date:", date_);
    invoice->addRow("Invoice Total:", total_);
    invoice->addRow("Paid Amount:", paid_);
    invoice->addRow("Balance Due:", balance_);

    printed_ = Value("PrintedMark");
    repeat_ = Value("RepeatMark");
    repeat_->setText("* Repeat *");
    auto* marks = new QHBoxLayout;
    for (QLabel* mark : {printed_, repeat_}) {
        QFont bold = mark->font();
        bold.setBold(true);
        mark->setFont(bold);
        mark->setStyleSheet("color: #b00000");
        marks->addWidget(mark);
    }
    marks->addStretch(1);

    auto* customerBox = new QGroupBox("Customer", this);
    auto* customer = new QFormLayout(customerBox);
    for (size_t i = 0; i < std::size(kCustomerFields); ++i) {
        customer_[i] = Value(kCustomerFields[i][0]);
        customer->addRow(kCustomerFields[i][1], customer_[i]);
    }
    // Amounts right-aligned in one column, next to their captions.
    for (QLabel* amount : {total_, paid_, balance_, customer_[2], customer_[6], customer_[7],
                           customer_[8], customer_[9]}) {
        amount->setFixedWidth(amount->fontMetrics().horizontalAdvance("-9,999,999.99") + 8);
        amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName("CloseBtn");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(invoice);
    layout->addLayout(marks);
    layout->addWidget(customerBox);
    layout->addWidget(buttons);
}

QLabel* TQView::Value(const char* name) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void TQView::Show(const QuickViewValues& values) {
    type_->setText(Shown(values.type));
    number_->setText(Shown(values.number));
    date_->setText(Shown(values.date));
    total_->setText(Shown(values.total));
    paid_->setText(Shown(values.paid));
    balance_->setText(Shown(values.balance));
    printed_->setText(Shown(values.printed));
    printed_->setVisible(!values.printed.empty());
    repeat_->setVisible(values.repeat);
    const QuickViewCustomer blank;
    const QuickViewCustomer& c = values.customer ? *values.customer : blank;
    const std::string* texts[] = {&c.name,        &c.number,      &c.balance,  &c.phone,
                                  &c.lastPayment, &c.lastInvoice, &c.aging[0], &c.aging[1],
                                  &c.aging[2],    &c.aging[3]};
    for (size_t i = 0; i < std::size(texts); ++i) customer_[i]->setText(Shown(*texts[i]));
}

void TQView::Execute(const QuickViewValues& values) {
    Show(values);
    exec();
}

}  // namespace invoicing::ui

#include "statements/ui/StatementSelectionDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace statements::ui {
namespace {

QRadioButton* Choice(QWidget* group, QVBoxLayout* layout, const char* name, const char* text) {
    auto* button = new QRadioButton(text, group);
    button->setObjectName(name);
    layout->addWidget(button);
    return button;
}

}  // namespace

TSelStmnt::TSelStmnt(std::function<void(const QString& topic)> showHelp, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TSelStmnt");
    setWindowTitle("Statement Selection");
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* balances = new QGroupBox("Account Balance Selection:", this);
    auto* balanceLayout = new QVBoxLayout(balances);
    all_ = Choice(balances, balanceLayout, "RBAll", "All non-zero balances");
    over30_ = Choice(balances, balanceLayout, "RBover30", "Over 30 Days");
    over60_ = Choice(balances, balanceLayout, "RBover60", "Over 60 Days");
    over90_ = Choice(balances, balanceLayout, "RBover90", "Over 90 Days");
    layout->addWidget(balances);

    auto* activity = new QGroupBox("Statement Activity:", this);
    auto* activityLayout = new QVBoxLayout(activity);
    QRadioButton* everything =
        Choice(activity, activityLayout, "RBActAll", "All activity (paid and unpaid)");
    unpaid_ = Choice(activity, activityLayout, "RBActUnPd", "Only Unpaid Transactions");
    layout->addWidget(activity);
    all_->setChecked(true);
    everything->setChecked(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelBtn");
    QPushButton* help = buttons->addButton("&Help", QDialogButtonBox::HelpRole);
    help->setObjectName("HelpBtn");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [showHelp = std::move(showHelp)] { showHelp("GetStatement"); });
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

std::optional<BatchChoice> TSelStmnt::Execute() {
    all_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    BatchChoice choice;
    if (over30_->isChecked()) choice.selection = BalanceSelection::Over30;
    if (over60_->isChecked()) choice.selection = BalanceSelection::Over60;
    if (over90_->isChecked()) choice.selection = BalanceSelection::Over90;
    choice.unpaidOnly = unpaid_->isChecked();
    return choice;
}

}  // namespace statements::ui

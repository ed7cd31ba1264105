#include "company/ui/PasswordDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/RecordText.h"

namespace company::ui {

namespace {
constexpr int kPasswordLength = 20;
}

TPWDlg::TPWDlg(std::function<void(const QString&)> showHelp, QWidget* parent)
    : QDialog(parent), showHelp_(std::move(showHelp)), password_(new QLineEdit(this)) {
    setObjectName("TPWDlg");
    setWindowTitle("Password Required");

    auto* label = new QLabel("&Enter password:", this);
    label->setBuddy(password_);
    password_->setObjectName("Password");
    password_->setEchoMode(QLineEdit::Password);
    password_->setMinimumWidth(240);
    widgets::ConfigureRecordTextEdit(*password_, kPasswordLength);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    buttons->addButton("&Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelBtn");
    helpButton_ = buttons->addButton("&Help", QDialogButtonBox::HelpRole);
    helpButton_->setObjectName("PWHelpButn");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(password_);
    layout->addSpacing(8);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &TPWDlg::PWHelpButnClick);
}

std::optional<std::string> TPWDlg::Ask(const QString& caption, bool helpVisible) {
    setWindowTitle(caption);
    helpButton_->setVisible(helpVisible);
    password_->clear();
    password_->setFocus();
    const bool ok = exec() == QDialog::Accepted;
    helpButton_->setVisible(true);
    setWindowTitle("Password Required");
    if (!ok) return std::nullopt;
    return widgets::FromRecordText(password_->text());
}

void TPWDlg::PWHelpButnClick() {
    if (showHelp_) showHelp_("PwordSet");
}

}  // namespace company::ui

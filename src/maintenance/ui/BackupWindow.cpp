#include "maintenance/ui/BackupWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace maintenance::ui {
namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& text,
                    const QString& hint = {}) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    return button;
}

std::filesystem::path PathOf(const QLineEdit& edit) {
    return std::filesystem::path(edit.text().trimmed().toStdString());
}

}  // namespace

TKTBkUp::TKTBkUp(BackupWindowServices services, QString defaultArchive, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
    setWindowTitle("KT Invorra PRO Backup");
    auto* fileLabel = new QLabel("Backup &file:", this);
    archive_ = new QLineEdit(defaultArchive, this);
    archive_->setObjectName("ArchivePath");
    archive_->setMinimumWidth(320);
    fileLabel->setBuddy(archive_);
    browse_ = Button(this, "BrowseButn", "Bro&wse...", "Choose the backup file");
    backup_ = Button(this, "BackButn", "&Backup", "Start Backup");
    restore_ = Button(this, "RestBtn", "&Restore", "Restore the data files from the backup file");
    exit_ = Button(this, "BkExit", "E&xit", "Exit Backup");
    help_ = Button(this, "HelpButn", "&Help", "Help");
    auto* statusCaption = new QLabel("Status:", this);
    statusCaption->setObjectName("Label1");
    status_ = new QLabel(this);
    status_->setObjectName("Label4");
    gauge_ = new QProgressBar(this);
    gauge_->setObjectName("Gauge1");
    gauge_->setRange(0, 100);

    auto* file = new QHBoxLayout;
    file->addWidget(fileLabel);
    file->addWidget(archive_, 1);
    file->addWidget(browse_);
    auto* status = new QHBoxLayout;
    status->addWidget(statusCaption);
    status->addWidget(status_, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {backup_, restore_, help_, exit_}) buttons->addWidget(button);
    buttons->insertStretch(2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(file);
    layout->addLayout(status);
    layout->addWidget(gauge_);
    layout->addLayout(buttons);

    connect(browse_, &QPushButton::clicked, this, [this] { BrowseButnClick(); });
    connect(backup_, &QPushButton::clicked, this, [this] { BackButnClick(); });
    connect(restore_, &QPushButton::clicked, this, [this] { RestBtnClick(); });
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    connect(help_, &QPushButton::clicked, this, [this] { services_.showHelp("backup"); });
}

bool TKTBkUp::Execute() {
    restored_ = false;
    FormShow();
    exec();
    return restored_;
}

void TKTBkUp::FormShow() {
    SetBusy(false, kReadyStatus);
    gauge_->setValue(0);
    backup_->setFocus();
}

void TKTBkUp::BrowseButnClick() {
    const auto chosen = services_.prompts.SaveFileName(
        "Backup File", archive_->text().toStdString(), "Backup (*.zip)");
    if (chosen) archive_->setText(QString::fromStdString(*chosen));
}

void TKTBkUp::BackButnClick() {
    (void)services_.flow.Backup(
        PathOf(*archive_), [this] { SetBusy(true, kBackingUpStatus); },
        [this](int percent) { ShowProgress(percent); });
    SetBusy(false, kReadyStatus);
}

void TKTBkUp::RestBtnClick() {
    restored_ = services_.flow.Restore(
                    PathOf(*archive_), [this] { SetBusy(true, kRestoringStatus); },
                    [this](int percent) { ShowProgress(percent); }, services_.rebuild) ||
                restored_;
    SetBusy(false, kReadyStatus);
}

void TKTBkUp::SetBusy(bool busy, const QString& status) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{archive_, browse_, backup_, restore_, exit_, help_})
        control->setEnabled(!busy);
    status_->setText(status);
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    QApplication::processEvents();
}

void TKTBkUp::ShowProgress(int percent) {
    gauge_->setValue(percent);
    QApplication::processEvents();
}

}  // namespace maintenance::ui

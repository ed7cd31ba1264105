#include "maintenance/ui/ConversionWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Windows1252.h"

namespace maintenance::ui {
namespace {

constexpr int kPathLength = 250;
constexpr char kInstruction[] =
    "Click the browse button and find the file COMPANY.DAT in the directory that currently holds "
    "the KT Invorra PRO VERSION 1.x program files.  Click the help button for details.";
constexpr char kExample[] = "Example: c:\\ktzrpro\\company.dat";

QString Shown(const std::string& text) {
    return QString::fromStdString(base::Win1252ToUtf8(text));
}

}  // namespace

TCZR::TCZR(ConversionWindowServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
    setWindowTitle("KT Invorra PRO Version 1 Conversion");
    instruction_ = new QLabel(kInstruction, this);
    instruction_->setObjectName("Label5");
    instruction_->setWordWrap(true);
    example_ = new QLabel(kExample, this);
    example_->setObjectName("Label6");
    auto* browse = new QPushButton("&Browse", this);
    browse->setObjectName("Button1");
    oldPath_ = new QLineEdit(this);
    oldPath_->setObjectName("OldPath");
    oldPath_->setMaxLength(kPathLength);
    oldPath_->setMinimumWidth(360);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("OKButton");
    auto* help = new QPushButton("&Help", this);
    help->setObjectName("SpeedButton3");
    help->setToolTip("Help");

    auto* path = new QHBoxLayout;
    path->addWidget(oldPath_, 1);
    path->addWidget(browse);
    auto* labels = new QVBoxLayout;
    for (int i = 0; i < 4; ++i) {
        progress_[i] = new QLabel(this);
        progress_[i]->setObjectName(QString("Label%1").arg(i + 1));
        labels->addWidget(progress_[i]);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(help);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instruction_);
    layout->addWidget(example_);
    layout->addLayout(path);
    layout->addLayout(labels);
    layout->addLayout(buttons);
    resize(520, sizeHint().height());

    connect(browse, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(oldPath_, &QLineEdit::returnPressed, this, [this] { Convert(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { services_.showHelp("conversion"); });
}

bool TCZR::Execute() {
    imported_ = false;
    FormShow();
    exec();
    return imported_;
}

void TCZR::FormShow() {
    for (QLabel* label : progress_) label->clear();
    instruction_->setText(kInstruction);
    example_->setText(kExample);
    oldPath_->setFocus();
}

void TCZR::Button1Click() {
    const auto chosen = services_.prompts.OpenFileName(
        "Version 1 Company File", "c:\\ktzrpro\\company.dat", "Company file (COMPANY.DAT)");
    if (!chosen) return;
    oldPath_->setText(QString::fromStdString(*chosen));
    Convert();
}

void TCZR::Convert() {
    const auto folder = services_.flow.Choose(oldPath_->text().toStdString());
    if (!folder) return;
    instruction_->setText(QString::fromStdString(folder->string()));
    setEnabled(false);
    const ImportReport report = services_.flow.Import(
        *folder, [this](int label, const std::string& text) { ShowLabel(label, text); },
        services_.rebuild);
    setEnabled(true);
    imported_ = imported_ || !report.companies.empty();
    services_.prompts.Inform(windowTitle().toStdString(), ImportMessage(report));
    accept();
}

void TCZR::ShowLabel(int label, const std::string& text) {
    if (label >= 1 && label <= 4)
        progress_[label - 1]->setText(Shown(text));
    else if (label == 6)
        example_->setText(QString::fromStdString(text));
    QApplication::processEvents();
}

}  // namespace maintenance::ui

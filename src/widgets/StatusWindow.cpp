#include "widgets/StatusWindow.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace widgets {

namespace {

// Updating the lines for every record would cost more than the rebuild itself on large files.
constexpr int32_t kProgressStep = 50;

QLabel* MakeLine(QWidget* parent, const char* name, const char* text, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(260);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

}  // namespace

TStatForm::TStatForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      label1_(MakeLine(this, "Label1", "Line1", false)),
      label2_(MakeLine(this, "Label2", "Line2", true)),
      label3_(MakeLine(this, "Label3", "Line3", false)) {
    setObjectName("TStatForm");
    setWindowTitle("Rebuild Status");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(label1_);
    layout->addWidget(label2_);
    layout->addWidget(label3_);
}

void TStatForm::ShowStatus(const QString& caption) {
    setWindowTitle(caption);
    adjustSize();
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    Repaint();
}

void TStatForm::SetLines(const QString& line1, const QString& line2, const QString& line3) {
    label1_->setText(line1);
    label2_->setText(line2);
    label3_->setText(line3);
    Repaint();
}

void TStatForm::HideStatus() {
    hide();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString TStatForm::Line(int number) const {
    switch (number) {
        case 1:
            return label1_->text();
        case 2:
            return label2_->text();
        case 3:
            return label3_->text();
        default:
            return {};
    }
}

void TStatForm::RebuildStarted(const std::string& statusCaption) {
    // The design-time texts "Line1".."Line3" would otherwise show until the 50th record.
    label1_->setText("Working...");
    label2_->clear();
    label3_->clear();
    ShowStatus(QString::fromStdString(statusCaption));
}

void TStatForm::RebuildProgress(int keyNumber, int32_t read, int32_t written) {
    if (read % kProgressStep == 0) {
        label1_->setText(QString("Key number: %1").arg(keyNumber));
        label2_->setText(QString("Records read: %1").arg(read));
        label3_->setText(QString("Records written: %1").arg(written));
    }
    Repaint();
}

void TStatForm::RebuildFinished() {
    HideStatus();
}

// The run holds the GUI thread; letting paint events through keeps every window drawn. User input
// waits until the run ends, so no command can start in the middle of a half-rebuilt file.
void TStatForm::Repaint() {
    if (isVisible()) repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace widgets

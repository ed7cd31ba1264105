#include "widgets/StatusWindow.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace widgets {

namespace {

// Updating the lines for every record would cost more than the rebuild itself on large files.
constexpr int32_t kProgressStep = 50;
// Lines are shown at most this often; painting them for every change would slow a run tenfold.
constexpr std::chrono::milliseconds kShowInterval{50};

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

TStatForm::TStatForm(QWidget* parent, Clock now)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      now_(std::move(now)),
      labels_{MakeLine(this, "Label1", "Line1", false), MakeLine(this, "Label2", "Line2", true),
              MakeLine(this, "Label3", "Line3", false)} {
    setObjectName("TStatForm");
    setWindowTitle("Rebuild Status");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    for (QLabel* label : labels_) layout->addWidget(label);
}

// The window is painted at once, as a run that follows may hold the GUI thread for a while; its
// first lines are shown at once too (a caller may set them just after showing and then work).
void TStatForm::ShowStatus(const QString& caption) {
    setWindowTitle(caption);
    adjustSize();
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    shownAt_.reset();
    repaint();
    ShowPendingLines();
}

void TStatForm::SetLines(const QString& line1, const QString& line2, const QString& line3) {
    const std::array<QString, 3> lines{line1, line2, line3};
    const std::array<QString, 3> latest =
        pending_ ? *pending_ : std::array<QString, 3>{Line(1), Line(2), Line(3)};
    if (lines != latest) pending_ = lines;
    ShowPendingLines();
}

// The last lines of a run are shown before the window goes.
void TStatForm::HideStatus() {
    shownAt_.reset();
    ShowPendingLines();
    hide();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString TStatForm::Line(int number) const {
    if (number < 1 || number > int(labels_.size())) return {};
    return labels_[size_t(number - 1)]->text();
}

void TStatForm::RebuildStarted(const std::string& statusCaption) {
    // The design-time texts "Line1".."Line3" would otherwise show until the 50th record.
    SetLines("Working...", "", "");
    ShowStatus(QString::fromStdString(statusCaption));
}

void TStatForm::RebuildProgress(int keyNumber, int32_t read, int32_t written) {
    if (read % kProgressStep == 0) {
        SetLines(QString("Key number: %1").arg(keyNumber), QString("Records read: %1").arg(read),
                 QString("Records written: %1").arg(written));
    } else {
        ShowPendingLines();
    }
}

void TStatForm::RebuildFinished() {
    HideStatus();
}

// The run holds the GUI thread; letting paint events through keeps every window drawn. User input
// waits until the run ends, so no command can start in the middle of a half-rebuilt file.
void TStatForm::ShowPendingLines() {
    if (pending_) {
        const auto now = now_();
        const bool due = !isVisible() || !shownAt_ || now - *shownAt_ >= kShowInterval;
        if (due) {
            for (size_t i = 0; i < labels_.size(); ++i) labels_[i]->setText((*pending_)[i]);
            pending_.reset();
            if (isVisible()) {
                repaint();
                shownAt_ = now;
            }
        }
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace widgets

#include "Screenshot.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace app {

namespace {

// Windows that are not part of what the user sees (hidden ones, tool tips, popups) stay out.
std::vector<QWidget*> VisibleWindows() {
    std::vector<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() || widget->windowType() == Qt::ToolTip ||
            widget->windowType() == Qt::Popup)
            continue;
        windows.push_back(widget);
    }
    // Modal dialogs are in front of the windows they block.
    std::stable_sort(windows.begin(), windows.end(),
                     [](QWidget* a, QWidget* b) { return !a->isModal() && b->isModal(); });
    return windows;
}

}  // namespace

// Offscreen windows have no frames; each gets a plain title bar with its caption so a dialog
// stands out from the window behind it.
constexpr int kTitleHeight = 26;

QRect FramedGeometry(const QWidget* window) {
    return window->geometry().adjusted(-1, -kTitleHeight, 1, 1);
}

void DrawFrame(QPainter& painter, const QWidget* window, const QRect& frame) {
    painter.fillRect(frame, QColor(60, 64, 72));
    QFont font = window->font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(frame.left() + 10, frame.top(), frame.width() - 20, kTitleHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
}

bool SaveTopLevelWindows(const QString& file) {
    const std::vector<QWidget*> windows = VisibleWindows();
    QRect area;
    for (QWidget* window : windows) area |= FramedGeometry(window);
    if (area.isEmpty()) return false;
    QImage picture(area.size(), QImage::Format_ARGB32);
    picture.fill(QColor(64, 64, 64));
    QPainter painter(&picture);
    painter.translate(-area.topLeft());
    for (QWidget* window : windows) {
        DrawFrame(painter, window, FramedGeometry(window));
        painter.drawPixmap(window->geometry().topLeft(), window->grab());
    }
    painter.end();
    return picture.save(file, "PNG");
}

void ScheduleScreenshot(const QString& file, std::function<void(int)> finish) {
    // A zero timer fires once the events queued by start-up have run; a second round lets the
    // layouts and paints those events caused settle too. Start-up may sit in a modal dialog by
    // then (the password prompt): its nested loop runs the timer just the same.
    QTimer::singleShot(0, [file, finish] {
        QTimer::singleShot(200, [file, finish] {
            QApplication::processEvents();
            finish(SaveTopLevelWindows(file) ? 0 : 1);
        });
    });
}

}  // namespace app

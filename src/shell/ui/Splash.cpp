#include "shell/ui/Splash.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>

#include "shell/ui/Resources.h"

namespace shell::ui {

namespace {

constexpr QSize kSize{420, 220};
constexpr int kPictureSize = 128;

}  // namespace

QPixmap SplashPicture() {
    QPixmap picture(kSize);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, kSize.height());
    background.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    background.setColorAt(1, QColor(0xDC, 0xE6, 0xF2));
    painter.fillRect(picture.rect(), background);
    painter.setPen(QPen(QColor(0x2B, 0x3A, 0x4E), 2));
    painter.drawRect(picture.rect().adjusted(1, 1, -1, -1));

    const int top = (kSize.height() - kPictureSize) / 2;
    painter.drawPixmap(28, top, ProgramIcon().pixmap(kPictureSize, kPictureSize));

    QFont caption("Liberation Sans");
    caption.setStyleHint(QFont::SansSerif);
    caption.setPixelSize(36);
    caption.setBold(true);
    painter.setFont(caption);
    painter.setPen(QColor(0x2B, 0x3A, 0x4E));
    const QRect words(28 + kPictureSize + 20, 0, kSize.width() - kPictureSize - 68, kSize.height());
    painter.drawText(words, Qt::AlignVCenter | Qt::AlignLeft, "Invorra Pro");
    return picture;
}

std::unique_ptr<QSplashScreen> ShowSplash() {
    auto splash = std::make_unique<QSplashScreen>(SplashPicture());
    splash->setObjectName("TPStart");
    splash->setWindowTitle("Invorra Pro");
    splash->show();
    splash->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return splash;
}

}  // namespace shell::ui

#include "support/ui/WindowDriving.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <QTimer>

namespace testsupport {

void ThenInModal(QWidget& window, std::function<void()> interact, int tries) {
    QTimer::singleShot(0, [&window, interact, tries] {
        if (!window.isVisible() && tries > 0) return ThenInModal(window, interact, tries - 1);
        interact();
        if (window.isVisible()) {
            ADD_FAILURE() << window.objectName().toStdString() << " stayed open";
            window.hide();
        }
    });
}

void Click(const QObject& root, const char* name) {
    QTest::mouseClick(&Find<QPushButton>(root, name), Qt::LeftButton);
}

void Trigger(const QObject& root, const char* name) {
    Find<QAction>(root, name).trigger();
}

void Activate(QWidget& window) {
    window.activateWindow();
    // Only the application's own answer counts: a window may call itself active while a dialog
    // it opened still holds the keys.
    EXPECT_TRUE(QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }));
}

void SavePicture(QWidget& window, const char* name) {
    if (const char* folder = std::getenv("KT_WINDOW_PICTURES"))
        EXPECT_TRUE(window.grab().save(QString("%1/%2.png").arg(folder, name)));
}

}  // namespace testsupport

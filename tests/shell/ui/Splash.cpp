// The start-up splash window: shown at once with the program's picture and name, gone when
// released.

#include "shell/ui/Splash.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

namespace shell::ui {
namespace {

TEST(Splash, ShowsThePictureAndNameUntilReleased) {
    std::unique_ptr<QSplashScreen> splash = ShowSplash();
    ASSERT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->windowTitle(), "Invorra Pro");
    EXPECT_EQ(splash->objectName(), "TPStart");
    // Drawn, not blank: the picture holds more than its background colours.
    const QImage picture = splash->pixmap().toImage();
    ASSERT_FALSE(picture.isNull());
    EXPECT_NE(picture.pixel(28 + 64, picture.height() / 2), picture.pixel(5, 5));
    splash.reset();
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_NE(window->objectName(), "TPStart");
}

}  // namespace
}  // namespace shell::ui

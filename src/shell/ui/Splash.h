#pragma once
// TPStart: the window shown while the program's windows are made at start-up, with the program's
// picture and its name. It stays in front until it is destroyed, before the main window shows.

#include <QPixmap>
#include <QSplashScreen>
#include <memory>

namespace shell::ui {

// The splash window's picture.
QPixmap SplashPicture();

// Shows the splash window and paints it at once, as the work that follows holds the GUI thread.
std::unique_ptr<QSplashScreen> ShowSplash();

}  // namespace shell::ui

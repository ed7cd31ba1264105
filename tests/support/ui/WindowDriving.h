#pragma once
// Driving real windows offscreen: acting inside a modal window once its loop runs, and finding,
// clicking and triggering controls by their object names.

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QWidget>
#include <cstdlib>
#include <functional>

namespace testsupport {

// Runs `interact` once `window` is shown (its modal loop is then running); `interact` must close
// it. Arm it before the call that shows the window; nested windows arm theirs inside `interact`.
void ThenInModal(QWidget& window, std::function<void()> interact, int tries = 100);

// The child of `root` with this object name and type; a missing one ends the test binary with
// its name (it may be asked for inside a modal loop, where a test cannot simply return).
template <typename Control>
Control& Find(const QObject& root, const char* name) {
    auto* control = root.findChild<Control*>(name);
    if (control == nullptr) {
        ADD_FAILURE() << "no control " << name;
        std::abort();
    }
    return *control;
}

// A mouse click on the push button, as a user gives it.
void Click(const QObject& root, const char* name);
// Triggers the menu item or tool button action.
void Trigger(const QObject& root, const char* name);
// Makes `window` the active one, so that keys go where a user's would.
void Activate(QWidget& window);
// Saves a picture of `window` as NAME.png into the folder $KT_WINDOW_PICTURES when it is set, so
// a maintainer can look at the window as a test fills it.
void SavePicture(QWidget& window, const char* name);

}  // namespace testsupport

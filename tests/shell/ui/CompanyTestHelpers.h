#pragma once
// Helpers of the company window tests: scripting a modal window from inside its own event loop,
// and reading a file whole.

#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace shelltest {

// `interact` runs once `window` is shown and must close it.
inline void ThenInModal(QWidget& window, std::function<void()> interact, int tries = 100) {
    QTimer::singleShot(0, [&window, interact, tries] {
        if (!window.isVisible() && tries > 0) {
            ThenInModal(window, interact, tries - 1);
            return;
        }
        interact();
        if (window.isVisible()) {
            ADD_FAILURE() << window.objectName().toStdString() << " stayed open";
            window.hide();
        }
    });
}

inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace shelltest

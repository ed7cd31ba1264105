#pragma once
// The pictures and help pages compiled into this library. A static library's resources are
// registered only when something calls for them, so every user goes through these functions.

#include <QIcon>

namespace shell::ui {

void LoadResources();

// The program's icon (window icon, About box; the same picture is installed for the desktop).
QIcon ProgramIcon();

}  // namespace shell::ui

#pragma once
// The glyphs of the main toolbar's small buttons, drawn in code so the program needs no icon
// theme on the desktop it runs on.

#include <QIcon>

#include "shell/ui/MainCommands.h"

namespace shell::ui {

QIcon ToolbarIcon(Command command);

}  // namespace shell::ui

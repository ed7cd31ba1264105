#include "shell/ui/Resources.h"

// Q_INIT_RESOURCE declares a global function and must be used outside any namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(help);
    Q_INIT_RESOURCE(icons);
}

namespace shell::ui {

void LoadResources() {
    static const bool loaded = (RegisterResources(), true);
    (void)loaded;
}

QIcon ProgramIcon() {
    LoadResources();
    return QIcon(":/icons/kt-invorra.png");
}

}  // namespace shell::ui

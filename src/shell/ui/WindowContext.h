#pragma once
// What every window of the program is handed when it is created: the engine, the prompt service,
// the clock, the program state, the shared printer and the main window's services (help, status
// text, the status window). The main window builds one and keeps it for the whole run.

#include <QString>
#include <functional>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"

class QPrinter;
class QWidget;

namespace engine {
class Engine;  // only handed on to the flows and data sources the windows are made with
}

namespace widgets {
class TStatForm;
}

namespace shell::ui {

struct WindowContext {
    engine::Engine& engine;
    base::PromptService& prompts;
    const base::Clock& clock;
    company::ProgramState& state;
    QPrinter& printer;
    widgets::TStatForm& statusWindow;
    // The main window, as the parent of the windows it opens.
    QWidget* mainWindow = nullptr;
    // Opens the help window on a topic ("CustomerManager", "PwordSet", ...).
    std::function<void(const QString& topic)> showHelp;
    // Puts a text into the second panel of the main window's status bar ("Ready.").
    std::function<void(const QString& text)> setStatusText;
};

}  // namespace shell::ui

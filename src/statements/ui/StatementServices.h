#pragma once
// What the statement windows are handed by whoever makes them, once for the run.

#include <QString>
#include <functional>

#include "base/PromptService.h"
#include "company/ProgramState.h"

class QPrinter;

namespace mail {
class MailConnection;
}

namespace engine {
class Engine;  // only handed on to the flows
}

namespace widgets {
class TStatForm;
}

namespace statements::ui {

struct StatementServices {
    engine::Engine& engine;  // only handed on to the flows
    base::PromptService& prompts;
    const base::Clock& clock;
    company::ProgramState& state;
    QPrinter& printer;
    mail::MailConnection& mail;  // the program's one connection
    widgets::TStatForm& statusWindow;      // progress of a batch
    std::function<void(const QString& topic)> showHelp;
};

}  // namespace statements::ui

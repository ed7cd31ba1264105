#pragma once
// What a window under test is handed: a fresh data folder as the working directory, an engine
// over a fault-injecting file system, the scripted prompt service, a fixed clock, the program
// state, a printer and a status window, gathered into the WindowContext every window takes.

#include <QPrinter>
#include <QString>
#include <vector>

#include "base/Clock.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "engine/FaultInjectingFileSystem.h"
#include "shell/ui/WindowContext.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "widgets/StatusWindow.h"

namespace testsupport {

struct TestWindowContext {
    TestWindowContext();

    TempDir dir;
    ScopedChdir inDir{dir.path()};
    engine::FaultInjectingFileSystem files{engine::PosixFileSystem()};
    engine::Engine engine{files};
    ScriptedPrompts prompts;
    base::FixedClock clock{{{2024, 3, 5}, 14, 7, 0}};
    company::ProgramState state;
    QPrinter printer;
    widgets::TStatForm statusWindow;
    std::vector<QString> helpTopics;  // every help topic asked for, in order
    shell::ui::WindowContext context{engine,
                                     prompts,
                                     clock,
                                     state,
                                     printer,
                                     statusWindow,
                                     nullptr,
                                     [this](const QString& topic) { helpTopics.push_back(topic); },
                                     [](const QString&) {}};
};

}  // namespace testsupport

#pragma once
// Start-up and exit of the program as plain steps: the company named by "LastCo.Dat", the
// engine, the company's stored settings, the date checks and the background picture on the way
// in; the print queue question and the engine's stop on the way out. The main window calls these
// and paints what they leave in the program state.

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"

namespace company {

// How start-up ended.
enum class StartOutcome {
    NoDataFiles,     // "LastCo.Dat" names no company, or a restore cut short left the data files
                     // unfinished (shown): the program ends
    EngineNotReady,  // the engine did not start: the window shows no company
    Ready,           // the current company is loaded and its date format applied
};

class StartupFlow {
public:
    // The engine starts with this many page buffers.
    static constexpr int kPageBuffers = 30;

    StartupFlow(engine::Engine& engine, base::PromptService& prompts, ProgramState& state,
                const base::Clock& clock);

    // "LastCo.Dat" (an empty or cut file names no company, like a missing one), the engine, the
    // company's settings from the company file, the computer date check, the date format, and a
    // background picture that is gone switched off (in memory) with its message.
    StartOutcome Start();

    // The close query: true when the program may end (no labels waiting in the print queue, or
    // the user answered Yes to leave them).
    bool MayExit();
    // Whether the backup is offered on the way out (the company's option).
    bool OffersBackupOnExit() const;
    // Stops the engine. A file that could not be written back keeps its in-use flag, so the next
    // start offers its rebuild; the engine's message says so now.
    void Stop();

private:
    void CheckBackgroundPicture();

    engine::Engine& engine_;
    base::PromptService& prompts_;
    ProgramState& state_;
    const base::Clock& clock_;
};

}  // namespace company

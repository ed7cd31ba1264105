// backup DIR FILE.zip and restore FILE.zip DIR: the backup window's two commands without a screen.
// The questions are answered yes; the messages go to standard error. A restore rebuilds the current
// company's files and checks its ledger, as the window does. Exit 0 when the archive was written
// or restored, 1 when refused, 2 on a usage error.

#include <cstdio>
#include <filesystem>

#include "base/Clock.h"
#include "company/ProgramState.h"
#include "maintenance/BackupFlow.h"
#include "tool/CompanyOptions.h"
#include "tool/ConsolePrompts.h"
#include "tool/QuietRebuild.h"

namespace tool {
namespace {

// Runs `command` on the flow of data folder `dir`, with the archive's path made absolute first.
template <typename Command>
int InFolder(const std::string& dir, const std::string& archive, Command command) {
    const std::filesystem::path archivePath = std::filesystem::absolute(archive);
    engine::Engine engine;
    if (!EnterFolder(engine, dir)) return 1;
    ConsolePrompts prompts;
    company::ProgramState state;
    maintenance::BackupFlow flow(engine, prompts, state, base::SystemClock(),
                                 std::filesystem::current_path());
    const bool done = command(flow, archivePath);
    engine.ExitEngine();
    return done ? 0 : 1;
}

}  // namespace

int BackupCommand(const Args& args) {
    if (args.size() != 2) {
        std::fputs("usage: kt-invorra-tool backup DIR FILE.zip\n", stderr);
        return 2;
    }
    return InFolder(args[0], args[1], [](maintenance::BackupFlow& flow, const auto& archive) {
        return flow.Backup(archive, {}, {});
    });
}

int RestoreCommand(const Args& args) {
    if (args.size() != 2) {
        std::fputs("usage: kt-invorra-tool restore FILE.zip DIR\n", stderr);
        return 2;
    }
    return InFolder(args[1], args[0], [](maintenance::BackupFlow& flow, const auto& archive) {
        QuietRebuild observer;
        return flow.Restore(archive, {}, {}, observer);
    });
}

}  // namespace tool

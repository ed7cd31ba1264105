#pragma once
// The backup window's commands as plain steps: the questions, the backup or restore itself, and
// after a restore the company read again (the restored files may name another current company)
// with its files rebuilt and the ledger checked at once. The window hands in the archive chosen
// with the file dialog and shows the progress and status texts.

#include <filesystem>
#include <optional>
#include <string>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/BlockFile.h"
#include "engine/Engine.h"
#include "maintenance/Backup.h"

namespace maintenance {

inline constexpr char kReadyStatus[] = "Ready. Select backup or restore button...";
inline constexpr char kBackingUpStatus[] = "Backing up your files...";
inline constexpr char kRestoringStatus[] = "Restoring your files...";

class BackupFlow {
public:
    // `folder` is the data folder, the engine's working folder.
    BackupFlow(engine::Engine& engine, base::PromptService& prompts, company::ProgramState& state,
               const base::Clock& clock, std::filesystem::path folder);

    // "Ready to backup files to ...?", the backup and its message. True when written. `started`
    // runs once the question is answered, before the first file is read.
    bool Backup(const std::filesystem::path& archive, const std::function<void()>& started,
                const ProgressReport& progress);
    // The restore's question, the restore, then the current company read again, its files
    // rebuilt (shown on `observer`) and the ledger checked. True when the files were restored.
    bool Restore(const std::filesystem::path& archive, const std::function<void()>& started,
                 const ProgressReport& progress, engine::RebuildObserver& observer);

private:
    // Undoes a posting a killed process left half done, so that the files copied are whole.
    bool FilesAreWhole();
    void ReadCompanyAgain();
    std::string CheckAfterRestore(engine::RebuildObserver& observer);

    engine::Engine& engine_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    const base::Clock& clock_;
    std::filesystem::path folder_;
};

}  // namespace maintenance

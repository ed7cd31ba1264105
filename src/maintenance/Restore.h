#pragma once
// The restore of a backup archive into a data folder. The whole archive is checked first
// (ArchiveCheck); the data files are held as a posting holds them; every entry is unpacked, with
// its checksum and size verified, into a staging folder inside the data folder; only when all of
// them are there are the data files replaced (company/RestoreSwap: a process killed during the
// swap leaves a marker, and the next opening of the folder finishes or undoes the swap). A failure
// at any step leaves the data folder as it was, and nothing is ever written outside it. Files of
// the folder that the archive does not hold stay.

#include <filesystem>
#include <string>

#include "engine/FileSystem.h"
#include "maintenance/Backup.h"

namespace maintenance {

// "Unable to locate the backup files."
extern const char kNoBackupText[];

struct RestoreOutcome {
    bool restored = false;
    int files = 0;
    std::string failure;  // why nothing was written
};

RestoreOutcome RestoreBackup(engine::FileSystem& files, const std::filesystem::path& archive,
                             const std::filesystem::path& folder, const ProgressReport& progress);

}  // namespace maintenance

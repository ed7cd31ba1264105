#pragma once
// The restore of a backup archive into a data folder. The whole archive is checked first
// (ArchiveCheck); the data files are held as a posting holds them; every entry is unpacked, with
// its checksum and size verified, into a staging folder inside the data folder; only when all of
// them are there are the data files replaced, each old one moved aside until the last new one is
// in place. A failure at any step leaves the data folder as it was, and nothing is ever written
// outside it. Files of the folder that the archive does not hold stay. A process killed during
// the swap leaves the old files in KTRestore.old; the next restore refuses to run until they
// are moved back, so they are never wiped out.

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

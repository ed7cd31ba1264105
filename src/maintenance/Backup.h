#pragma once
// The backup of a data folder: every file of the backup mask deflated into one ZIP archive,
// written while the files are held as a posting holds them. The archive is written under a
// temporary name beside the target and renamed over it only when complete, so a full disk or an
// unreadable file never leaves a half archive, nor takes away the last good one.

#include <filesystem>
#include <functional>
#include <string>

#include "engine/FileSystem.h"

namespace maintenance {

// The default archive's name, in the user's home folder.
extern const char kBackupFileName[];

// Progress of a long run, 0 to 100.
using ProgressReport = std::function<void(int percent)>;

struct BackupOutcome {
    bool written = false;
    int files = 0;        // how many files the archive holds
    std::string failure;  // why nothing was written
};

// The deflate level: the fastest, as data files are mostly blanks and zeros, which every level
// packs alike.
constexpr int kDeflateLevel = 1;

BackupOutcome WriteBackup(engine::FileSystem& files, const std::filesystem::path& folder,
                          const std::filesystem::path& archive, const ProgressReport& progress);

}  // namespace maintenance

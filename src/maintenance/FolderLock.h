#pragma once
// The data files of a folder held the way a posting holds them: each opened through the engine's
// file system, which takes the file's exclusive lock. While they are held no posting, window or
// other desk can open one, so a backup copies files that nothing changes and a restore replaces
// files that nothing has open.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/FileSystem.h"

namespace maintenance {

// "The data files are in use. Close the program on every computer and try again."
extern const char kFilesInUseText[];

class FolderLock {
public:
    explicit FolderLock(engine::FileSystem& files) : files_(files) {}
    ~FolderLock() { Release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Holds every file `names` of `folder`, all or none. False (holding none) when one cannot be
    // opened: another opener holds it, or it went away.
    [[nodiscard]] bool Take(const std::filesystem::path& folder,
                            const std::vector<std::string>& names);
    void Release();

private:
    engine::FileSystem& files_;
    std::vector<std::unique_ptr<engine::File>> held_;
};

}  // namespace maintenance

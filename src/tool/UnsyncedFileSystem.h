#pragma once
// The POSIX file system with Flush left to the operating system, for a data folder made in one go
// that nobody uses yet: `init --demo` posts some thousand operations, and waiting for the disk at
// every one of them made it take half a minute. The folder is removed when anything fails, and
// the command syncs once at the end (FinishWrites).

#include "engine/FileSystem.h"

namespace tool {

class UnsyncedFileSystem : public engine::FileSystem {
public:
    int Open(const std::string& path, engine::OpenMode mode,
             std::unique_ptr<engine::File>& file) override;
    int Remove(const std::string& path) override { return posix_.Remove(path); }
    int Rename(const std::string& from, const std::string& to) override {
        return posix_.Rename(from, to);
    }
    int Copy(const std::string& from, const std::string& to) override {
        return posix_.Copy(from, to);
    }
    bool Exists(const std::string& path) override { return posix_.Exists(path); }

    // Pushes everything written on the working directory's file system to stable storage; false
    // when that failed.
    static bool FinishWrites();

private:
    engine::FileSystem& posix_ = engine::PosixFileSystem();
};

}  // namespace tool

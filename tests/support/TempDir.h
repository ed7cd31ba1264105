#pragma once
// A fresh temporary folder per test, removed afterwards; tests that touch files work inside one.

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Changes the working directory for the lifetime of the object (the engine opens files by
// short names in the working directory, as the program does in its data folder).
class ScopedChdir {
public:
    explicit ScopedChdir(const std::filesystem::path& dir);
    ~ScopedChdir();

private:
    std::filesystem::path previous_;
};

}  // namespace testsupport

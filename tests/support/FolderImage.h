#pragma once
// The files of a data folder with their bytes, for tests that fail every write of an operation in
// turn and prove that each failure leaves the folder as it was.

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace testsupport {

using FolderFiles = std::map<std::string, std::string>;

inline FolderFiles FolderBytes(const std::filesystem::path& folder) {
    FolderFiles files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = FileBytes(entry.path());
    return files;
}

// Makes the folder hold exactly `files` again.
inline void PutBackFolder(const std::filesystem::path& folder, const FolderFiles& files) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (!files.count(entry.path().filename().string())) std::filesystem::remove(entry.path());
    for (const auto& [name, bytes] : files)
        std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << bytes;
}

// The names of the files that differ, are missing or were added; files named in `anyBytes` only
// have to exist in both.
inline std::vector<std::string> DifferingFiles(const FolderFiles& a, const FolderFiles& b,
                                               const std::set<std::string>& anyBytes = {}) {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : a)
        if (!b.count(name) || (b.at(name) != bytes && !anyBytes.count(name))) names.push_back(name);
    for (const auto& [name, bytes] : b)
        if (!a.count(name)) names.push_back(name);
    return names;
}

}  // namespace testsupport

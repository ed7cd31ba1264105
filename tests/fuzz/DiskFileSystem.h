#pragma once
// The real POSIX file layer, with the image helpers the fuzz harness needs, working in the current
// folder. Replaying the corpus on it runs every saved input through the mapped reads of the real
// file layer; each instance starts by removing the files an earlier input left.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "engine/FileSystem.h"

namespace fuzz {

class DiskFileSystem final : public engine::FileSystem {
public:
    DiskFileSystem() {
        for (const char* name : {"F.DAT", "F.IX", "F.SAV", "F.MSG", "F.DIA"})
            std::filesystem::remove(name);
    }

    void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    // The file's bytes as they are now, or null when it does not exist.
    const std::string* Find(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return nullptr;
        read_.assign(std::istreambuf_iterator<char>(in), {});
        return &read_;
    }

    int Open(const std::string& path, engine::OpenMode mode,
             std::unique_ptr<engine::File>& file) override {
        return posix_.Open(path, mode, file);
    }
    int Remove(const std::string& path) override { return posix_.Remove(path); }
    int Rename(const std::string& from, const std::string& to) override {
        return posix_.Rename(from, to);
    }
    int Copy(const std::string& from, const std::string& to) override {
        return posix_.Copy(from, to);
    }
    bool Exists(const std::string& path) override { return posix_.Exists(path); }

private:
    engine::FileSystem& posix_ = engine::PosixFileSystem();
    std::string read_;
};

}  // namespace fuzz

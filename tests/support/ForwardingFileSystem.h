#pragma once
// The real file system with every call passed on, as the base of a test's file system that acts
// when a file is opened (kills the process, lets another desk post, wraps the file): the test
// overrides Open alone.

#include <memory>
#include <string>

#include "engine/FileSystem.h"

namespace testsupport {

class ForwardingFileSystem : public engine::FileSystem {
public:
    int Open(const std::string& path, engine::OpenMode mode,
             std::unique_ptr<engine::File>& file) override {
        return inner_.Open(path, mode, file);
    }
    int Remove(const std::string& path) override { return inner_.Remove(path); }
    int Rename(const std::string& from, const std::string& to) override {
        return inner_.Rename(from, to);
    }
    int Copy(const std::string& from, const std::string& to) override {
        return inner_.Copy(from, to);
    }
    bool Exists(const std::string& path) override { return inner_.Exists(path); }

private:
    engine::FileSystem& inner_ = engine::PosixFileSystem();
};

}  // namespace testsupport

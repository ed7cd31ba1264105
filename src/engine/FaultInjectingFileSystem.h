#pragma once
// A FileSystem that passes every call to another one but fails chosen operations, to prove that
// the engine's undo paths and crash-safe ordering hold when the disk says no.
//
// Reads and writes are counted across all files opened through this object (optionally only those
// whose path ends with a given suffix). Arming a fault for the Nth read or write counts from the
// moment of arming: FailWrite(1) fails the very next write. A fault fires once, or on that call
// and every later one, until Clear().

#include <cstdint>
#include <memory>
#include <string>

#include "engine/FileSystem.h"

namespace engine {

class FaultInjectingFileSystem final : public FileSystem {
public:
    enum class Repeat { Once, FromThenOn };
    // What a failing read or write reports: a platform error, or success with nothing transferred.
    enum class Kind { Error, ShortTransfer };

    struct Fault {
        int64_t nth = 0;  // 0: not armed
        Repeat repeat = Repeat::Once;
        Kind kind = Kind::Error;
        std::string pathSuffix;  // empty: every file
        int64_t seen = 0;        // matching calls since arming
        bool fired = false;
    };

    explicit FaultInjectingFileSystem(FileSystem& inner) : inner_(inner) {}

    void FailRead(int64_t nth, Repeat repeat = Repeat::Once, Kind kind = Kind::Error,
                  std::string pathSuffix = {});
    void FailWrite(int64_t nth, Repeat repeat = Repeat::Once, Kind kind = Kind::Error,
                   std::string pathSuffix = {});
    void FailFlush(int64_t nth, Repeat repeat = Repeat::Once, std::string pathSuffix = {});
    void FailRename(int64_t nth, Repeat repeat = Repeat::Once);
    void Clear();  // disarms every fault

    int64_t reads() const { return reads_; }
    int64_t writes() const { return writes_; }
    int64_t flushes() const { return flushes_; }
    int64_t faultsInjected() const { return faultsInjected_; }

    int Open(const std::string& path, OpenMode mode, std::unique_ptr<File>& file) override;
    int Remove(const std::string& path) override { return inner_.Remove(path); }
    int Rename(const std::string& from, const std::string& to) override;
    int Copy(const std::string& from, const std::string& to) override {
        return inner_.Copy(from, to);
    }
    bool Exists(const std::string& path) override { return inner_.Exists(path); }

    // Used by the files this object hands out: counts the call and tells whether it fails.
    bool ShouldFail(Fault& fault, const std::string& path);
    Fault& readFault() { return read_; }
    Fault& writeFault() { return write_; }
    Fault& flushFault() { return flush_; }
    void CountRead() { ++reads_; }
    void CountWrite() { ++writes_; }
    void CountFlush() { ++flushes_; }

private:
    FileSystem& inner_;
    Fault read_;
    Fault write_;
    Fault flush_;
    Fault rename_;
    int64_t reads_ = 0;
    int64_t writes_ = 0;
    int64_t flushes_ = 0;
    int64_t faultsInjected_ = 0;
};

}  // namespace engine

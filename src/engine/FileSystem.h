#pragma once
// The only door from the storage engine to the operating system. Every file the engine touches is
// reached through a FileSystem, so tests can substitute one that fails chosen operations.

#include <cstdint>
#include <memory>
#include <string>

namespace engine {

// Outcome of a platform call, in the platform numbering the engine maps to its own errors:
// 0 success, 2 file not found, 3 path not found, 4 too many open files, 6 invalid handle,
// 12 invalid access, 32 sharing violation (another opener holds the file), anything else other.
enum PlatformError : int {
    kPlatformOk = 0,
    kPlatformFileNotFound = 2,
    kPlatformPathNotFound = 3,
    kPlatformTooManyFiles = 4,
    kPlatformInvalidHandle = 6,
    kPlatformInvalidAccess = 12,
    kPlatformSharingViolation = 32,
    kPlatformOther = 1000,
};

enum class OpenMode {
    ReadOnly,      // existing file, read access
    ReadWrite,     // existing file, read and write access
    CreateAlways,  // create or truncate, read and write access
};

// An open file. Files are opened "without sharing": the file system takes an exclusive advisory
// lock, so a second opener of the same file, in this process or another, gets a sharing violation.
class File {
public:
    virtual ~File() = default;
    // Reads up to `size` bytes at `offset`; `bytesRead` tells how many arrived (fewer at end of file).
    virtual int Read(int64_t offset, void* buffer, int64_t size, int64_t& bytesRead) = 0;
    // Writes `size` bytes at `offset`; `bytesWritten` tells how many were written.
    virtual int Write(int64_t offset, const void* buffer, int64_t size, int64_t& bytesWritten) = 0;
    virtual int Size(int64_t& size) = 0;
    virtual int Truncate(int64_t size) = 0;
    // Pushes written data to stable storage (the crash-consistency points of the engine).
    virtual int Flush() = 0;
    virtual int Close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual int Open(const std::string& path, OpenMode mode, std::unique_ptr<File>& file) = 0;
    virtual int Remove(const std::string& path) = 0;
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual int Copy(const std::string& from, const std::string& to) = 0;
    virtual bool Exists(const std::string& path) = 0;
};

// The real POSIX file system (flock for "no sharing", fsync for Flush).
FileSystem& PosixFileSystem();

}  // namespace engine

// The POSIX file layer. "No sharing" is an exclusive advisory lock (flock) taken right after the
// open, so a second opener of the same file, in this process or another, gets a sharing violation.
// Remove and Rename honour those locks the same way, as a platform with mandatory sharing modes
// would: a file another opener holds can be neither deleted nor moved.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "engine/FileSystem.h"

namespace engine {
namespace {

int FromErrno(int error) {
    switch (error) {
        case ENOENT:
            return kPlatformFileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
            return kPlatformPathNotFound;
        case EMFILE:
        case ENFILE:
            return kPlatformTooManyFiles;
        case EBADF:
            return kPlatformInvalidHandle;
        case EWOULDBLOCK:
            return kPlatformSharingViolation;
        default:
            return kPlatformOther;
    }
}

// ENOENT means "path not found" when the folder itself is missing.
int OpenError(const std::string& path, int error) {
    if (error != ENOENT) return FromErrno(error);
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ignored))
        return kPlatformPathNotFound;
    return kPlatformFileNotFound;
}

// Reads are served from a read-only shared mapping of the file, so a cached page or record costs
// a copy instead of a system call; writes stay pwrite, so every write has reached the file when
// the call returns, whatever happens to the process afterwards. The mapping reserves more address
// space than the file holds, so a growing file is remapped only when it outgrows the reservation.
// Only bytes below the size this object knows (the size at open, grown by its own writes) are
// read from the mapping: a page beyond the end of the file would fault. A read reaching past that
// size asks the file for its size again first. A file that cannot be mapped is read with pread.
class PosixFile final : public File {
public:
    explicit PosixFile(int fd) : fd_(fd) {
        struct stat st {};
        if (::fstat(fd_, &st) == 0) knownSize_ = st.st_size;
        Map();
    }
    ~PosixFile() override {
        Unmap();
        if (fd_ >= 0) ::close(fd_);
    }

    int Read(int64_t offset, void* buffer, int64_t size, int64_t& bytesRead) override {
        bytesRead = 0;
        if (offset < 0 || size < 0) return kPlatformOther;
        if (offset + size > knownSize_) {
            if (const int error = RefreshSize(); error != kPlatformOk) return error;
        }
        if (!mapped_) return ReadWithCalls(offset, buffer, size, bytesRead);
        bytesRead = std::clamp<int64_t>(knownSize_ - offset, 0, size);
        if (bytesRead > 0) std::memcpy(buffer, mapped_ + offset, static_cast<size_t>(bytesRead));
        return kPlatformOk;
    }

    int Write(int64_t offset, const void* buffer, int64_t size, int64_t& bytesWritten) override {
        bytesWritten = 0;
        if (offset < 0 || size < 0) return kPlatformOther;
        const auto* in = static_cast<const char*>(buffer);
        int result = kPlatformOk;
        while (bytesWritten < size) {
            const ssize_t n =
                ::pwrite(fd_, in + bytesWritten, static_cast<size_t>(size - bytesWritten),
                         static_cast<off_t>(offset + bytesWritten));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) result = FromErrno(errno);
            if (n <= 0) break;
            bytesWritten += n;
        }
        Grown(offset + bytesWritten);
        return result;
    }

    int Size(int64_t& size) override {
        if (const int error = RefreshSize(); error != kPlatformOk) return error;
        size = knownSize_;
        return kPlatformOk;
    }

    int Truncate(int64_t size) override {
        if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) return FromErrno(errno);
        knownSize_ = size;
        return kPlatformOk;
    }

    int Flush() override { return ::fsync(fd_) == 0 ? kPlatformOk : FromErrno(errno); }

    int Close() override {
        Unmap();
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? kPlatformOk : FromErrno(errno);
    }

private:
    static constexpr int64_t kMinReservation = int64_t{1} << 20;

    int ReadWithCalls(int64_t offset, void* buffer, int64_t size, int64_t& bytesRead) {
        auto* out = static_cast<char*>(buffer);
        while (bytesRead < size) {
            const ssize_t n = ::pread(fd_, out + bytesRead, static_cast<size_t>(size - bytesRead),
                                      static_cast<off_t>(offset + bytesRead));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return FromErrno(errno);
            if (n == 0) break;
            bytesRead += n;
        }
        return kPlatformOk;
    }

    // Another opener of the file (a copy, a rebuild) may have changed its length since.
    int RefreshSize() {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) return FromErrno(errno);
        knownSize_ = st.st_size;
        if (knownSize_ > reserved_) Map();
        return kPlatformOk;
    }

    void Grown(int64_t end) {
        if (end <= knownSize_) return;
        knownSize_ = end;
        if (knownSize_ > reserved_) Map();
    }

    // Maps at least twice the known size; on failure reads go through pread from then on.
    void Map() {
        Unmap();
        int64_t reservation = kMinReservation;
        while (reservation < 2 * knownSize_) reservation *= 2;
        void* at = ::mmap(nullptr, static_cast<size_t>(reservation), PROT_READ, MAP_SHARED, fd_, 0);
        if (at == MAP_FAILED) return;
        mapped_ = static_cast<const char*>(at);
        reserved_ = reservation;
    }

    void Unmap() {
        if (mapped_) ::munmap(const_cast<char*>(mapped_), static_cast<size_t>(reserved_));
        mapped_ = nullptr;
        reserved_ = 0;
    }

    int fd_;
    int64_t knownSize_ = 0;
    const char* mapped_ = nullptr;
    int64_t reserved_ = 0;  // bytes of address space the mapping covers
};

// Opens `path` and takes the exclusive lock; on failure nothing stays open.
int OpenLocked(const std::string& path, int flags, int& fd) {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) return OpenError(path, errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = FromErrno(errno);
        ::close(fd);
        fd = -1;
        return error == kPlatformOk ? kPlatformOther : error;
    }
    return kPlatformOk;
}

// Runs `action` while holding the lock of `path`, so a file that another opener holds is refused.
template <typename Action>
int WhileUnshared(const std::string& path, Action action) {
    int fd = -1;
    const int locked = OpenLocked(path, O_RDONLY, fd);
    if (locked == kPlatformSharingViolation || locked == kPlatformFileNotFound ||
        locked == kPlatformPathNotFound)
        return locked;
    const int result = action() == 0 ? kPlatformOk : FromErrno(errno);
    if (fd >= 0) ::close(fd);
    return result;
}

class PosixFileSystemImpl final : public FileSystem {
public:
    int Open(const std::string& path, OpenMode mode, std::unique_ptr<File>& file) override {
        file.reset();
        int flags = O_RDWR;
        if (mode == OpenMode::ReadOnly) flags = O_RDONLY;
        if (mode == OpenMode::CreateAlways) flags = O_RDWR | O_CREAT;
        int fd = -1;
        if (const int error = OpenLocked(path, flags, fd); error != kPlatformOk) return error;
        // Truncate only once the lock is ours, so creating over a file in use destroys nothing.
        if (mode == OpenMode::CreateAlways && ::ftruncate(fd, 0) != 0) {
            const int error = FromErrno(errno);
            ::close(fd);
            return error;
        }
        file = std::make_unique<PosixFile>(fd);
        return kPlatformOk;
    }

    int Remove(const std::string& path) override {
        return WhileUnshared(path, [&] { return ::unlink(path.c_str()); });
    }

    int Rename(const std::string& from, const std::string& to) override {
        return WhileUnshared(from, [&] { return std::rename(from.c_str(), to.c_str()); });
    }

    int Copy(const std::string& from, const std::string& to) override {
        std::unique_ptr<File> source;
        std::unique_ptr<File> target;
        if (const int error = Open(from, OpenMode::ReadOnly, source); error != kPlatformOk)
            return error;
        if (const int error = Open(to, OpenMode::CreateAlways, target); error != kPlatformOk)
            return error;
        std::vector<char> buffer(1 << 16);
        for (int64_t offset = 0;;) {
            int64_t got = 0;
            if (const int error = source->Read(offset, buffer.data(), buffer.size(), got); error)
                return error;
            if (got == 0) break;
            int64_t put = 0;
            if (const int error = target->Write(offset, buffer.data(), got, put); error)
                return error;
            if (put != got) return kPlatformOther;
            offset += got;
        }
        if (const int error = target->Flush(); error) return error;
        return target->Close();
    }

    bool Exists(const std::string& path) override {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0;
    }
};

}  // namespace

FileSystem& PosixFileSystem() {
    static PosixFileSystemImpl instance;
    return instance;
}

}  // namespace engine

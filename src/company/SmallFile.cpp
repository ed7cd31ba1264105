#include "company/SmallFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>

namespace company {

namespace {

bool WriteWhole(engine::File& file, std::string_view contents) {
    int64_t written = 0;
    return file.Write(0, contents.data(), static_cast<int64_t>(contents.size()), written) ==
               engine::kPlatformOk &&
           written == static_cast<int64_t>(contents.size()) && file.Flush() == engine::kPlatformOk;
}

// The file system has no notion of permissions: an owner-only file is created empty with them
// first, and the write through the file system then keeps them.
void CreateOwnerOnly(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) ::close(fd);
}

constexpr int kOpenTries = 400;
constexpr std::chrono::milliseconds kOpenPause{5};

}  // namespace

std::optional<std::string> ReadSmallFile(engine::FileSystem& fs, const std::string& path) {
    std::unique_ptr<engine::File> file;
    // Another desk reading the same file holds it for a moment only.
    int opened = fs.Open(path, engine::OpenMode::ReadOnly, file);
    for (int tries = 0; opened == engine::kPlatformSharingViolation && tries < kOpenTries;
         ++tries) {
        std::this_thread::sleep_for(kOpenPause);
        opened = fs.Open(path, engine::OpenMode::ReadOnly, file);
    }
    if (opened != engine::kPlatformOk) return std::nullopt;
    int64_t size = 0;
    std::string contents;
    bool ok = file->Size(size) == engine::kPlatformOk && size >= 0;
    if (ok) contents.resize(static_cast<std::size_t>(size));
    for (int64_t done = 0; ok && done < size;) {
        int64_t got = 0;
        ok = file->Read(done, contents.data() + done, size - done, got) == engine::kPlatformOk &&
             got > 0;
        done += got;
    }
    ok = file->Close() == engine::kPlatformOk && ok;
    if (!ok) return std::nullopt;
    return contents;
}

bool ReplaceSmallFile(engine::FileSystem& fs, const std::string& path, std::string_view contents,
                      SmallFileAccess access) {
    const std::string temporary = path + ".new";
    // A temporary left by a crash goes first, so the new file gets the access asked for.
    if (fs.Exists(temporary)) fs.Remove(temporary);
    if (access == SmallFileAccess::OwnerOnly) CreateOwnerOnly(temporary);
    std::unique_ptr<engine::File> file;
    if (fs.Open(temporary, engine::OpenMode::CreateAlways, file) != engine::kPlatformOk) {
        if (fs.Exists(temporary)) fs.Remove(temporary);
        return false;
    }
    bool ok = WriteWhole(*file, contents);
    ok = file->Close() == engine::kPlatformOk && ok;
    ok = ok && fs.Rename(temporary, path) == engine::kPlatformOk;
    if (!ok) fs.Remove(temporary);
    return ok;
}

}  // namespace company

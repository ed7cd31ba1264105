#include "maintenance/Backup.h"

#include <fcntl.h>
#include <unistd.h>
#include <zip.h>

#include <fstream>
#include <memory>
#include <system_error>

#include "maintenance/BackupMask.h"
#include "maintenance/FolderLock.h"
#include "maintenance/ZipText.h"

namespace maintenance {
namespace {

// The end record of a ZIP archive without entries: the library does not write an archive that
// holds nothing, and an empty backup is still a backup of an empty folder.
constexpr char kEmptyArchive[22] = {'P', 'K', 5, 6};

bool WriteEmptyArchive(const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(kEmptyArchive, sizeof kEmptyArchive);
    out.flush();
    return static_cast<bool>(out);
}

// Pushes the finished archive to disk before it takes the backup's name, so that a power cut
// never leaves an empty file under it.
bool SyncFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

void ReportProgress(zip_t*, double done, void* report) {
    (*static_cast<const ProgressReport*>(report))(static_cast<int>(done * 100));
}

// Writes the archive at `partial`; the reason when it could not.
std::string WriteArchive(const std::filesystem::path& folder, const std::vector<std::string>& names,
                         const std::filesystem::path& partial, const ProgressReport& progress) {
    if (names.empty())
        return WriteEmptyArchive(partial) ? "" : "The backup file could not be written.";
    int error = 0;
    zip_t* archive = zip_open(partial.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) return ZipErrorText(error);
    for (const std::string& name : names) {
        zip_source_t* source = zip_source_file(archive, (folder / name).c_str(), 0, -1);
        const zip_int64_t index =
            source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0 || zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                                  ZIP_CM_DEFLATE, kDeflateLevel) != 0) {
            if (source && index < 0) zip_source_free(source);
            const std::string reason = ArchiveErrorText(archive);
            zip_discard(archive);
            return reason;
        }
    }
    ProgressReport report = progress ? progress : [](int) {};
    zip_register_progress_callback_with_state(archive, 0.01, ReportProgress, nullptr, &report);
    if (zip_close(archive) != 0) {
        const std::string reason = ArchiveErrorText(archive);
        zip_discard(archive);
        return reason;
    }
    return "";
}

}  // namespace

const char kBackupFileName[] = "KTBackup.zip";

BackupOutcome WriteBackup(engine::FileSystem& files, const std::filesystem::path& folder,
                          const std::filesystem::path& archive, const ProgressReport& progress) {
    std::error_code error;
    const bool inFolder = std::filesystem::equivalent(
        archive.parent_path().empty() ? "." : archive.parent_path(), folder, error);
    if (inFolder && !error && InBackupMask(archive.filename().string()))
        return {false, 0, "The backup file cannot take the name of a data file."};
    const std::vector<std::string> names = BackupFileNames(folder);
    FolderLock lock(files);
    if (!lock.Take(folder, names)) return {false, 0, kFilesInUseText};
    std::filesystem::path partial = archive;
    partial += ".partial";
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    std::string failure = WriteArchive(folder, names, partial, progress);
    if (failure.empty() && !SyncFile(partial)) failure = "The backup file could not be written.";
    if (failure.empty()) {
        std::error_code renamed;
        std::filesystem::rename(partial, archive, renamed);
        if (renamed) failure = "The backup file could not be written: " + renamed.message() + ".";
    }
    if (!failure.empty()) {
        std::filesystem::remove(partial, ignored);
        return {false, 0, failure};
    }
    return {true, static_cast<int>(names.size()), ""};
}

}  // namespace maintenance

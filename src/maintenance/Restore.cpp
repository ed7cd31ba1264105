#include "maintenance/Restore.h"

#include <zip.h>

#include <map>
#include <memory>
#include <system_error>
#include <vector>

#include "company/RestoreSwap.h"
#include "maintenance/ArchiveCheck.h"
#include "maintenance/BackupMask.h"
#include "maintenance/FolderLock.h"
#include "maintenance/ZipText.h"

namespace maintenance {
namespace {

namespace fs = std::filesystem;

constexpr zip_uint64_t kChunk = 1 << 16;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using OpenArchive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// A folder of the restore's own, removed with what it holds when the restore ends.
class WorkFolder {
public:
    explicit WorkFolder(fs::path path) : path_(std::move(path)) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
        fs::create_directory(path_, created_);
    }
    ~WorkFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    bool ready() const { return !created_; }
    // Left in place when the restore ends.
    void Keep() { path_.clear(); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
    std::error_code created_;
};

// The name an entry takes in the folder: the existing file's, when one matches it in letter case.
std::string TargetName(const std::vector<std::string>& existing, const std::string& entry) {
    for (const std::string& name : existing)
        if (UpperAscii(name) == UpperAscii(entry)) return name;
    return entry;
}

// Unpacks one entry into `target`; the reason when it could not.
std::string Unpack(engine::FileSystem& files, zip_t* archive, const ArchiveEntry& entry,
                   const fs::path& target, uint64_t& done, uint64_t total,
                   const ProgressReport& progress) {
    std::unique_ptr<zip_file_t, EntryCloser> source(zip_fopen_index(archive, entry.index, 0));
    if (!source) return ArchiveErrorText(archive);
    std::unique_ptr<engine::File> file;
    if (files.Open(target.string(), engine::OpenMode::CreateAlways, file) != engine::kPlatformOk)
        return "The restored files could not be written.";
    std::vector<char> buffer(kChunk);
    int64_t offset = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(source.get(), buffer.data(), kChunk);
        if (got < 0) {
            (void)file->Close();
            return "The backup file is damaged: " + ShownName(entry.name) + " (" +
                   zip_file_strerror(source.get()) + ").";
        }
        if (got == 0) break;
        int64_t written = 0;
        if (static_cast<uint64_t>(offset + got) > entry.size ||
            file->Write(offset, buffer.data(), got, written) != engine::kPlatformOk ||
            written != got) {
            (void)file->Close();
            return static_cast<uint64_t>(offset + got) > entry.size
                       ? "The backup file is damaged: " + ShownName(entry.name) + "."
                       : "The restored files could not be written.";
        }
        offset += got;
        done += static_cast<uint64_t>(got);
        if (progress && total > 0) progress(static_cast<int>(done * 100 / total));
    }
    const bool whole = static_cast<uint64_t>(offset) == entry.size;
    const bool flushed = file->Flush() == engine::kPlatformOk;
    if (file->Close() != engine::kPlatformOk || !flushed)
        return "The restored files could not be written.";
    return whole ? "" : "The backup file is damaged: " + ShownName(entry.name) + ".";
}

}  // namespace

const char kNoBackupText[] = "Unable to locate the backup files.";

RestoreOutcome RestoreBackup(engine::FileSystem& files, const fs::path& archivePath,
                             const fs::path& folder, const ProgressReport& progress) {
    std::error_code error;
    if (!fs::is_regular_file(archivePath, error)) return {false, 0, kNoBackupText};
    int openError = 0;
    OpenArchive archive(zip_open(archivePath.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &openError));
    if (!archive) return {false, 0, ZipErrorText(openError)};
    const ArchiveCheck check = CheckArchive(archive.get());
    if (!check.refusal.empty()) return {false, 0, check.refusal};

    // A swap cut short is finished when the folder is opened; until then its files are the only
    // copy of some data files.
    if (files.Exists((folder / company::kRestoreMarkerFile).string()))
        return {false, 0,
                "A restore was cut short; it is finished when the data folder is next opened. "
                "Restore again after that."};
    if (!fs::is_empty(folder / company::kRestoreAsideFolder, error) && !error)
        return {false, 0,
                std::string("A restore was cut short: the data files it set aside are in ") +
                    company::kRestoreAsideFolder +
                    ". Move them back into the data folder, then restore again."};
    const std::vector<std::string> existing = BackupFileNames(folder);
    FolderLock lock(files);
    if (!lock.Take(folder, existing)) return {false, 0, kFilesInUseText};

    WorkFolder staging(folder / company::kRestoreStagingFolder);
    if (!staging.ready()) return {false, 0, "The restored files could not be written."};
    uint64_t total = 0;
    for (const ArchiveEntry& entry : check.entries) total += entry.size;
    uint64_t done = 0;
    std::vector<std::string> names;
    for (const ArchiveEntry& entry : check.entries) {
        names.push_back(TargetName(existing, entry.name));
        const std::string failure = Unpack(files, archive.get(), entry,
                                           staging.path() / names.back(), done, total, progress);
        if (!failure.empty()) return {false, 0, failure};
    }
    company::FileMoves moves;
    const company::SwapOutcome swap = company::SwapInRestoredFiles(files, folder, names, moves);
    // While its marker stays, the swap's folders are the next opening's to finish with.
    if (files.Exists((folder / company::kRestoreMarkerFile).string())) staging.Keep();
    switch (swap) {
        case company::SwapOutcome::Swapped:
            break;
        case company::SwapOutcome::PutBack:
            return {false, 0,
                    "The restored files could not be put in place; the data files are unchanged."};
        case company::SwapOutcome::Unfinished:
            return {false, 0,
                    "The restored files could not be put in place, nor the old ones back; they "
                    "are put back when the data folder is next opened."};
    }
    return {true, static_cast<int>(names.size()), ""};
}

}  // namespace maintenance

// Rebuild of a file block: the data phase compacts the live records into a fresh data file, the
// index phase builds a fresh index from them with the caller's key builder.
//
// Crash safety: the new data file carries the in-use flag "rebuild" (2) from its creation until
// the index phase has closed it, so a run interrupted at any moment leaves a block that refuses to
// open (10010), and the next rebuild starts again from the old data kept in D.SAV or from the new
// file itself. D.SAV is deleted only after the new data file is on disk.

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "engine/BTree.h"
#include "engine/Blocks.h"
#include "engine/CompactRebuild.h"
#include "engine/EngineState.h"
#include "engine/Errors.h"
#include "engine/RebuildLog.h"
#include "engine/SequentialIo.h"

namespace engine {

bool KeepLiveRecord(std::span<const std::byte> oldRecord, std::span<std::byte> newRecord) {
    int32_t mark = 0;
    std::memcpy(&mark, oldRecord.data(), sizeof mark);
    if (mark != 0) return false;
    const size_t kept = std::min(oldRecord.size(), newRecord.size());
    std::memcpy(newRecord.data(), oldRecord.data(), kept);
    std::fill(newRecord.begin() + static_cast<std::ptrdiff_t>(kept), newRecord.end(), std::byte{0});
    return true;
}

namespace {

constexpr int kMaxRebuildRecordLength = 65535;
constexpr int kRebuildMaxBuffers = 9000;  // about 22 MB of page bytes once all are in use

// The index phase inserts every key through a private pool. Random keys miss in a pool smaller
// than their tree, so the pool is sized to one tree of the file (entries / 31 pages at most
// below the root), up to a bound on memory; a buffer's page bytes are allocated when it is first
// used. Pages are allocated in the same order whatever is cached, so the trees come out the
// same; only the unused tails of page slots, which no reader looks at, keep whatever an earlier
// write of the page left there.
int RebuildBuffersFor(int32_t records) {
    return std::min(std::max(records, 0) / (kPageCapacity / 2) + 2 * kMaxTreeDepth,
                    kRebuildMaxBuffers);
}

// Removes the files of a block as DeleteFileBlock does, ignoring every error.
void RemoveBlockFiles(FileSystem& fs, const BlockFileNames& names) {
    fs.Remove(names.index);
    fs.Remove(names.journal);
    fs.Remove(names.data);
}

// Reads the data header of `path`; `complete` is false when the file is shorter than a header.
int32_t PeekHeader(FileSystem& fs, const std::string& path, DataHeader& header, bool& complete) {
    std::unique_ptr<File> file;
    if (const int error = fs.Open(path, OpenMode::ReadOnly, file)) return err::FromPlatform(error);
    uint8_t bytes[kDataHeaderSize];
    int64_t got = 0;
    const int error = file->Read(0, bytes, kDataHeaderSize, got);
    file->Close();
    if (error) return err::FromPlatform(error);
    complete = got == kDataHeaderSize;
    if (complete) header = DataHeader::Decode(bytes);
    return err::kNone;
}

// The slot length of the data the data phase will read (the backup an interrupted run left, else
// the data file) when its header's record length agrees with the file's size; else 0. A header
// that disagrees is itself damaged, and the caller's length is the better guess.
int StoredRecordLength(FileSystem& fs, const BlockFileNames& names) {
    const std::string& path = fs.Exists(names.backup) ? names.backup : names.data;
    DataHeader header;
    bool complete = false;
    if (PeekHeader(fs, path, header, complete) || !complete) return 0;
    const int64_t length = header.recordLength;
    if (length < kMinRecordLength || length > kMaxRebuildRecordLength) return 0;
    std::unique_ptr<File> file;
    int64_t size = 0;
    if (fs.Open(path, OpenMode::ReadOnly, file) != kPlatformOk) return 0;
    const bool sized = file->Size(size) == kPlatformOk;
    file->Close();
    if (!sized || size % length != 0 || size / length - 1 != header.recordCount) return 0;
    return header.recordLength;
}

class DataPhase {
public:
    DataPhase(FileSystem& fs, PagePool& pool, const BlockFileNames& names,
              const ProgressCallback& progress)
        : fs_(fs), pool_(pool), names_(names), progress_(progress) {}

    int32_t Run(int oldLength, int newLength, const RecordFilter& filter) {
        if (const int32_t error = SetAsideOldData()) return error;
        const int32_t error = Copy(oldLength, newLength, filter);
        if (error) Undo();
        return error;
    }

private:
    // Moves D.DAT to D.SAV, or finds the D.SAV an interrupted run left behind.
    int32_t SetAsideOldData() {
        if (fs_.Exists(names_.backup) && fs_.Exists(names_.data)) {
            DataHeader header;
            bool complete = false;
            if (const int32_t error = PeekHeader(fs_, names_.data, header, complete))
                return error == err::kPlatform || error == err::kFileInUse
                           ? err::kMoveToBackupFailed
                           : error;
            // Only an unfinished output of an earlier rebuild may be thrown away.
            if (complete && header.inUse != kInUseByRebuild) return err::kBackupAndDataExist;
            RemoveBlockFiles(fs_, names_);
            backupFromEarlierRun_ = true;
            return err::kNone;
        }
        const int32_t moved = err::FromPlatform(fs_.Rename(names_.data, names_.backup));
        if (moved == err::kNone) return err::kNone;
        if (moved == err::kPlatform || moved == err::kFileInUse) return err::kMoveToBackupFailed;
        if (!fs_.Exists(names_.backup)) return err::kNoDataNorBackup;
        backupFromEarlierRun_ = true;
        return err::kNone;
    }

    int32_t Copy(int oldLength, int newLength, const RecordFilter& filter) {
        CreateRequest request;
        request.dataPath = names_.data;
        request.indexPath = names_.index;
        request.recordLength = newLength;
        request.inUse = kInUseByRebuild;
        if (const int32_t error = CreateBlockFiles(fs_, request)) return error;
        OpenRequest open;
        open.names = names_;
        open.acceptInUse = true;
        open.pool = &pool_;
        if (const int32_t error = OpenBlock(fs_, open, block_)) return error;
        if (const int error = fs_.Open(names_.backup, OpenMode::ReadOnly, backup_))
            return err::FromPlatform(error);

        const size_t bufferLength = static_cast<size_t>(std::max(oldLength, newLength));
        std::vector<uint8_t> oldRecord(bufferLength);
        std::vector<uint8_t> newRecord(bufferLength);
        int64_t backupSize = 0;
        if (const int error = backup_->Size(backupSize)) return err::FromPlatform(error);
        SlotReader reader(*backup_, oldLength, 1,
                          static_cast<int32_t>(std::min<int64_t>(
                              backupSize / oldLength - 1, std::numeric_limits<int32_t>::max())));
        SlotAppender appender(*block_->data);
        int32_t read = 0;
        int32_t written = 0;
        for (;;) {
            const uint8_t* slot = nullptr;
            int32_t number = 0;
            if (const int32_t error = reader.Next(slot, number)) return error;
            if (!slot) break;
            ++read;
            std::copy(slot, slot + oldLength, oldRecord.begin());
            std::fill(newRecord.begin(), newRecord.end(), 0);
            if (filter(std::as_bytes(std::span(oldRecord).first(static_cast<size_t>(oldLength))),
                       std::as_writable_bytes(
                           std::span(newRecord).first(static_cast<size_t>(newLength))))) {
                if (const int32_t error = appender.Append(newRecord.data())) return error;
                ++written;
            }
            if (progress_) progress_(0, read, written);
        }
        if (const int32_t error = appender.Flush()) return error;
        // The header keeps the rebuild's in-use flag: the index phase clears it.
        if (const int32_t error = CloseBlock(*block_, false)) return error;
        block_.reset();
        backup_->Close();
        backup_.reset();
        return err::FromPlatform(fs_.Remove(names_.backup));
    }

    // Gives the old data back as D.DAT, unless it came from an earlier interrupted run (then the
    // next rebuild continues from D.SAV).
    void Undo() {
        if (block_) AbandonBlock(*block_);
        block_.reset();
        if (backup_) backup_->Close();
        backup_.reset();
        RemoveBlockFiles(fs_, names_);
        if (backupFromEarlierRun_) return;
        if (fs_.Rename(names_.backup, names_.data) == kPlatformOk) return;
        if (fs_.Copy(names_.backup, names_.data) == kPlatformOk) fs_.Remove(names_.backup);
    }

    FileSystem& fs_;
    PagePool& pool_;
    const BlockFileNames& names_;
    const ProgressCallback& progress_;
    std::unique_ptr<FileBlock> block_;
    std::unique_ptr<File> backup_;
    bool backupFromEarlierRun_ = false;
};

// Which trees the index phase builds: the exact ones, one insertion per record in record order,
// or compact ones, built bottom-up from the sorted keys.
enum class IndexShape { Exact, Compact };

class IndexPhase {
public:
    IndexPhase(FileSystem& fs, const BlockFileNames& names, const ProgressCallback& progress,
               IndexShape shape = IndexShape::Exact)
        : fs_(fs), names_(names), progress_(progress), shape_(shape), log_(fs, names.log) {}

    int32_t Run(int keyCount, const KeyDescriptor* descriptors, const KeyBuilder& buildKey,
                bool deleteRecordsWhoseKeyFails, bool& logWritten) {
        fs_.Remove(names_.log);
        int32_t error = Prepare(keyCount, descriptors);
        if (!error)
            error = shape_ == IndexShape::Exact
                        ? BuildKeys(keyCount, buildKey, deleteRecordsWhoseKeyFails)
                        : BuildCompactIndexes(*block_, buildKey, deleteRecordsWhoseKeyFails, log_);
        if (!error && block_) error = CloseBlock(*block_, true);
        if (error && block_) AbandonBlock(*block_);  // stays flagged: the next open asks again
        block_.reset();
        const int32_t logError = log_.Close();
        logWritten = log_.written();
        return error ? error : logError;
    }

private:
    // Checks the data file, marks it in use, lays out a fresh index file and opens the block.
    int32_t Prepare(int keyCount, const KeyDescriptor* descriptors) {
        if (keyCount < 0 || keyCount > kMaxKeys) return err::kTooManyKeys;
        DataHeader header;
        {
            std::unique_ptr<File> data;
            if (const int error = fs_.Open(names_.data, OpenMode::ReadWrite, data))
                return err::FromPlatform(error);
            if (const int32_t error = CheckDataFile(*data, header)) return error;
            // Flagged before the old index is replaced, so no moment shows a closed block over
            // an incomplete index.
            header.keyCount = keyCount;
            header.inUse = kInUseByRebuild;
            uint8_t bytes[kDataHeaderSize];
            header.Encode(bytes);
            if (const int32_t error = WriteExactly(*data, 0, bytes, kDataHeaderSize)) return error;
            if (const int error = data->Flush()) return err::FromPlatform(error);
            if (const int error = data->Close()) return err::FromPlatform(error);
        }
        // The index is created next to a throw-away data file D.MSG, which is removed again.
        CreateRequest request;
        request.dataPath = names_.log;
        request.indexPath = names_.index;
        request.recordLength = header.recordLength;
        request.keyCount = keyCount;
        request.descriptors = descriptors;
        if (keyCount == 0) fs_.Remove(names_.index);
        const int32_t created = CreateBlockFiles(fs_, request);
        fs_.Remove(names_.log);
        if (created) return created;

        // A compact build writes each page once and never reads it back.
        const int buffers =
            shape_ == IndexShape::Exact ? RebuildBuffersFor(header.recordCount) : 2 * kMaxTreeDepth;
        pool_ = std::make_unique<PagePool>();
        if (pool_->Allocate(buffers) < kMaxTreeDepth) return err::kOutOfMemoryOpening;
        OpenRequest open;
        open.names = names_;
        open.acceptInUse = true;
        open.pool = pool_.get();
        if (const int32_t error = OpenBlock(fs_, open, block_)) return error;
        block_->ownPool = std::move(pool_);
        return err::kNone;
    }

    static int32_t CheckDataFile(File& data, DataHeader& header) {
        uint8_t bytes[kDataHeaderSize];
        if (ReadExactly(data, 0, bytes, kDataHeaderSize)) return err::kDataInconsistent;
        header = DataHeader::Decode(bytes);
        const int64_t length = header.recordLength;
        int64_t size = 0;
        if (length < kMinRecordLength || length > kMaxRebuildRecordLength ||
            data.Size(size) != kPlatformOk || size % length != 0 ||
            size / length - 1 != header.recordCount)
            return err::kDataInconsistent;
        if (header.firstFree != -1) {
            uint8_t mark[kDeletionMarkSize];
            if (header.firstFree < 1 || header.firstFree > header.recordCount ||
                ReadExactly(data, header.firstFree * length, mark, kDeletionMarkSize) ||
                (mark[0] | mark[1] | mark[2] | mark[3]) == 0)
                return err::kDataInconsistent;
        }
        return err::kNone;
    }

    int32_t BuildKeys(int keyCount, const KeyBuilder& buildKey, bool deleteRecordsWhoseKeyFails) {
        DataFile& data = *block_->data;
        const int length = data.header().recordLength;
        std::vector<uint8_t> record(static_cast<size_t>(length));
        for (int k = 1; k <= keyCount; ++k) {
            KeyState& state = block_->index->key(k);
            BTree tree(*block_->index, k);
            SlotReader reader(data.file(), length, 1, data.header().recordCount);
            int32_t read = 0;
            int32_t written = 0;
            for (;;) {
                const uint8_t* slot = nullptr;
                int32_t number = 0;
                if (const int32_t error = reader.Next(slot, number)) return error;
                if (!slot) break;
                if (slot[0] | slot[1] | slot[2] | slot[3]) continue;
                ++read;
                std::copy(slot, slot + length, record.begin());
                const std::string key =
                    buildKey(std::as_bytes(std::span(record)), k).substr(0, kMaxKeyLength);
                int32_t error = static_cast<int>(key.size()) > state.keyLength
                                    ? err::kKeyTooLong
                                    : tree.Insert(key, number);
                if (error == err::kDuplicateKey) {
                    error =
                        DropRecord(record, number, key, k, buildKey, deleteRecordsWhoseKeyFails);
                } else if (!error) {
                    ++written;
                }
                if (error) return error;
                if (progress_) progress_(k, read, written);
            }
        }
        return err::kNone;
    }

    // Logs a key that collides in a unique index; with the delete flag the record goes, together
    // with the keys of lower numbers it already has.
    int32_t DropRecord(const std::vector<uint8_t>& record, int32_t number, const std::string& key,
                       int keyNumber, const KeyBuilder& buildKey, bool deleteRecord) {
        if (const int32_t error = log_.KeyNotAdded(key, keyNumber, number)) return error;
        if (!deleteRecord) return err::kNone;
        if (const int32_t error =
                log_.RecordDeleted(record.data(), static_cast<int>(record.size())))
            return error;
        for (int j = 1; j < keyNumber; ++j) {
            const std::string earlier =
                buildKey(std::as_bytes(std::span(record)), j).substr(0, kMaxKeyLength);
            if (const int32_t error = BTree(*block_->index, j).Remove(earlier, number))
                return error;
        }
        return block_->data->Delete(number);
    }

    FileSystem& fs_;
    const BlockFileNames& names_;
    const ProgressCallback& progress_;
    IndexShape shape_;
    RebuildLog log_;
    std::unique_ptr<PagePool> pool_;
    std::unique_ptr<FileBlock> block_;
};

}  // namespace

int32_t RebuildIndexCompact(FileSystem& fs, std::string_view name, int keyCount,
                            const KeyDescriptor* descriptors, const KeyBuilder& buildKey,
                            bool deleteRecordsWhoseKeyFails, bool& logWritten) {
    logWritten = false;
    const BlockFileNames names = FileNamesOf(name);
    const ProgressCallback noProgress;
    IndexPhase phase(fs, names, noProgress, IndexShape::Compact);
    return phase.Run(keyCount, descriptors, buildKey, deleteRecordsWhoseKeyFails, logWritten);
}

void Engine::RebuildDataFile(std::string_view name, int oldRecordLength, int newRecordLength,
                             const RecordFilter& filter) {
    status_ = Status{};
    if (!impl_->initialised) return Finish(err::kNotInitialised);
    if (oldRecordLength < 1 || oldRecordLength > kMaxRebuildRecordLength ||
        newRecordLength > kMaxRebuildRecordLength)
        return Finish(err::kDataInconsistent);
    const BlockFileNames names = FileNamesOf(name);
    if (impl_->IsOpen(names.data)) return Finish(err::kMoveToBackupFailed);
    // Slots of another length than the caller expects are read as they were written, and the
    // filter converts them, rather than cutting the file into misaligned pieces.
    if (const int stored = StoredRecordLength(fs_, names)) oldRecordLength = stored;
    DataPhase phase(fs_, impl_->pool, names, impl_->progress);
    Finish(phase.Run(oldRecordLength, newRecordLength, filter));
}

void Engine::RebuildIndex(std::string_view name, int keyCount, const KeyDescriptor* descriptors,
                          const KeyBuilder& buildKey, bool deleteRecordsWhoseKeyFails,
                          bool& logWritten) {
    status_ = Status{};
    logWritten = false;
    if (!impl_->initialised) return Finish(err::kNotInitialised);
    const BlockFileNames names = FileNamesOf(name);
    if (impl_->IsOpen(names.data)) return Finish(err::kMoveToBackupFailed);
    IndexPhase phase(fs_, names, impl_->progress);
    Finish(phase.Run(keyCount, descriptors, buildKey, deleteRecordsWhoseKeyFails, logWritten));
}

}  // namespace engine

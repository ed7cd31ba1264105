#pragma once
// The storage engine: file blocks made of a data file of fixed-length records (NAME.DAT) and an
// index file (NAME.IX) holding up to 100 B-trees whose entries pair a key with a record number.
//
// Operations never throw. Each one resets the status, and a failure leaves ok() false with an
// error number (docs/FORMAT.md lists them with their classes). The engine knows nothing of record
// layouts: callers build records and keys and keep the two in step themselves.
//
// One Engine object plays the part of the process-wide engine; the program owns exactly one.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/Errors.h"
#include "engine/FileSystem.h"
#include "engine/Format.h"

namespace engine {

// One entry per key number: maximum key length 1..30 and whether duplicate keys are allowed.
struct KeyDescriptor {
    uint8_t length = 0;
    bool duplicates = false;
};

struct Status {
    bool ok = true;
    int32_t error = 0;
};

class FileBlock;                     // owned by the engine
using FileBlockHandle = FileBlock*;  // the caller's handle; null when closed

// How a block is opened. An expected layout that differs from the data header's makes the open
// fail with 10010, like a damaged index: the caller's records would not fit the file's slots.
struct OpenOptions {
    bool readOnly = false;
    int recordLength = 0;  // the record length the caller's records have; 0 accepts any
    int keyCount = -1;     // the number of keys the caller expects; -1 accepts any
};

// How long a file that another opener (another desk) holds is waited for. After `patience` the
// window-side routines ask "The files are in use.  Abort?" (No waits as long again) when `ask`
// is set, and give up otherwise.
struct SharingWait {
    std::chrono::milliseconds patience{2000};
    bool ask = true;
};

// Callbacks of the rebuild.
// Keeps or drops an old record (old record length bytes); a kept record is copied (converted)
// into newRecord (new record length bytes, zero-filled).
using RecordFilter =
    std::function<bool(std::span<const std::byte> oldRecord, std::span<std::byte> newRecord)>;
// Builds key `keyNumber` (1-based) of a record of the file's record length; at most 30 bytes.
using KeyBuilder = std::function<std::string(std::span<const std::byte> record, int keyNumber)>;
// Called after each record: key number (0 in the data phase), records read, records/keys written.
using ProgressCallback = std::function<void(int keyNumber, int32_t read, int32_t written)>;

// The program's record filter: keeps the live records (deletion mark 0) unchanged.
// A record longer than the new length loses its tail; a shorter one is padded with zeros.
bool KeepLiveRecord(std::span<const std::byte> oldRecord, std::span<std::byte> newRecord);

class Engine {
public:
    explicit Engine(FileSystem& fs = PosixFileSystem());
    ~Engine();  // ends the engine as the program does at exit, closing whatever is still open
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // ---- status -------------------------------------------------------------------------------
    const Status& status() const { return status_; }
    bool ok() const { return status_.ok; }
    int32_t error() const { return status_.error; }
    ErrorClass errorClass() const { return err::ClassOf(status_.error); }

    // ---- engine life cycle --------------------------------------------------------------------
    void InitEngine(int networkMode, int pageBufferCount);
    void ExitEngine();
    bool IsInitialised() const;

    // ---- file blocks --------------------------------------------------------------------------
    // `descriptors` has an entry per key number 1..keyCount (descriptors[0] is key 1).
    void CreateFileBlock(std::string_view name, int recordLength, int keyCount,
                         const KeyDescriptor* descriptors);
    void OpenFileBlock(FileBlockHandle& fb, std::string_view name, const OpenOptions& options = {});
    void CloseFileBlock(FileBlockHandle& fb);
    void DeleteFileBlock(std::string_view name);
    bool IsFileBlockOpen(FileBlockHandle fb) const;
    int KeyCount(FileBlockHandle fb);  // number of indexes of an open block

    // ---- records ------------------------------------------------------------------------------
    // Record buffers shorter than the block's record length are refused with 10025.
    void AddRecord(FileBlockHandle fb, int32_t& recordNumber, std::span<const std::byte> record);
    void GetRecord(FileBlockHandle fb, int32_t recordNumber, std::span<std::byte> record);
    void PutRecord(FileBlockHandle fb, int32_t recordNumber, std::span<const std::byte> record);
    void DeleteRecord(FileBlockHandle fb, int32_t recordNumber);
    // Whether a buffer holds a whole record of the block (10025 when it is shorter); for callers
    // that read a record's bytes themselves, e.g. to build its keys.
    bool FitsRecord(FileBlockHandle fb, std::span<const std::byte> record);
    // direction 0: is this slot live; above 0 scan forward; below 0 scan backward.
    void TestRecord(FileBlockHandle fb, int32_t& recordNumber, int direction);
    void NextUsedRecord(FileBlockHandle fb, int32_t& recordNumber);
    void PrevUsedRecord(FileBlockHandle fb, int32_t& recordNumber);
    int32_t UsedRecords(FileBlockHandle fb);
    int32_t RecordToPosition(FileBlockHandle fb, int32_t recordNumber, int32_t scale);
    int32_t PositionToRecord(FileBlockHandle fb, int32_t position, int32_t scale);
    int32_t FileLength(FileBlockHandle fb);  // record count + 1
    int32_t RecordLength(FileBlockHandle fb);

    // ---- keys (key numbers 1..key count; keys are raw bytes, cut to 30) -----------------------
    void AddKey(FileBlockHandle fb, int keyNumber, int32_t recordNumber, std::string_view key);
    void DeleteKey(FileBlockHandle fb, int keyNumber, int32_t recordNumber, std::string_view key);
    void SearchKey(FileBlockHandle fb, int keyNumber, int32_t& recordNumber, std::string& key);
    // Like SearchKey, but the first entry at or after (key, recordNumber): among equal keys the
    // one of that record or the next higher, found in one descent however many keys are equal.
    void SearchEntry(FileBlockHandle fb, int keyNumber, int32_t& recordNumber, std::string& key);
    void NextKey(FileBlockHandle fb, int keyNumber, int32_t& recordNumber, std::string& key);
    void PrevKey(FileBlockHandle fb, int keyNumber, int32_t& recordNumber, std::string& key);
    int32_t UsedKeys(FileBlockHandle fb, int keyNumber);
    int32_t KeyToPosition(FileBlockHandle fb, int keyNumber, int32_t recordNumber,
                          std::string_view key, int32_t scale);
    void PositionToKey(FileBlockHandle fb, int keyNumber, int32_t position, int32_t scale,
                       int32_t& recordNumber, std::string& key);

    // ---- postings -----------------------------------------------------------------------------
    // Between the two, every data file slot and header that any open block is about to change is
    // first kept in the journal (Journal.h), so a process killed in between leaves what is needed
    // to put the files back. EndJournal writes back every open block whole, as a close would (its
    // files marked closed until the next change), and removes the journal;
    // a journal left over from a dead process refuses BeginJournal with 10470, one still running
    // in this engine with 10475.
    void BeginJournal(std::string_view description);
    void EndJournal();
    // Removes the journal of a posting that was undone in place, writing nothing back: the
    // blocks stay marked in use until they are closed.
    void DropJournal();
    // Leaves the journal on disk for the next open to undo, as a killed process would.
    void AbandonJournal();
    bool JournalRunning() const;

    // ---- locking and network (single-user engine) ---------------------------------------------
    void LockFileBlock(FileBlockHandle fb);    // entry guard only
    void UnlockFileBlock(FileBlockHandle fb);  // entry guard only
    bool NetworkActive() const { return false; }
    bool EngineReady() const { return true; }

    // ---- rebuild ------------------------------------------------------------------------------
    void SetProgressCallback(ProgressCallback callback);
    // The data phase reads slots of the length the file's header announces when the file's size
    // agrees with it, else of oldRecordLength; the filter converts each to newRecordLength.
    void RebuildDataFile(std::string_view name, int oldRecordLength, int newRecordLength,
                         const RecordFilter& filter);
    void RebuildIndex(std::string_view name, int keyCount, const KeyDescriptor* descriptors,
                      const KeyBuilder& buildKey, bool deleteRecordsWhoseKeyFails,
                      bool& logWritten);

    // Page-pool counters, for benchmarks: buffer misses (pages read from disk) and pages written.
    struct PoolCounters {
        int64_t misses = 0;
        int64_t pageWrites = 0;
    };
    PoolCounters poolCounters() const;

    FileSystem& fileSystem() { return fs_; }
    const SharingWait& sharingWait() const { return sharingWait_; }
    void SetSharingWait(const SharingWait& wait) { sharingWait_ = wait; }

private:
    struct Impl;
    enum class Access { Read, Write };
    // The first entry at or after (key, fromRecord), with the key's cursor left on it.
    void SearchFrom(FileBlockHandle fb, int keyNumber, int32_t fromRecord, int32_t& recordNumber,
                    std::string& key);
    // The entry guard: resets the status, checks engine, handle, access and key number, runs the
    // operation and records its outcome.
    template <typename Operation>
    void Guarded(FileBlockHandle fb, Access access, std::optional<int> keyNumber,
                 Operation operation);
    void Finish(int32_t error);

    FileSystem& fs_;
    SharingWait sharingWait_;
    Status status_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace engine

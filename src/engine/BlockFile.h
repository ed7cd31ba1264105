#pragma once
// The window-side convention for one file block: open with repair, and adding, updating and
// deleting a record together with its keys, retrying while the engine reports a lock conflict and
// undoing every partial change when a step fails. Written once, parameterised by the file's
// description and by the prompt service that asks the user.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "base/PromptService.h"
#include "engine/Engine.h"
#include "engine/FileDescription.h"

namespace engine {

// Shown while a file is rebuilt (the status window in the program).
class RebuildObserver {
public:
    virtual ~RebuildObserver() = default;
    virtual void RebuildStarted(const std::string& statusCaption) = 0;
    virtual void RebuildProgress(int keyNumber, int32_t read, int32_t written) = 0;
    virtual void RebuildFinished() = 0;
};

// The captions of the convention's own messages. The questions are information messages with Yes
// and No: "Cannot get a lock.  Abort?", "The files are in use.  Abort?" and "Index file is
// defective.  Rebuild?". The creation notices are shown under "New Company" with OK, and "The
// record has changed in the meantime." under the program's title with OK.
inline constexpr char kQuestionCaption[] = "Information";
inline constexpr char kCreationCaption[] = "New Company";
inline constexpr char kProgramCaption[] = "KT Invorra Pro";

enum class UpdateOutcome {
    Written,           // the record and its changed keys were written
    Unchanged,         // the new record equals the copy taken when editing began; nothing written
    GaveUp,            // the user chose to abort at a lock question; every change was undone
    RecordGone,        // the stored record was deleted meanwhile; nothing written
    ChangedMeanwhile,  // "The record has changed in the meantime." was shown; nothing written
    Failed,            // an engine step failed; every partial change was undone
};

// Records are handed over as bytes; RecordFile<R> (RecordFile.h) is the typed face windows use.
// Buffers shorter than the description's record length are refused with 10025.
class BlockFile {
public:
    BlockFile(Engine& engine, FileDescription description, base::PromptService& prompts,
              RebuildObserver* observer = nullptr);
    ~BlockFile();  // closes the block when still open
    BlockFile(const BlockFile&) = delete;
    BlockFile& operator=(const BlockFile&) = delete;

    // Opens with repair: a defective index, or a data header announcing another record length or
    // number of keys than the description, asks "Index file is defective.  Rebuild?"; a missing
    // data file is created (after the file's "New Company" notice, when it has one). False when
    // the file stays closed.
    [[nodiscard]] bool Open();
    // One attempt of Open that does not wait for a file another opener holds.
    enum class Attempt { Opened, InUse, Failed };
    [[nodiscard]] Attempt TryOpen();
    // Opens an existing block for reading only, without repair (for windows that only read); a
    // header that does not match the description fails with 10010. The engine refuses writes
    // there with a class-2 result, which the retrying calls meet like any other lock conflict.
    [[nodiscard]] bool OpenReadOnly();
    // False when the engine could not write the block back; the block then stays open. When an
    // undo step failed since the open (the disk refused it), the index no longer matches the
    // records: the block is closed with its in-use flag set, so the next open asks for the rebuild
    // (false when even that flag could not be written).
    [[nodiscard]] bool Close();
    bool IsOpen() const { return handle_ != nullptr; }
    FileBlockHandle handle() const { return handle_; }
    const FileDescription& description() const { return description_; }
    Engine& engine() { return engine_; }

    // Creates the file block empty, and rebuilds it (data phase, then index phase; the block is
    // closed first when open). Both answer the engine's ok flag.
    // The rebuild reads the old records with the length the file's header announces when the
    // file's size agrees with it (a longer record keeps its first record-length bytes, a shorter
    // one is padded with zeros), else with the description's length.
    [[nodiscard]] bool Create();
    [[nodiscard]] bool Rebuild();

    // Record with its keys. A failed step undoes every change already made, so no record lacks a
    // key and no key names a missing record. Add writes the keys in the description's add order;
    // Update replaces only the keys whose text changed, in the update order, adding the new key
    // before deleting the old one; Delete removes the keys in key number order, then the record.
    [[nodiscard]] bool Add(std::span<const std::byte> record, int32_t& recordNumber);
    [[nodiscard]] UpdateOutcome Update(int32_t recordNumber, std::span<const std::byte> record,
                                       std::span<const std::byte> original);
    [[nodiscard]] bool Delete(int32_t recordNumber, std::span<const std::byte> record);
    // Whether the last failed routine ended because the user answered Yes to a lock question.
    bool gaveUp() const { return gaveUp_; }

    // Retrying engine calls: a class-2 result asks "Cannot get a lock.  Abort?"; No repeats the
    // call at once, Yes gives up (false). Otherwise the engine's ok flag is the result.
    [[nodiscard]] bool AddRecord(int32_t& recordNumber, std::span<const std::byte> record);
    [[nodiscard]] bool PutRecord(int32_t recordNumber, std::span<const std::byte> record);
    [[nodiscard]] bool DeleteRecord(int32_t recordNumber);
    [[nodiscard]] bool AddKey(int keyNumber, int32_t recordNumber, const std::string& key);
    [[nodiscard]] bool DeleteKey(int keyNumber, int32_t recordNumber, const std::string& key);
    [[nodiscard]] bool SearchKey(int keyNumber, int32_t& recordNumber, std::string& key);
    [[nodiscard]] bool NextKey(int keyNumber, int32_t& recordNumber, std::string& key);
    [[nodiscard]] bool PrevKey(int keyNumber, int32_t& recordNumber, std::string& key);
    // Reads a record without retrying (reads need no lock).
    [[nodiscard]] bool GetRecord(int32_t recordNumber, std::span<std::byte> record);

    std::string BuildKey(std::span<const std::byte> record, int keyNumber) const;

private:
    struct KeyChange {
        int keyNumber;
        std::string oldKey;
        std::string newKey;
    };

    OpenOptions Expected(bool readOnly) const;
    // False, with the engine's status 10025, when the buffer is shorter than a record.
    bool Fits(std::span<const std::byte> record);
    bool Lock();
    void Unlock();
    template <typename Call>
    bool Retrying(Call call);
    // Undo helpers: every step is tried (retried like any other); a failing one marks the block
    // for repair.
    void Undo(bool stepSucceeded);
    void RemoveKeys(int32_t recordNumber, const std::vector<std::pair<int, std::string>>& keys);
    void RestoreKeys(int32_t recordNumber, const std::vector<std::pair<int, std::string>>& keys);
    void RevertKeyChanges(int32_t recordNumber, const std::vector<KeyChange>& changes);
    bool MarkForRebuild();

    Engine& engine_;
    FileDescription description_;
    base::PromptService& prompts_;
    RebuildObserver* observer_;
    FileBlockHandle handle_ = nullptr;
    bool gaveUp_ = false;
    bool undoFailed_ = false;
};

// Waits for files that another opener holds, as the engine's SharingWait says: Again() sleeps a
// moment and answers true while the patience lasts, then asks "The files are in use.  Abort?"
// (No starts the patience again) or, without asking, answers false.
class SharingWaiter {
public:
    SharingWaiter(const Engine& engine, base::PromptService& prompts);
    [[nodiscard]] bool Again();

private:
    SharingWait wait_;
    base::PromptService& prompts_;
    std::chrono::steady_clock::time_point since_;
};

// Opens every file of `files` that is not open yet, in their order, all or none: when one is held
// by another opener, the ones this call opened are closed again, so nobody waits while holding
// part of a set, and the attempt is repeated as SharingWaiter allows. 0, or the engine error of the
// file that stayed closed (9932 when another opener kept it), every file this call opened closed
// again.
[[nodiscard]] int32_t OpenTogether(const std::vector<BlockFile*>& files,
                                   base::PromptService& prompts);

}  // namespace engine

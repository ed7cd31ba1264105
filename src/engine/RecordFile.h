#pragma once
// The window-side convention for one file block: open with repair, and adding, updating and
// deleting a record together with its keys, retrying while the engine reports a lock conflict and
// undoing every partial change when a step fails. Written once, parameterised by the file's
// description and by the prompt service that asks the user.

#include <cstdint>
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

class RecordFile {
public:
    RecordFile(Engine& engine, FileDescription description, base::PromptService& prompts,
               RebuildObserver* observer = nullptr);
    ~RecordFile();  // closes the block when still open
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens with repair: a defective index (or a data header announcing another number of keys than
    // the description) asks "Index file is defective.  Rebuild?"; a missing data file is created
    // (after the file's "New Company" notice, when it has one). False when the file stays closed.
    bool Open();
    // Opens an existing block for reading only, without repair (for windows that only read). The
    // engine refuses writes there with a class-2 result, which the retrying calls meet like any
    // other lock conflict.
    bool OpenReadOnly();
    // False when the engine could not write the block back; the block then stays open. When an
    // undo step failed since the open (the disk refused it), the index no longer matches the
    // records: the block is closed with its in-use flag set, so the next open asks for the rebuild.
    bool Close();
    bool IsOpen() const { return handle_ != nullptr; }
    FileBlockHandle handle() const { return handle_; }
    const FileDescription& description() const { return description_; }
    Engine& engine() { return engine_; }

    // Creates the file block empty, and rebuilds it (data phase, then index phase; the block is
    // closed first when open). Both answer the engine's ok flag.
    bool Create();
    bool Rebuild();

    // Record with its keys. `record` and `original` are recordLength bytes. A failed step undoes
    // every change already made, so no record lacks a key and no key names a missing record.
    // Add writes the keys in the description's add order; Update replaces only the keys whose
    // text changed, in the update order, adding the new key before deleting the old one; Delete
    // removes the keys in key number order, then the record.
    bool Add(const void* record, int32_t& recordNumber);
    UpdateOutcome Update(int32_t recordNumber, const void* record, const void* original);
    bool Delete(int32_t recordNumber, const void* record);
    // Whether the last failed routine ended because the user answered Yes to a lock question.
    bool gaveUp() const { return gaveUp_; }

    // Retrying engine calls: a class-2 result asks "Cannot get a lock.  Abort?"; No repeats the
    // call at once, Yes gives up (false). Otherwise the engine's ok flag is the result.
    bool AddRecord(int32_t& recordNumber, const void* record);
    bool PutRecord(int32_t recordNumber, const void* record);
    bool DeleteRecord(int32_t recordNumber);
    bool AddKey(int keyNumber, int32_t recordNumber, const std::string& key);
    bool DeleteKey(int keyNumber, int32_t recordNumber, const std::string& key);
    bool SearchKey(int keyNumber, int32_t& recordNumber, std::string& key);

    std::string BuildKey(const void* record, int keyNumber) const;

private:
    struct KeyChange {
        int keyNumber;
        std::string oldKey;
        std::string newKey;
    };

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
    void MarkForRebuild();

    Engine& engine_;
    FileDescription description_;
    base::PromptService& prompts_;
    RebuildObserver* observer_;
    FileBlockHandle handle_ = nullptr;
    bool gaveUp_ = false;
    bool undoFailed_ = false;
};

}  // namespace engine

#pragma once
// The window-side convention for one file block: open with repair, and adding, updating and
// deleting a record together with its keys, retrying while the engine reports a lock conflict and
// undoing every partial change when a step fails. Written once, parameterised by the file's
// description and by the prompt service that asks the user.

#include <cstdint>
#include <string>

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

enum class UpdateOutcome {
    Written,           // the record and its changed keys were written
    Unchanged,         // the new record equals the copy taken when editing began; nothing written
    GaveUp,            // the user chose to abort at a lock question; nothing written
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

    // Opens with repair: a defective index asks "Index file is defective.  Rebuild?"; a missing
    // data file is created (after the file's "New Company" notice, when it has one).
    bool Open();
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }
    FileBlockHandle handle() const { return handle_; }
    const FileDescription& description() const { return description_; }
    Engine& engine() { return engine_; }

    // Creates the file block empty, and rebuilds it (data phase, then index phase).
    bool Create();
    bool Rebuild();

    // Record with its keys. `record` and `original` are recordLength bytes.
    bool Add(const void* record, int32_t& recordNumber);
    UpdateOutcome Update(int32_t recordNumber, const void* record, const void* original);
    bool Delete(int32_t recordNumber, const void* record);

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
    bool Lock();
    template <typename Call>
    bool Retrying(Call call);

    Engine& engine_;
    FileDescription description_;
    base::PromptService& prompts_;
    RebuildObserver* observer_;
    FileBlockHandle handle_ = nullptr;
};

}  // namespace engine

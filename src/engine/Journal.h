#pragma once
// The journal of one posting: before any data file slot changes for the first time during the
// posting, what it held goes to the journal file and is pushed to disk; the data header of each
// file is kept as it stood when the posting first changed the file. While the journal exists the
// posting is unfinished, and its files can be put back as they were before it began. Indexes are
// not journaled: they are rebuilt from the restored data files.
//
// The journal file is held without sharing for as long as its posting runs, so another process
// that can open it knows its writer is gone. docs/FORMAT.md describes the layout.

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/DataFile.h"
#include "engine/FileSystem.h"

namespace engine {

// The journal's file name in the data folder; postings of every company take turns, so one
// journal at a time is all a folder ever has.
inline constexpr char kJournalFileName[] = "Posting.JNL";

class Journal {
public:
    // Creates the journal file (replacing a finished one) holding `description`, pushed to disk.
    static int32_t Begin(FileSystem& fs, std::string_view description,
                         std::unique_ptr<Journal>& journal);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Called by `file` (of block `blockName`) before it writes `size` bytes at `offset`: keeps the
    // header the first time, and every slot not yet kept that existed when the file was first
    // changed.
    int32_t BeforeWrite(const std::string& blockName, DataFile& file, int64_t offset, int64_t size);
    // The block was closed, which pushed its files to disk.
    void Closed(const DataFile& file);
    // Removes the journal: the posting stands. Its files are on disk by then (the engine writes
    // back the blocks still open, closing wrote back the others).
    int32_t Finish();

private:
    struct Kept {
        std::string blockName;
        DataFile* file;       // null once the block is closed
        int32_t recordCount;  // slots beyond it are new, and go by cutting the file back
        std::set<int32_t> slots;
    };
    Journal(FileSystem& fs, std::unique_ptr<File> file) : fs_(fs), file_(std::move(file)) {}
    int32_t Append(const std::vector<uint8_t>& payload);

    FileSystem& fs_;
    std::unique_ptr<File> file_;
    int64_t end_ = 0;
    std::vector<Kept> kept_;
};

// What a journal left by an interrupted posting held, once its files were put back.
struct JournalRollback {
    std::string description;
    std::vector<std::string> blockNames;  // the data files restored, whose indexes are stale
};

enum class JournalState {
    None,      // no journal: the last posting finished
    Busy,      // a posting of another process is running (its journal or a file is held)
    Restored,  // the files are back as they were before the interrupted posting
    Failed,    // the journal or a file could not be read or written
};

// Puts back the files of a journal left by a killed process: every kept slot and header is
// written back (the header still marked in use, as the index must be rebuilt) and slots added
// after the posting began are cut off. The journal stays until RemoveJournal, so a run killed
// while restoring restores again. A torn last entry, never followed by its write, is ignored.
JournalState RollBackJournal(FileSystem& fs, JournalRollback& rollback);
int RemoveJournal(FileSystem& fs);

}  // namespace engine

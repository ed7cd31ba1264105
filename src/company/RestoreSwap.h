#pragma once
// The moment a restore replaces the data files: every restored file waits in a staging folder
// inside the data folder, each old file is moved aside before its restored one moves in. Before
// the first move a marker file naming the files and the direction ("in", or "back" once the swap
// is being undone) is written and pushed to disk, and it is removed only when the folder holds one
// whole set again. A process killed in between leaves the marker; the next opening of the data
// folder finishes the swap it names (or completes its undoing), so the folder always ends with
// either the whole old or the whole restored set, and then removes what the swap left.
//
// The marker is held without sharing while its swap runs, so another desk never finishes a swap
// that is still under way.

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "base/PromptService.h"
#include "engine/FileSystem.h"

namespace company {

inline constexpr char kRestoreStagingFolder[] = "KTRestore.new";
inline constexpr char kRestoreAsideFolder[] = "KTRestore.old";
inline constexpr char kRestoreMarkerFile[] = "KTRestore.run";

// The moves and removals of a swap. The data files are held by the restore while they move, so
// they are moved past the engine's sharing locks.
class FileMoves {
public:
    virtual ~FileMoves() = default;
    virtual std::error_code Move(const std::filesystem::path& from,
                                 const std::filesystem::path& to);
    // Removes a file, or a folder with what it holds.
    virtual std::error_code Remove(const std::filesystem::path& path);
};

enum class SwapOutcome {
    Swapped,     // the restored files are in place
    PutBack,     // a move failed; the old files are back in place
    Unfinished,  // a move failed and so did putting back: the marker stays for the next opening
};

// Moves `names` from the staging folder of `folder` into it, each existing one aside first.
SwapOutcome SwapInRestoredFiles(engine::FileSystem& files, const std::filesystem::path& folder,
                                const std::vector<std::string>& names, FileMoves& moves);

enum class SwapRecovery {
    NothingLeft,  // no swap was cut short
    Finished,     // the restored files are in place
    PutBack,      // the old files are in place
    Busy,         // a restore on another desk is swapping right now
    Failed,       // the folder could not be made whole; the marker stays
};

// Finishes the swap that a killed restore left in `folder`, and tells the user what the folder
// holds now. Run before any data file of the folder is opened.
SwapRecovery FinishInterruptedRestore(engine::FileSystem& files,
                                      const std::filesystem::path& folder,
                                      base::PromptService& prompts, FileMoves& moves);
SwapRecovery FinishInterruptedRestore(engine::FileSystem& files,
                                      const std::filesystem::path& folder,
                                      base::PromptService& prompts);

}  // namespace company

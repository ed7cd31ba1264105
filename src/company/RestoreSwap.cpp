#include "company/RestoreSwap.h"

#include <memory>
#include <optional>

#include "engine/BlockFile.h"

namespace company {
namespace {

namespace fs = std::filesystem;

// The marker: the state, padded to one width so it changes by one small write in place, then a
// line per file name, then "end"; a marker without its end was cut short before the first move.
// "in": the restored files are moving in; "back": the old ones are moving back; "done": the
// folder is whole and only leftovers remain.
constexpr char kForward[] = "in  ";
constexpr char kBackward[] = "back";
constexpr char kDone[] = "done";
constexpr char kEnd[] = "end";

constexpr char kCutShort[] = "A restore was cut short while it put the restored files in place. ";

struct SwapPlaces {
    fs::path folder;
    fs::path staging;
    fs::path aside;
    explicit SwapPlaces(const fs::path& data)
        : folder(data), staging(data / kRestoreStagingFolder), aside(data / kRestoreAsideFolder) {}
};

bool Present(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// Each name's restored file in the folder, its old one aside. A name whose restored file has
// left the staging folder is done; each step is taken only where its file still waits, so the
// walk goes on from wherever a killed one stopped.
bool MoveIn(const SwapPlaces& places, const std::vector<std::string>& names, FileMoves& moves) {
    std::error_code error;
    fs::create_directory(places.aside, error);
    for (const std::string& name : names) {
        if (!Present(places.staging / name)) continue;
        if (Present(places.folder / name)) {
            if (Present(places.aside / name)) return false;  // two old files: neither is ours
            if (moves.Move(places.folder / name, places.aside / name)) return false;
        }
        if (moves.Move(places.staging / name, places.folder / name)) return false;
    }
    return true;
}

// The reverse walk: a restored file in the folder goes back to staging, then the old one returns.
bool MoveBack(const SwapPlaces& places, const std::vector<std::string>& names, FileMoves& moves) {
    for (const std::string& name : names) {
        if (!Present(places.staging / name) && Present(places.folder / name) &&
            moves.Move(places.folder / name, places.staging / name))
            return false;
        if (Present(places.aside / name) && moves.Move(places.aside / name, places.folder / name))
            return false;
    }
    return true;
}

bool WriteAll(engine::File& file, int64_t offset, const std::string& bytes) {
    int64_t written = 0;
    return file.Write(offset, bytes.data(), static_cast<int64_t>(bytes.size()), written) ==
               engine::kPlatformOk &&
           written == static_cast<int64_t>(bytes.size()) && file.Flush() == engine::kPlatformOk;
}

bool WriteMarker(engine::File& marker, const std::vector<std::string>& names) {
    std::string text = std::string(kForward) + "\n";
    for (const std::string& name : names) text += name + "\n";
    return WriteAll(marker, 0, text + kEnd + "\n");
}

bool Turn(engine::File& marker, const char* state) {
    return WriteAll(marker, 0, state);
}

struct Marker {
    std::string state;
    std::vector<std::string> names;
};

// The marker's contents; nothing when it was cut short before its end.
std::optional<Marker> ReadMarker(engine::File& file) {
    int64_t size = 0;
    if (file.Size(size) != engine::kPlatformOk || size <= 0) return std::nullopt;
    std::string text(static_cast<size_t>(size), '\0');
    int64_t got = 0;
    if (file.Read(0, text.data(), size, got) != engine::kPlatformOk || got != size)
        return std::nullopt;
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) return std::nullopt;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (lines.size() < 2 || lines.back() != kEnd) return std::nullopt;
    const std::string& state = lines.front();
    if (state != kForward && state != kBackward && state != kDone) return std::nullopt;
    Marker marker;
    marker.state = state;
    marker.names.assign(lines.begin() + 1, lines.end() - 1);
    return marker;
}

// What the swap left besides the data files, the marker last: until it goes it tells what the
// folders are. A removal that fails leaves the rest for the next opening.
void RemoveLeftovers(const SwapPlaces& places, std::unique_ptr<engine::File>& marker,
                     FileMoves& moves) {
    (void)marker->Close();
    marker.reset();
    if (!moves.Remove(places.aside) && !moves.Remove(places.staging))
        (void)moves.Remove(places.folder / kRestoreMarkerFile);
}

// Puts the old files back. Once they all are, the marker says so before any leftover goes: a
// restored file half removed from staging must never be taken for one still in the folder.
bool PutBack(const SwapPlaces& places, const std::vector<std::string>& names,
             std::unique_ptr<engine::File>& marker, FileMoves& moves) {
    if (!MoveBack(places, names, moves)) return false;
    if (Turn(*marker, kDone)) RemoveLeftovers(places, marker, moves);
    return true;
}

void Tell(base::PromptService& prompts, const std::string& text, base::PromptIcon icon) {
    prompts.Message(engine::kProgramCaption, text, icon, base::PromptButtons::Ok);
}

}  // namespace

std::error_code FileMoves::Move(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    return error;
}

std::error_code FileMoves::Remove(const fs::path& path) {
    std::error_code error;
    fs::remove_all(path, error);
    return error;
}

SwapOutcome SwapInRestoredFiles(engine::FileSystem& files, const fs::path& folder,
                                const std::vector<std::string>& names, FileMoves& moves) {
    const SwapPlaces places(folder);
    std::unique_ptr<engine::File> marker;
    if (files.Open((folder / kRestoreMarkerFile).string(), engine::OpenMode::CreateAlways,
                   marker) != engine::kPlatformOk ||
        !WriteMarker(*marker, names)) {
        if (marker) (void)marker->Close();
        (void)moves.Remove(folder / kRestoreMarkerFile);
        return SwapOutcome::PutBack;
    }
    if (MoveIn(places, names, moves)) {
        RemoveLeftovers(places, marker, moves);
        return SwapOutcome::Swapped;
    }
    // Should turning the marker fail, it still says "in", and the next opening finishes the
    // swap instead; either way the folder ends whole.
    (void)Turn(*marker, kBackward);
    return PutBack(places, names, marker, moves) ? SwapOutcome::PutBack : SwapOutcome::Unfinished;
}

SwapRecovery FinishInterruptedRestore(engine::FileSystem& files, const fs::path& folder,
                                      base::PromptService& prompts, FileMoves& moves) {
    const std::string markerPath = (folder / kRestoreMarkerFile).string();
    if (!files.Exists(markerPath)) return SwapRecovery::NothingLeft;
    std::unique_ptr<engine::File> marker;
    const int opened = files.Open(markerPath, engine::OpenMode::ReadWrite, marker);
    if (opened == engine::kPlatformSharingViolation) {
        Tell(prompts,
             "A restore on another computer is replacing the data files. Start again when it "
             "has finished.",
             base::PromptIcon::Warning);
        return SwapRecovery::Busy;
    }
    if (opened != engine::kPlatformOk) {
        Tell(prompts,
             std::string(kCutShort) + "Its marker " + kRestoreMarkerFile +
                 " cannot be read, so the data files may be incomplete.",
             base::PromptIcon::Error);
        return SwapRecovery::Failed;
    }
    const SwapPlaces places(folder);
    const std::optional<Marker> read = ReadMarker(*marker);
    std::error_code error;
    if (!read && (!fs::exists(places.aside, error) || fs::is_empty(places.aside, error))) {
        // Cut short while the marker was written: no file had moved yet.
        RemoveLeftovers(places, marker, moves);
        return SwapRecovery::NothingLeft;
    }
    if (!read) {
        Tell(prompts,
             std::string(kCutShort) + "Its marker " + kRestoreMarkerFile +
                 " is damaged; the files it set aside are kept in " + kRestoreAsideFolder + ".",
             base::PromptIcon::Error);
        return SwapRecovery::Failed;
    }
    if (read->state == kForward) {
        if (MoveIn(places, read->names, moves)) {
            RemoveLeftovers(places, marker, moves);
            Tell(prompts,
                 std::string(kCutShort) +
                     "It has been finished: the data files are those of the backup. Run "
                     "\"Rebuild Data Files\" to check them.",
                 base::PromptIcon::Information);
            return SwapRecovery::Finished;
        }
        (void)Turn(*marker, kBackward);
    }
    if (read->state == kDone) {
        RemoveLeftovers(places, marker, moves);
    } else if (!PutBack(places, read->names, marker, moves)) {
        (void)marker->Close();
        Tell(prompts,
             std::string(kCutShort) +
                 "Its files could not be moved back into the data folder; "
                 "they are kept in " +
                 kRestoreStagingFolder + " and " + kRestoreAsideFolder +
                 ". The data files are incomplete until they are.",
             base::PromptIcon::Error);
        return SwapRecovery::Failed;
    }
    Tell(prompts,
         std::string(kCutShort) +
             "It has been undone: the data files are as they were before it. Restore again.",
         base::PromptIcon::Information);
    return SwapRecovery::PutBack;
}

SwapRecovery FinishInterruptedRestore(engine::FileSystem& files, const fs::path& folder,
                                      base::PromptService& prompts) {
    FileMoves moves;
    return FinishInterruptedRestore(files, folder, prompts, moves);
}

}  // namespace company

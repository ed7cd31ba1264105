#pragma once
// A company being brought in from another program's files is marked in progress: before its
// first file is written a small marker naming it is put on disk, and only once the company is
// whole (files, indexes, company record, aging) does the marker go. A process killed in between
// leaves the marker, and the next opening of the data folder removes what was written of that
// company (its record, when it was added, and its files) and the import's working folder, so a
// company is never left half on file.
// The import only marks a company that has neither a record nor files of its own yet, so whatever
// the marker's company holds was written by the import.

#include <string>

#include "base/PromptService.h"
#include "engine/Engine.h"

namespace company {

inline constexpr char kImportMarkerFile[] = "KTImport.run";
// The import's working folder of links to the other program's files, removed when it ends.
inline constexpr char kImportLinksFolder[] = "KTV1.tmp";

// False when the marker could not be written; the company must not be imported then.
[[nodiscard]] bool MarkImportStarted(engine::FileSystem& files, const std::string& code);
// The company is whole.
void MarkImportFinished(engine::FileSystem& files);

enum class ImportRecovery {
    NothingLeft,  // no import was cut short
    Removed,      // the company an import left half written was removed
    Failed,       // it could not be removed; the marker stays for the next opening
};

// Removes the company a killed import left, and tells the user. Run when the data folder is
// opened, after an interrupted posting was undone (the company's aging may have left one).
ImportRecovery RemoveInterruptedImport(engine::Engine& engine, base::PromptService& prompts);

}  // namespace company

#pragma once
// A company being brought in from another program's files is marked in progress: before its
// first file is written a small marker naming it is put on disk, and only once the company is
// whole (files, indexes, company record, aging) does the marker go. A process killed in between
// leaves the marker, and the next opening of the data folder removes what was written of that
// company (its record, when it was added, and its files) and the import's working folder, so a
// company is never left half on file.
// The import only marks a company that has neither a record nor files of its own yet, so whatever
// the marker's company holds was written by the import.

#include <memory>
#include <string>

#include "base/PromptService.h"
#include "engine/Engine.h"

namespace company {

inline constexpr char kImportMarkerFile[] = "KTImport.run";
// The import's working folder of links to the other program's files, removed when it ends.
inline constexpr char kImportLinksFolder[] = "KTV1.tmp";

// The marker of the company being imported, held without sharing until the company is whole, so
// that another desk opening the folder meanwhile never takes it for one a killed import left.
class ImportMark {
public:
    explicit ImportMark(engine::FileSystem& files) : files_(files) {}
    ~ImportMark();  // lets go of a marker not finished: the next opening removes its company
    ImportMark(const ImportMark&) = delete;
    ImportMark& operator=(const ImportMark&) = delete;

    // False when the marker could not be written; the company must not be imported then.
    [[nodiscard]] bool Start(const std::string& code);
    // The company is whole, or gone: the marker goes.
    void Finish();

private:
    engine::FileSystem& files_;
    std::unique_ptr<engine::File> held_;
};

enum class ImportRecovery {
    NothingLeft,  // no import was cut short
    Busy,         // an import on another desk is under way
    Removed,      // the company an import left half written was removed
    Failed,       // it could not be removed; the marker stays for the next opening
};

// Removes the company a killed import left, and tells the user. Run when the data folder is
// opened, after an interrupted posting was undone (the company's aging may have left one).
ImportRecovery RemoveInterruptedImport(engine::Engine& engine, base::PromptService& prompts);

}  // namespace company

#pragma once
// Opening a data folder undoes the posting that a killed process left unfinished: the journal's
// files are put back as they were before that posting began, their indexes are rebuilt, the
// journal goes, and the user is told once what was undone. Run before any file of the folder is
// opened: at program start, at a company switch, and by every tool command.

#include "base/PromptService.h"
#include "engine/BlockFile.h"
#include "engine/Engine.h"

namespace company {

enum class RecoveryOutcome {
    NothingLeft,  // the last posting finished
    Undone,       // an interrupted posting was undone
    Busy,         // another desk is posting right now; its journal is not ours to touch
    Failed,       // the files could not be put back; the journal stays for the next try
};

// Shows "The last posting was interrupted and has been undone: <what>." after an undo, or why it
// could not be undone.
RecoveryOutcome RecoverInterruptedPosting(engine::Engine& engine, base::PromptService& prompts,
                                          engine::RebuildObserver* observer = nullptr);

}  // namespace company

#include "company/PostingRecovery.h"

#include <optional>
#include <string>

#include "engine/Journal.h"
#include "records/RecordTypes.h"

namespace company {
namespace {

// The description of the file block `name`: the company file, or a company's file named by its
// code and letter ("12C").
std::optional<engine::FileDescription> DescriptionOf(const std::string& name) {
    const records::RecordType& companies = records::RecordTypeOf(records::RecordKind::Company);
    if (name == companies.FileName()) return companies.Describe();
    if (name.size() < 2) return std::nullopt;
    const records::RecordType* type = records::CompanyFileType(name.back());
    if (!type) return std::nullopt;
    return type->Describe(name.substr(0, name.size() - 1));
}

bool RebuildIndex(engine::Engine& engine, const std::string& name,
                  engine::RebuildObserver* observer) {
    const std::optional<engine::FileDescription> file = DescriptionOf(name);
    if (!file) return false;
    if (observer) {
        engine.SetProgressCallback([observer](int keyNumber, int32_t read, int32_t written) {
            observer->RebuildProgress(keyNumber, read, written);
        });
        observer->RebuildStarted(file->statusCaption);
    }
    bool logWritten = false;
    engine.RebuildIndex(file->name, file->keyCount(), file->keys.data(), file->buildKey, true,
                        logWritten);
    const bool rebuilt = engine.ok();
    if (observer) observer->RebuildFinished();
    engine.SetProgressCallback(nullptr);
    return rebuilt;
}

void Tell(base::PromptService& prompts, const std::string& text, base::PromptIcon icon) {
    prompts.Message(engine::kProgramCaption, text, icon, base::PromptButtons::Ok);
}

}  // namespace

RecoveryOutcome RecoverInterruptedPosting(engine::Engine& engine, base::PromptService& prompts,
                                          engine::RebuildObserver* observer) {
    engine::JournalRollback rollback;
    switch (engine::RollBackJournal(engine.fileSystem(), rollback)) {
        case engine::JournalState::None:
            return RecoveryOutcome::NothingLeft;
        case engine::JournalState::Busy:
            return RecoveryOutcome::Busy;
        case engine::JournalState::Failed:
            Tell(prompts,
                 "The last posting was interrupted and could not be undone: its journal or one "
                 "of its files cannot be read or written. Postings stay refused until it is "
                 "undone.",
                 base::PromptIcon::Error);
            return RecoveryOutcome::Failed;
        case engine::JournalState::Restored:
            break;
    }
    const bool changedFiles = !rollback.blockNames.empty();
    for (const std::string& name : rollback.blockNames) {
        if (!RebuildIndex(engine, name, observer)) {
            Tell(prompts,
                 "The last posting was interrupted and has been undone, but the index of " + name +
                     " could not be rebuilt. Postings stay refused until it is.",
                 base::PromptIcon::Error);
            return RecoveryOutcome::Failed;
        }
    }
    if (engine::RemoveJournal(engine.fileSystem()) != engine::kPlatformOk) {
        Tell(prompts, "The journal of the last posting could not be removed.",
             base::PromptIcon::Error);
        return RecoveryOutcome::Failed;
    }
    // A posting killed before its first write left nothing to undo, and nothing to tell.
    if (!changedFiles) return RecoveryOutcome::NothingLeft;
    Tell(prompts,
         "The last posting was interrupted and has been undone: " + rollback.description + ".",
         base::PromptIcon::Information);
    return RecoveryOutcome::Undone;
}

}  // namespace company

#include "maintenance/BackupFlow.h"

#include "company/CompanySwitch.h"
#include "company/LastCompany.h"
#include "company/PostingRecovery.h"
#include "maintenance/FolderLock.h"
#include "maintenance/Restore.h"
#include "receivables/DataFileRebuildFlow.h"
#include "receivables/Ledger.h"

namespace maintenance {
namespace {

constexpr char kBackupCaption[] = "KT Backup";
constexpr char kRestoreCaption[] = "Restore";

}  // namespace

BackupFlow::BackupFlow(engine::Engine& engine, base::PromptService& prompts,
                       company::ProgramState& state, const base::Clock& clock,
                       std::filesystem::path folder)
    : engine_(engine),
      prompts_(prompts),
      state_(state),
      clock_(clock),
      folder_(std::move(folder)) {}

bool BackupFlow::FilesAreWhole() {
    switch (company::RecoverInterruptedPosting(engine_, prompts_)) {
        case company::RecoveryOutcome::NothingLeft:
        case company::RecoveryOutcome::Undone:
            return true;
        case company::RecoveryOutcome::Busy:
            prompts_.Warn(kBackupCaption, kFilesInUseText);
            return false;
        case company::RecoveryOutcome::Failed:
            return false;
    }
    return false;
}

bool BackupFlow::Backup(const std::filesystem::path& archive, const std::function<void()>& started,
                        const ProgressReport& progress) {
    if (prompts_.Message("Please Confirm", "Ready to backup files to " + archive.string() + "?",
                         base::PromptIcon::Question,
                         base::PromptButtons::OkCancel) != base::PromptAnswer::Ok)
        return false;
    if (started) started();
    if (!FilesAreWhole()) return false;
    const BackupOutcome outcome = WriteBackup(engine_.fileSystem(), folder_, archive, progress);
    if (!outcome.written) {
        prompts_.Message(kBackupCaption, outcome.failure, base::PromptIcon::Error,
                         base::PromptButtons::Ok);
        return false;
    }
    prompts_.Inform(kBackupCaption,
                    "Backup complete. " + std::to_string(outcome.files) + " files were copied.");
    return true;
}

bool BackupFlow::Restore(const std::filesystem::path& archive, const std::function<void()>& started,
                         const ProgressReport& progress, engine::RebuildObserver& observer) {
    if (prompts_.Message(kRestoreCaption,
                         "Ready to RESTORE files from " + archive.string() +
                             ". WARNING!! Your data files will be over-written by the backup "
                             "files! Continue?",
                         base::PromptIcon::Question,
                         base::PromptButtons::OkCancel) != base::PromptAnswer::Ok)
        return false;
    if (started) started();
    // A journal of the old files must not be played back over the restored ones.
    if (!FilesAreWhole()) return false;
    const RestoreOutcome outcome = RestoreBackup(engine_.fileSystem(), archive, folder_, progress);
    if (!outcome.restored) {
        prompts_.Message(kRestoreCaption, outcome.failure, base::PromptIcon::Error,
                         base::PromptButtons::Ok);
        return false;
    }
    ReadCompanyAgain();
    const std::string checked = CheckAfterRestore(observer);
    prompts_.Inform("Restore Complete", "Restore files operation complete. " +
                                            std::to_string(outcome.files) +
                                            " files were restored. " + checked);
    return true;
}

void BackupFlow::ReadCompanyAgain() {
    records::CompanyRecord last;
    if (company::ReadLastCompany(engine_.fileSystem(), last)) state_.currentCompany = last;
    (void)company::ReadCompanyFromFile(engine_, prompts_, state_.currentCompany);
    state_.selectedCompany = state_.currentCompany;
    state_.ApplyDateFormat(clock_);
}

std::string BackupFlow::CheckAfterRestore(engine::RebuildObserver& observer) {
    receivables::DataFileRebuildFlow rebuild(engine_, prompts_, state_, clock_);
    if (!rebuild.RebuildAll(observer))
        return "Some data files could not be rebuilt; run \"Rebuild Data Files\" again.";
    const auto differences = receivables::CheckLedger(engine_, prompts_, state_.currentCompany);
    if (!differences) return "The data files have been rebuilt; the ledger could not be checked.";
    if (differences->empty())
        return "The data files have been rebuilt and the customer balances agree with the "
               "invoice file.";
    return "The data files have been rebuilt. " + std::to_string(differences->size()) +
           " difference(s) found between the customer balances and the invoice file: run "
           "\"Rebuild Data Files\" to recompute them.";
}

}  // namespace maintenance

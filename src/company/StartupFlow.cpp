#include "company/StartupFlow.h"

#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/CompanySwitch.h"
#include "company/ImportInProgress.h"
#include "company/LastCompany.h"
#include "company/PostingRecovery.h"
#include "company/RestoreSwap.h"
#include "engine/BlockFile.h"
#include "engine/Errors.h"

namespace company {

namespace {

constexpr char kCaption[] = "KT Invorra PRO";

}  // namespace

StartupFlow::StartupFlow(engine::Engine& engine, base::PromptService& prompts, ProgramState& state,
                         const base::Clock& clock)
    : engine_(engine), prompts_(prompts), state_(state), clock_(clock) {}

StartOutcome StartupFlow::Start() {
    if (!ReadLastCompany(engine_.fileSystem(), state_.currentCompany)) {
        prompts_.Message(kCaption,
                         "I do not find the billing data files. The data files must be in the same "
                         "directory as the billing program.",
                         base::PromptIcon::Warning, base::PromptButtons::Ok);
        return StartOutcome::NoDataFiles;
    }
    engine_.InitEngine(0, kPageBuffers);
    if (!engine_.ok() || !engine_.EngineReady()) return StartOutcome::EngineNotReady;

    // The engine runs and no file is open yet: the one moment to put right what a restore, a
    // posting or an import that was cut short left behind. A folder still half restored is not
    // worked on.
    const SwapRecovery restore = FinishInterruptedRestore(engine_.fileSystem(), ".", prompts_);
    if (restore == SwapRecovery::Busy || restore == SwapRecovery::Failed)
        return StartOutcome::NoDataFiles;
    RecoverInterruptedPosting(engine_, prompts_);
    RemoveInterruptedImport(engine_, prompts_);

    ReadCompanyFromFile(engine_, prompts_, state_.currentCompany);
    state_.shortDateOrder = base::DateOrder::MonthFirst;
    if (ComputerDateLooksWrong(clock_)) {
        prompts_.Message("Computer Date",
                         "The date on your computer appears to be incorrect. This will effect "
                         "program calculations. Please verify your computer is using the "
                         "correct date.",
                         base::PromptIcon::Warning, base::PromptButtons::Ok);
    }
    state_.ApplyDateFormat(clock_);
    CheckBackgroundPicture();
    return StartOutcome::Ready;
}

// A company not set up yet shows no picture, so its file is not looked at.
void StartupFlow::CheckBackgroundPicture() {
    records::CompanyRecord& company = state_.currentCompany;
    const std::string file = base::Trim(company.backgroundBitmap());
    if (!IsSetUp(company) || file.size() <= 1) return;
    if (engine_.fileSystem().Exists(base::Win1252ToUtf8(file))) return;
    company.setBackgroundBitmapOn(false);
    prompts_.Message(kCaption,
                     "Background bitmap image no longer exists. Unable to load background "
                     "picture.",
                     base::PromptIcon::Warning, base::PromptButtons::Ok);
}

bool StartupFlow::MayExit() {
    return !state_.printQueue.pending() ||
           prompts_.AskYesNo("Please Confirm",
                             "You have labels in the print queue that you have not printed or "
                             "saved to a file. Exit anyway?");
}

bool StartupFlow::OffersBackupOnExit() const {
    return state_.currentCompany.promptBackupOnExit();
}

void StartupFlow::Stop() {
    engine_.ExitEngine();
    if (!engine_.ok()) {
        prompts_.Message(engine::kProgramCaption,
                         engine::ErrorText(engine_.errorClass(), engine_.error()),
                         base::PromptIcon::Error, base::PromptButtons::Ok);
    }
}

}  // namespace company

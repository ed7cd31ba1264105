#pragma once
// The main window's "&Delete Paid Invoices" command as plain steps: the password, the warning,
// the calendar, the confirmation, then the removal (PaidInvoiceRemoval) and its message. The
// window hands in the password prompt and shows the status texts returned.

#include <functional>
#include <optional>
#include <string>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/Password.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "maintenance/PaidInvoiceRemoval.h"

namespace maintenance {

inline constexpr char kRemovingStatus[] = "Removing Records...";
inline constexpr char kDeleteDateCaption[] = "Delete Date Selection";

struct DeletePaidResult {
    PaidRemoval removal;
    std::string status;  // for the main window's status bar
};

class DeletePaidFlow {
public:
    DeletePaidFlow(engine::Engine& engine, base::PromptService& prompts,
                   company::ProgramState& state, const base::Clock& clock);

    // Nothing when a question was cancelled, the password was wrong or the files could not be
    // opened; `removing` runs once every question is answered, before the first record is read.
    std::optional<DeletePaidResult> Run(const company::PasswordAsk& password,
                                        const std::function<void()>& removing);

private:
    engine::Engine& engine_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    const base::Clock& clock_;
};

// The message of a finished run: the count of removed records, then the invoices
// kept because a balance is due and those that could not be removed.
std::string RemovalMessage(const PaidRemoval& removal, const std::string& dateShown);

}  // namespace maintenance

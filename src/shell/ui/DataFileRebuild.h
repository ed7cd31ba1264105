#pragma once
// "Rebuild Data &Files": the company file and the current company's five files, rebuilt in turn,
// and afterwards the offer to check that the customer balances agree with the invoice file.

#include <string_view>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/BlockFile.h"
#include "engine/Engine.h"

namespace shell::ui {

// Each file is shown on the observer while it is rebuilt. A file that fails stays as it was, and
// the next one is still rebuilt. True when every file on disk was rebuilt.
bool RebuildAllDataFiles(engine::Engine& engine, base::PromptService& prompts,
                         engine::RebuildObserver& observer, std::string_view companyCode);

// Asks whether to check the ledger of state.currentCompany; shows what the check found, offers to
// recompute the balances from the invoice file when that corrects something, and shows the
// outcome.
void OfferLedgerCheck(engine::Engine& engine, base::PromptService& prompts,
                      company::ProgramState& state, const base::Clock& clock);

}  // namespace shell::ui

#pragma once
// Writing the current company's record outside a posting: the ledger repair, which recomputes
// the receivables total. Postings and the aging run change it through receivables::Posting.

#include <functional>
#include <string_view>

#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "records/CompanyRecord.h"

namespace receivables {

// Writes `update` into the current company's record in the company file and the same change into
// state.currentCompany. False, with the reason shown, when the record could not be written.
bool UpdateCurrentCompany(engine::Engine& engine, base::PromptService& prompts,
                          company::ProgramState& state,
                          const std::function<bool(records::CompanyRecord&)>& update);

}  // namespace receivables

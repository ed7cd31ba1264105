#pragma once
// The removal of settled invoices older than a cut-off day from the current company's invoice,
// detail and memo files. An invoice goes as a group: every invoice-file record of its number (the
// invoice with the payment records that pay it), its lines and its memo, all or none through a
// posting, so a failure or a kill never leaves half an invoice or a payment history half gone.
// Groups are removed in batches, one posting each; a batch that fails is undone and tried again
// invoice by invoice, so one failing invoice is left whole and the others still go.
// A group goes only when every record of it is marked paid with nothing due and dated before the
// cut-off (an invoice whose last payment came later was not settled before it); a repeat master
// keeps its group. No balance moves: what goes
// was settled.

#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Dates.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"

namespace maintenance {

struct PaidRemoval {
    int records = 0;                   // invoice-file records removed
    std::vector<std::string> numbers;  // the invoice numbers removed, in the order of the walk
    std::vector<std::string> owing;    // marked paid but with a balance due: kept
    std::vector<std::string> failed;   // could not be removed: left whole
    bool readToEnd = true;             // false when the invoice file could not be read through
};

// Removes the groups; the failures are shown as they happen. Nothing when the files could not be
// opened (the reason is shown).
std::optional<PaidRemoval> RemovePaidInvoices(engine::Engine& engine, base::PromptService& prompts,
                                              company::ProgramState& state,
                                              const base::Clock& clock, const base::Date& cutOff);

}  // namespace maintenance

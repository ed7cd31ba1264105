#pragma once
// "Rebuild Data &Files" as plain steps: the company file and the current company's files rebuilt
// in turn, then "Rebuild Complete" and the offer to check that the customer balances agree with
// the invoice file, with the repair when the check finds what recomputing corrects. The main
// window shows the progress and calls these.

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/BlockFile.h"
#include "engine/Engine.h"

namespace receivables {

class DataFileRebuildFlow {
public:
    DataFileRebuildFlow(engine::Engine& engine, base::PromptService& prompts,
                        company::ProgramState& state, const base::Clock& clock);

    // Every file of the record types, in their order; each is shown on `observer` while it is
    // rebuilt. A file that fails stays as it was (and flagged, so its next open offers the
    // rebuild again), and the next one is still rebuilt. True when every file on disk was
    // rebuilt.
    bool RebuildAll(engine::RebuildObserver& observer);
    // "Rebuild Complete"; then, when every file was rebuilt, the ledger check of the current
    // company: what it found, the offer to recompute the balances when that corrects something,
    // and the outcome.
    void Finish(bool rebuilt);

private:
    void OfferLedgerCheck();

    engine::Engine& engine_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    const base::Clock& clock_;
};

}  // namespace receivables

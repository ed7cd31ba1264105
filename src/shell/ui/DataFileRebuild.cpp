#include "shell/ui/DataFileRebuild.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "receivables/Ledger.h"
#include "records/RecordTypes.h"

namespace shell::ui {
namespace {

constexpr char kCaption[] = "Rebuild Data Files";
constexpr size_t kShownDifferences = 5;

// "N difference(s) found." with the first few of them, a paragraph each.
std::string Summary(const std::vector<receivables::LedgerDifference>& differences,
                    std::string_view found, std::string_view then) {
    std::string text = std::to_string(differences.size()) + std::string(found) + std::string(then);
    const size_t shown = std::min(differences.size(), kShownDifferences);
    for (size_t i = 0; i < shown; ++i)
        text += "\n\n" + receivables::DescribeDifference(differences[i]);
    if (shown < differences.size()) text += "\n\n...";
    return text;
}

}  // namespace

bool RebuildAllDataFiles(engine::Engine& engine, base::PromptService& prompts,
                         engine::RebuildObserver& observer, std::string_view companyCode) {
    bool rebuilt = true;
    for (const records::RecordType& type : records::RecordTypes()) {
        const engine::FileDescription description = type.Describe(companyCode);
        // A company that never had a product or a memo has no such file: nothing to rebuild.
        const bool onFile = engine.fileSystem().Exists(description.name + ".DAT") ||
                            engine.fileSystem().Exists(description.name + ".SAV");
        engine::BlockFile file(engine, description, prompts, &observer);
        // A file whose rebuild fails stays flagged, so its next open offers the rebuild again;
        // the other files are rebuilt all the same.
        rebuilt = (file.Rebuild() || !onFile) && rebuilt;
    }
    return rebuilt;
}

void OfferLedgerCheck(engine::Engine& engine, base::PromptService& prompts,
                      company::ProgramState& state, const base::Clock& clock) {
    if (!prompts.AskYesNo(kCaption,
                          "Check that the customer balances agree with the invoice file?"))
        return;
    const auto differences = receivables::CheckLedger(engine, prompts, state.currentCompany);
    if (!differences) return;
    if (differences->empty()) {
        prompts.Inform(kCaption, "The customer balances agree with the invoice file.");
        return;
    }
    const bool repairable =
        std::any_of(differences->begin(), differences->end(),
                    [](const receivables::LedgerDifference& d) { return d.repairable(); });
    if (!repairable) {
        prompts.Warn(kCaption, Summary(*differences, " difference(s) found.",
                                       " Recomputing the balances cannot correct them."));
        return;
    }
    if (!prompts.AskYesNo(kCaption, Summary(*differences, " difference(s) found.",
                                            " Recompute the balances from the invoice file?")))
        return;
    const auto plan = receivables::PlanLedgerRepair(engine, prompts, state, clock);
    if (!plan || !receivables::ApplyLedgerRepair(engine, prompts, state, *plan)) return;
    const auto remaining = receivables::CheckLedger(engine, prompts, state.currentCompany);
    if (!remaining) return;
    if (remaining->empty())
        prompts.Inform(kCaption,
                       "The balances were recomputed. The customer balances agree with "
                       "the invoice file.");
    else
        prompts.Warn(kCaption, "The balances were recomputed. " +
                                   Summary(*remaining, " difference(s) remain.",
                                           " Recomputing the balances cannot correct them."));
}

}  // namespace shell::ui

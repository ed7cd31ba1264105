#include "receivables/DataFileRebuildFlow.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "receivables/Ledger.h"
#include "records/RecordTypes.h"

namespace receivables {
namespace {

constexpr char kCaption[] = "Rebuild Data Files";
constexpr size_t kShownDifferences = 5;

// "N difference(s) found." with the first few of them, a paragraph each.
std::string Summary(const std::vector<LedgerDifference>& differences, std::string_view found,
                    std::string_view then) {
    std::string text = std::to_string(differences.size()) + std::string(found) + std::string(then);
    const size_t shown = std::min(differences.size(), kShownDifferences);
    for (size_t i = 0; i < shown; ++i) text += "\n\n" + DescribeDifference(differences[i]);
    if (shown < differences.size()) text += "\n\n...";
    return text;
}

}  // namespace

DataFileRebuildFlow::DataFileRebuildFlow(engine::Engine& engine, base::PromptService& prompts,
                                         company::ProgramState& state, const base::Clock& clock)
    : engine_(engine), prompts_(prompts), state_(state), clock_(clock) {}

bool DataFileRebuildFlow::RebuildAll(engine::RebuildObserver& observer) {
    const std::string companyCode = state_.currentCompany.code();
    bool rebuilt = true;
    for (const records::RecordType& type : records::RecordTypes()) {
        const engine::FileDescription description = type.Describe(companyCode);
        // A company that never had a product or a memo has no such file: nothing to rebuild.
        const bool onFile = engine_.fileSystem().Exists(description.name + ".DAT") ||
                            engine_.fileSystem().Exists(description.name + ".SAV");
        engine::BlockFile file(engine_, description, prompts_, &observer);
        rebuilt = (file.Rebuild() || !onFile) && rebuilt;
    }
    return rebuilt;
}

void DataFileRebuildFlow::Finish(bool rebuilt) {
    prompts_.Message("Rebuild Complete", "The data files have been rebuilt.",
                     base::PromptIcon::Information, base::PromptButtons::Ok);
    if (rebuilt) OfferLedgerCheck();
}

void DataFileRebuildFlow::OfferLedgerCheck() {
    if (!prompts_.AskYesNo(kCaption,
                           "Check that the customer balances agree with the invoice file?"))
        return;
    const auto differences = CheckLedger(engine_, prompts_, state_.currentCompany);
    if (!differences) return;
    if (differences->empty()) {
        prompts_.Inform(kCaption, "The customer balances agree with the invoice file.");
        return;
    }
    const bool repairable = std::any_of(differences->begin(), differences->end(),
                                        [](const LedgerDifference& d) { return d.repairable(); });
    if (!repairable) {
        prompts_.Warn(kCaption, Summary(*differences, " difference(s) found.",
                                        " Recomputing the balances cannot correct them."));
        return;
    }
    if (!prompts_.AskYesNo(kCaption, Summary(*differences, " difference(s) found.",
                                             " Recompute the balances from the invoice file?")))
        return;
    const auto plan = PlanLedgerRepair(engine_, prompts_, state_, clock_);
    if (!plan || !ApplyLedgerRepair(engine_, prompts_, state_, *plan)) return;
    const auto remaining = CheckLedger(engine_, prompts_, state_.currentCompany);
    if (!remaining) return;
    if (remaining->empty())
        prompts_.Inform(kCaption,
                        "The balances were recomputed. The customer balances agree with "
                        "the invoice file.");
    else
        prompts_.Warn(kCaption, "The balances were recomputed. " +
                                    Summary(*remaining, " difference(s) remain.",
                                            " Recomputing the balances cannot correct them."));
}

}  // namespace receivables

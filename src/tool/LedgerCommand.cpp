// ledger DIR [--company CODE] [--repair] [--today YYYY-MM-DD] [--answer yes|no]: whether the
// company's balances agree with its invoice file, one line per difference. With --repair the
// balances are recomputed from the invoice file: the changes are listed, the question is answered
// from --answer (no when not given, so that nothing is written unasked), and the check runs again.
// Exits 0 when nothing differs (at the end), 1 when something does or a file could not be read.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/ProgramState.h"
#include "receivables/Ledger.h"
#include "tool/CompanyOptions.h"
#include "tool/PostPrompts.h"

namespace tool {
namespace {

constexpr char kUsage[] =
    "usage: kt-invorra-tool ledger DIR [--company CODE] [--repair] [--today YYYY-MM-DD] "
    "[--answer yes|no]\n";
constexpr char kRepairCaption[] = "Ledger";
constexpr char kRepairQuestion[] = "Recompute the balances from the invoice file?";

// Messages and questions as they were answered, on standard error.
void PrintPrompts(PostPrompts& prompts) {
    for (const RecordedPrompt& p : prompts.shown())
        std::fprintf(stderr, "%s: %s (%s)\n", p.caption.c_str(),
                     base::Win1252ToUtf8(p.text).c_str(), p.answer.c_str());
    prompts.Begin({});
}

void PrintLine(const std::string& line) {
    std::printf("%s\n", base::Win1252ToUtf8(line).c_str());
}

constexpr long kUnreadable = -1;

// Prints the differences; how many there are, or kUnreadable.
long Check(engine::Engine& engine, PostPrompts& prompts, const records::CompanyRecord& company) {
    const auto differences = receivables::CheckLedger(engine, prompts, company);
    PrintPrompts(prompts);
    if (!differences) return kUnreadable;
    for (const receivables::LedgerDifference& difference : *differences)
        PrintLine(receivables::DescribeDifference(difference));
    if (differences->empty())
        std::printf("The customer balances agree with the invoice file.\n");
    else
        std::printf("%zu difference(s) found.\n", differences->size());
    return static_cast<long>(differences->size());
}

enum class RepairOutcome { Written, NotWritten, Failed };

// Lists the changes, asks, and writes them when the answer is yes.
RepairOutcome Repair(engine::Engine& engine, PostPrompts& prompts, company::ProgramState& state,
                     const base::Clock& clock) {
    const auto plan = receivables::PlanLedgerRepair(engine, prompts, state, clock);
    PrintPrompts(prompts);
    if (!plan) return RepairOutcome::Failed;
    if (plan->empty()) {
        std::printf("Nothing to recompute.\n");
        return RepairOutcome::NotWritten;
    }
    std::printf("Planned changes:\n");
    for (const receivables::BalanceChange& change : plan->customers)
        PrintLine("  " + receivables::DescribeChange(change));
    if (plan->totalBefore != plan->totalAfter)
        PrintLine("  " + receivables::DescribeTotalChange(*plan));
    const bool confirmed = prompts.AskYesNo(kRepairCaption, kRepairQuestion);
    PrintPrompts(prompts);
    if (!confirmed) return RepairOutcome::NotWritten;
    const bool written = receivables::ApplyLedgerRepair(engine, prompts, state, *plan);
    PrintPrompts(prompts);
    if (!written) return RepairOutcome::Failed;
    std::printf("The balances were recomputed.\n");
    return RepairOutcome::Written;
}

}  // namespace

int LedgerCommand(const Args& args) {
    const std::optional<CompanyOptions> options = ParseCompanyOptions(args, {"--repair"});
    if (!options || options->words.size() != 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    engine::Engine engine;
    const std::optional<std::string> code = EnterCompany(engine, *options);
    if (!code) return 2;
    const CommandClock commandClock(options->today);
    const base::Clock& clock = commandClock.clock();
    // Questions other than the repair's own (such as an index rebuild) are answered like it.
    PostPrompts prompts(options->answerYes);
    company::ProgramState state;
    const std::optional<records::CompanyRecord> company = ReadCompanyOnFile(engine, prompts, *code);
    PrintPrompts(prompts);
    if (!company) {
        std::fprintf(stderr, "No company %s in the company file\n", code->c_str());
        return 1;
    }
    state.currentCompany = *company;
    state.ApplyDateFormat(clock);

    long differences = Check(engine, prompts, state.currentCompany);
    if (differences > 0 && options->has("--repair")) {
        switch (Repair(engine, prompts, state, clock)) {
            case RepairOutcome::Written:
                std::printf("Checking again:\n");
                differences = Check(engine, prompts, state.currentCompany);
                break;
            case RepairOutcome::Failed:
                differences = kUnreadable;
                break;
            case RepairOutcome::NotWritten:
                break;
        }
    }
    engine.ExitEngine();
    if (!engine.ok()) {
        std::fprintf(stderr, "the data files could not be closed: err %d\n", engine.error());
        return 1;
    }
    return differences == 0 ? 0 : 1;
}

}  // namespace tool

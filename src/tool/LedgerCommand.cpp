// ledger DIR [--company CODE] [--repair] [--today YYYY-MM-DD] [--answer yes|no]: whether the
// company's balances agree with its invoice file, one line per difference. With --repair the
// balances are recomputed from the invoice file: the changes are listed, the question is answered
// from --answer (no when not given, so that nothing is written unasked), and the check runs again.
// Exits 0 when nothing differs (at the end), 1 when something does or a file could not be read.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/CompanyFile.h"
#include "company/LastCompany.h"
#include "company/ProgramState.h"
#include "receivables/Ledger.h"
#include "tool/Commands.h"
#include "tool/PostPrompts.h"

namespace tool {
namespace {

constexpr char kUsage[] =
    "usage: kt-invorra-tool ledger DIR [--company CODE] [--repair] [--today YYYY-MM-DD] "
    "[--answer yes|no]\n";
constexpr char kRepairCaption[] = "Ledger";
constexpr char kRepairQuestion[] = "Recompute the balances from the invoice file?";

struct LedgerOptions {
    std::string dir;
    std::optional<std::string> company;
    std::optional<base::Date> today;
    bool repair = false;
    bool answerYes = false;
};

std::optional<LedgerOptions> ParseOptions(const Args& args) {
    LedgerOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool hasValue = i + 1 < args.size();
        if (word == "--company" && hasValue) {
            options.company = base::Trim(args[++i]);
        } else if (word == "--today" && hasValue) {
            std::string date = args[++i];
            std::replace(date.begin(), date.end(), '-', '/');
            options.today = base::ParseDate(date, base::DateOrder::YearFirst);
            if (!options.today) return std::nullopt;
        } else if (word == "--answer" && hasValue) {
            const std::string answer = args[++i];
            if (answer != "yes" && answer != "no") return std::nullopt;
            options.answerYes = answer == "yes";
        } else if (word == "--repair") {
            options.repair = true;
        } else if (options.dir.empty() && !word.starts_with("--")) {
            options.dir = word;
        } else {
            return std::nullopt;
        }
    }
    if (options.dir.empty()) return std::nullopt;
    return options;
}

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

std::optional<records::CompanyRecord> ReadCompany(engine::Engine& engine, PostPrompts& prompts,
                                                  const std::string& code) {
    company::CompanyFile file(engine, prompts);
    if (!file.file().OpenReadOnly()) return std::nullopt;
    auto found = file.Find(code);
    if (!file.Close() || !found) return std::nullopt;
    return found->second;
}

}  // namespace

int LedgerCommand(const Args& args) {
    const std::optional<LedgerOptions> options = ParseOptions(args);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (chdir(options->dir.c_str()) != 0) {
        std::fprintf(stderr, "cannot open the data folder %s\n", options->dir.c_str());
        return 2;
    }
    engine::Engine engine;
    std::string code = options->company.value_or("");
    if (!options->company) {
        records::CompanyRecord last;
        if (!company::ReadLastCompany(engine.fileSystem(), last)) {
            std::fprintf(stderr, "no company given and %s cannot be read\n",
                         company::kLastCompanyFile);
            return 2;
        }
        code = last.code();
    }
    base::FixedClock fixedToday({options->today.value_or(base::Date{}), 0, 0, 0});
    const base::Clock& clock = options->today ? fixedToday : base::SystemClock();
    engine.InitEngine(0, 30);
    // Questions other than the repair's own (such as an index rebuild) are answered like it.
    PostPrompts prompts(options->answerYes);
    company::ProgramState state;
    const std::optional<records::CompanyRecord> company = ReadCompany(engine, prompts, code);
    PrintPrompts(prompts);
    if (!company) {
        std::fprintf(stderr, "No company %s in the company file\n", code.c_str());
        return 1;
    }
    state.currentCompany = *company;
    state.ApplyDateFormat(clock);

    long differences = Check(engine, prompts, state.currentCompany);
    if (differences > 0 && options->repair) {
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

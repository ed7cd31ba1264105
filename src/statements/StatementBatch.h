#pragma once
// Batch statements: the customers chosen by their balance, one statement each, printed or
// e-mailed in batches with a pause between them. The run tells who got a statement and who did
// not (and why); the company's last batch date is stored only when every statement went out.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/PromptService.h"
#include "company/PrintQueue.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "statements/StatementFiles.h"
#include "statements/StatementOutput.h"

namespace statements {

// "Account Balance Selection:" of the selection dialog. The captions say 30, 60 and 90 days;
// the test is on the customer's stored aging categories 2, 3 and 4 whatever the company's limits.
enum class BalanceSelection { All, Over30, Over60, Over90 };

struct BatchChoice {
    BalanceSelection selection = BalanceSelection::All;
    bool unpaidOnly = false;  // "Only Unpaid Transactions"
};

bool Qualifies(const records::CustomerRecord& customer, BalanceSelection selection);

// The numbers of the customers that qualify, by customer key 1 (name); nothing when the walk
// ended with an engine error.
std::optional<std::vector<std::string>> CollectCustomers(receivables::CustomerFile& customers,
                                                         BalanceSelection selection);

inline constexpr char kNoCustomersText[] =
    "There are no customers with a non-zero balance that meet your aging selection. There are no "
    "statements to print.";
inline constexpr char kBatchSizeNeeded[] =
    "You must enter the number of statements to print in this batch.";

// The texts of the "Batch Print Statements" dialog.
struct BatchDialogTexts {
    std::string lastRun;  // "Last Batch Run: 11/30/2026"
    std::string count;    // "There are 5 statements to be printed."
    std::string button;   // "&Print" or "&E-Mail"
};
BatchDialogTexts BatchTexts(size_t count, company::PrintedOutput mode,
                            const records::CompanyRecord& company);

// The number typed in "Print in &batches of:", raised to 1 or lowered to `count`; nothing, with
// the message shown, when it is empty or no number.
std::optional<size_t> BatchSize(std::string_view typed, size_t count, base::PromptService& prompts);

struct StatementTally {
    size_t collected = 0;
    int sent = 0;           // printed, or taken by the mail server
    int failed = 0;         // not on file, not readable, refused or not printed
    bool stopped = false;   // the mail connection was lost or the printer failed: the rest waits
    bool canceled = false;  // "No" at a pause
    std::vector<std::string> failures;  // "Statement for Ames Hardware: <why>"

    bool Completed() const { return !stopped && !canceled && failed == 0; }
};

// What the run shows while it goes on; empty functions show nothing.
struct BatchProgress {
    std::function<void(std::string_view line)> progress;  // the status window
    std::function<void(std::string_view line)> status;    // the Customer Manager's status line
    // The pause between batches: true to go on. Unset: the pause question is asked.
    std::function<bool(std::string_view question)> pause;
};

// One statement after another for `numbers`, in batches of `batchSize` with the pause question
// between them; each customer queued for labels first when the company asks for it.
StatementTally RunStatements(StatementFiles& files, OutputContext& output,
                             const std::vector<std::string>& numbers, bool unpaidOnly,
                             size_t batchSize, company::PrintQueue* labelQueue,
                             const BatchProgress& shown);

// The status line after a run: "Batch complete. 5 statements sent by e-mail.", "Batch Print
// complete. 5 statements sent to spooler." or "Batch job canceled.".
std::string BatchEndStatus(const StatementTally& tally, company::PrintedOutput mode);
// The message after a run that failed somewhere or mailed: sent and failed counts, why each
// failure happened, whether the run stopped.
std::string BatchSummary(const StatementTally& tally, company::PrintedOutput mode);

// The steps of a batch that need a person.
struct BatchSteps {
    // The "Statement Selection" dialog; nothing when cancelled.
    std::function<std::optional<BatchChoice>()> choose;
    // The "Batch Print Statements" dialog: the batch size; nothing when cancelled.
    std::function<std::optional<size_t>(const BatchDialogTexts& texts, size_t count)> askSize;
    BatchProgress shown;
    std::function<void()> hideProgress;
    // Told true while the customers are collected, false after. Unset: nothing is shown.
    std::function<void(bool busy)> collecting;
};

// "&Batch Print" of the Customer Manager: the selection, the collection from `customers` (the
// manager's open customer file), the batch dialog, the mail check in e-mail mode, the run over
// the invoice file (opened only for the run), the last batch date (only when every statement went
// out) and the closing messages. Answers the tally (nothing when no run started).
std::optional<StatementTally> BatchStatementsCommand(
    engine::Engine& engine, base::PromptService& prompts, receivables::CustomerFile& customers,
    OutputContext& output, company::ProgramState& state, const base::Clock& clock,
    const BatchSteps& steps);

}  // namespace statements

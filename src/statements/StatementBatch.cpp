#include "statements/StatementBatch.h"

#include <algorithm>

#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "engine/Errors.h"
#include "receivables/ReceivableBalances.h"

namespace statements {
namespace {

constexpr int kNameKey = 1;
constexpr char kPauseCaption[] = "Batch Job Pause...";
constexpr char kPausingText[] = "Pausing batch job. Select Yes when ready to continue...";
constexpr char kCanceledText[] = "Batch job canceled.";
constexpr char kCaption[] = "Batch Print - Statements";
constexpr char kConnectionLostText[] = "The connection to the mail server was lost.";

std::string PauseQuestion(size_t batchSize, size_t remaining) {
    return std::to_string(batchSize) + " statements processed during this cycle. There are " +
           std::to_string(remaining) + " statements remaining. Do you want to continue?";
}

bool AskToGoOn(const BatchProgress& shown, base::PromptService& prompts, size_t batchSize,
               size_t remaining) {
    if (shown.status) shown.status(kPausingText);
    const std::string question = PauseQuestion(batchSize, remaining);
    if (shown.pause) return shown.pause(question);
    return prompts.AskYesNo(kPauseCaption, question);
}

}  // namespace

bool Qualifies(const records::CustomerRecord& customer, BalanceSelection selection) {
    const bool over90 = !customer.aging4Amount().IsZero();
    const bool over60 = over90 || !customer.aging3Amount().IsZero();
    switch (selection) {
        case BalanceSelection::All:
            return !customer.balanceAmount().IsZero();
        case BalanceSelection::Over30:
            return over60 || !customer.aging2Amount().IsZero();
        case BalanceSelection::Over60:
            return over60;
        case BalanceSelection::Over90:
            return over90;
    }
    return false;
}

std::optional<std::vector<std::string>> CollectCustomers(receivables::CustomerFile& customers,
                                                         BalanceSelection selection) {
    std::vector<std::string> numbers;
    const engine::ErrorClass outcome = customers.ForEach(kNameKey, [&](const auto& entry) {
        if (Qualifies(entry.record, selection))
            numbers.push_back(base::Trim(entry.record.number()));
    });
    if (outcome != engine::ErrorClass::None) return std::nullopt;
    return numbers;
}

BatchDialogTexts BatchTexts(size_t count, company::PrintedOutput mode,
                            const records::CompanyRecord& company) {
    const bool mailing = mode == company::PrintedOutput::EMail;
    return {"Last Batch Run: " + base::Trim(company.lastStatementRunDate()),
            "There are " + std::to_string(count) + " statements to be " +
                (mailing ? "e-mailed." : "printed."),
            mailing ? "&E-Mail" : "&Print"};
}

std::optional<size_t> BatchSize(std::string_view typed, size_t count,
                                base::PromptService& prompts) {
    const std::string digits = base::Trim(typed);
    // The box takes at most four digits, so a number always fits.
    const bool number = !digits.empty() && digits.size() <= 4 &&
                        std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; });
    if (!number) {
        prompts.Warn("Number to Batch Print", kBatchSizeNeeded);
        return std::nullopt;
    }
    return std::clamp<size_t>(std::stoul(digits), 1, std::max<size_t>(count, 1));
}

StatementTally RunStatements(StatementFiles& files, OutputContext& output,
                             const std::vector<std::string>& numbers, bool unpaidOnly,
                             size_t batchSize, company::PrintQueue* labelQueue,
                             const BatchProgress& shown) {
    StatementTally tally;
    tally.collected = numbers.size();
    const size_t size = std::max<size_t>(batchSize, 1);
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0 && i % size == 0 &&
            !AskToGoOn(shown, files.prompts(), size, numbers.size() - i)) {
            tally.canceled = true;
            if (shown.status) shown.status(kCanceledText);
            break;
        }
        const std::string n = std::to_string(i + 1);
        if (shown.progress)
            shown.progress((output.mailing() ? "E-Mailing Statement " : "Printing Statement ") + n +
                           " ...");
        if (shown.status)
            shown.status("Spooling statement " + n + " of " + std::to_string(numbers.size()) +
                         " (batches of " + std::to_string(size) + ") ...");
        std::string failure;
        const auto customer = receivables::FindCustomerIn(files.customers(), numbers[i]);
        std::optional<Statement> statement;
        if (!customer)
            failure = NotOnFileText(numbers[i]);
        else
            statement = files.Load(customer->record, unpaidOnly, failure);
        const std::string who =
            customer ? base::Trim(customer->record.name()) : "customer " + numbers[i];
        if (!statement) {
            ++tally.failed;
            tally.failures.push_back("Statement for " + who + ": " + failure);
            continue;
        }
        if (labelQueue && output.company.labelQueueOnBatchPrint())
            labelQueue->AddCustomer(customer->record);
        const SentResult result = SendStatement(output, *statement);
        if (result.WentOut()) {
            ++tally.sent;
            continue;
        }
        ++tally.failed;
        // The connection's own words were shown when it ended.
        tally.failures.push_back("Statement for " + who + ": " +
                                 (result.outcome == SentOutcome::ConnectionLost
                                      ? std::string(kConnectionLostText)
                                      : result.detail));
        // A lost connection or a printer that failed would fail every statement after it.
        if (result.outcome == SentOutcome::ConnectionLost ||
            result.outcome == SentOutcome::NotPrinted) {
            tally.stopped = true;
            break;
        }
    }
    return tally;
}

std::string BatchEndStatus(const StatementTally& tally, company::PrintedOutput mode) {
    if (tally.canceled) return kCanceledText;
    const std::string sent = std::to_string(tally.sent);
    if (mode == company::PrintedOutput::EMail)
        return "Batch complete. " + sent + " statements sent by e-mail.";
    return "Batch Print complete. " + sent + " statements sent to spooler.";
}

std::string BatchSummary(const StatementTally& tally, company::PrintedOutput mode) {
    const bool mailing = mode == company::PrintedOutput::EMail;
    std::string summary =
        mailing ? "E-mail operation complete.\n\nSent: " : "Batch Print complete.\n\nPrinted: ";
    summary += std::to_string(tally.sent) + "\nFailed: " + std::to_string(tally.failed);
    const size_t reached = static_cast<size_t>(tally.sent + tally.failed);
    if (tally.stopped || tally.canceled)
        summary += "\nNot sent: " + std::to_string(tally.collected - reached) + "\n\n" +
                   (tally.stopped ? "The run stopped there; the rest was not sent."
                                  : "The run was canceled; the rest was not sent.");
    for (const std::string& failure : tally.failures) summary += "\n" + failure;
    return summary;
}

std::optional<StatementTally> BatchStatementsCommand(
    engine::Engine& engine, base::PromptService& prompts, receivables::CustomerFile& customers,
    OutputContext& output, company::ProgramState& state, const base::Clock& clock,
    const BatchSteps& steps) {
    const std::optional<BatchChoice> choice = steps.choose();
    if (!choice) return std::nullopt;
    if (steps.collecting) steps.collecting(true);
    const auto numbers = CollectCustomers(customers, choice->selection);
    if (steps.collecting) steps.collecting(false);
    if (!numbers) {
        prompts.Warn(kCaption, "The customer file could not be read to the end.");
        return std::nullopt;
    }
    if (numbers->empty()) {
        prompts.Inform(kCaption, kNoCustomersText);
        return std::nullopt;
    }
    const std::optional<size_t> size =
        steps.askSize(BatchTexts(numbers->size(), output.mode, output.company), numbers->size());
    if (!size || !MailReady(output)) return std::nullopt;
    StatementFiles files(engine, prompts, customers, state.currentCompany.code());
    if (!files.Open()) return std::nullopt;
    StatementTally tally = RunStatements(files, output, *numbers, choice->unpaidOnly, *size,
                                         &state.printQueue, steps.shown);
    if (steps.hideProgress) steps.hideProgress();
    if (tally.Completed()) {
        const std::string today = base::FormatDate(clock.Today(), state.shortDateOrder);
        (void)receivables::UpdateCurrentCompany(engine, prompts, state,
                                                [&today](records::CompanyRecord& company) {
                                                    company.setLastStatementRunDate(today);
                                                    return true;
                                                });
    }
    const std::string status = BatchEndStatus(tally, output.mode);
    if (steps.shown.status) steps.shown.status(status);
    const std::string summary = base::Win1252ToUtf8(BatchSummary(tally, output.mode));
    if (output.mailing())
        prompts.Inform("Batch E-Mail", summary);
    else if (tally.failed > 0)
        prompts.Warn(kCaption, summary);
    return tally;
}

}  // namespace statements

#include "receivables/AgingRun.h"

#include <optional>
#include <string>

#include "base/Text.h"
#include "company/LastCompany.h"
#include "engine/RecordFile.h"
#include "receivables/OpenItems.h"
#include "receivables/ReceivableBalances.h"
#include "records/CustomerRecord.h"
#include "records/RecordTypes.h"

namespace receivables {
namespace {

using CustomerFile = engine::RecordFile<records::CustomerRecord>;

constexpr char kChartCaption[] = "Aging Chart";
constexpr char kCalculatingText[] = "Calculating Aging...";
constexpr char kCreditBalanceText[] =
    "Your Accounts Receivable is a credit balance. Unable to display Aging Chart. Run your "
    "Accounts Receivable Report (Report Wizard) instead.";

void ShowError(base::PromptService& prompts, const std::string& text) {
    prompts.Message(kAgingCaption, text, base::PromptIcon::Error, base::PromptButtons::Ok);
}

// Walks the customers in record order, recomputing those that need it, and adds their sums to
// `company`. An engine error or an amount too wide for its field ends the walk with the reason
// shown (false); the customers reached so far keep their new values.
bool AgeCustomers(engine::Engine& engine, base::PromptService& prompts, std::string_view code,
                  const AgingBasis& basis, AgingSums& company) {
    CustomerFile customers(
        engine, records::RecordTypeOf(records::RecordKind::Customer).Describe(code), prompts);
    InvoiceFile invoices(engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe(code),
                         prompts);
    if (!customers.Open()) return false;
    if (!invoices.Open()) {
        (void)customers.Close();
        return false;
    }
    std::string failure;
    for (int32_t recordNumber = 0; failure.empty();) {
        engine.NextUsedRecord(customers.handle(), recordNumber);
        if (engine.errorClass() == engine::ErrorClass::Expected) break;
        records::CustomerRecord customer;
        if (!engine.ok() || !customers.Get(recordNumber, customer)) {
            failure = "The customer file could not be read (error " +
                      std::to_string(engine.error()) + ").";
            break;
        }
        const records::CustomerRecord original = customer;
        if (!NeedsAging(customer)) continue;
        const std::optional<AgingSums> sums = CustomerAgingSums(invoices, customer.number(), basis);
        if (!sums) {
            failure = UnreadableItemsText(customer.number(), engine.error());
        } else if (!StoreAging(customer, *sums)) {
            failure = "The aging of customer " + base::Trim(customer.number()) +
                      " does not fit its fields.";
        } else if (const engine::UpdateOutcome outcome =
                       customers.Update(recordNumber, customer, original);
                   outcome != engine::UpdateOutcome::Written &&
                   outcome != engine::UpdateOutcome::Unchanged) {
            failure =
                "The aging of customer " + base::Trim(customer.number()) + " could not be written.";
        } else {
            company += *sums;
        }
    }
    const bool closed = invoices.Close() && customers.Close();
    if (!failure.empty()) ShowError(prompts, failure);
    return failure.empty() && closed;
}

}  // namespace

AgingRunResult CalculateAging(engine::Engine& engine, base::PromptService& prompts,
                              company::ProgramState& state, const base::Clock& clock,
                              bool forceChart, const AgingProgress& progress) {
    AgingRunResult result;
    const std::optional<AgingLimits> limits = ReadAgingLimits(state.currentCompany);
    if (!limits) {
        ShowError(prompts, kBadAgingDaysText);
        return result;
    }
    // A zero total may still hide offsetting debits and credits: the run always walks, and a zero
    // total only means there is no chart to show.
    result.ran = true;

    if (progress.show) progress.show(kAgingCaption, kCalculatingText);
    const AgingBasis basis{*limits, clock.Now(), state.shortDateOrder};
    const bool walked =
        AgeCustomers(engine, prompts, state.currentCompany.code(), basis, result.sums);
    result.total = result.sums.Total();
    // A walk cut short leaves the company's total and last aging date as they were, so the run
    // is offered again instead of passing for today's.
    if (!walked) {
        if (progress.hide) progress.hide();
        return result;
    }

    const std::string today = base::FormatDate(clock.Today(), state.shortDateOrder);
    state.currentCompany.setLastAgingDate(today);
    bool saved = company::WriteLastCompany(engine.fileSystem(), state.currentCompany);
    if (!saved)
        ShowError(prompts, std::string(company::kLastCompanyFile) + " could not be written.");
    const base::Decimal total = result.total;
    saved = UpdateCurrentCompany(engine, prompts, state,
                                 [&today, total](records::CompanyRecord& company) {
                                     company.setLastAgingDate(today);
                                     return company.setReceivablesTotalAmount(total);
                                 }) &&
            saved;
    if (progress.hide) progress.hide();
    result.completed = saved;

    if (result.total < base::Decimal()) {
        prompts.Message(kChartCaption, kCreditBalanceText, base::PromptIcon::Information,
                        base::PromptButtons::Ok);
    } else if (!result.total.IsZero()) {
        result.showChart = forceChart || state.currentCompany.showAgingChart();
    }
    return result;
}

}  // namespace receivables

#include "receivables/AgingRun.h"

#include <optional>
#include <string>

#include "base/Text.h"
#include "company/LastCompany.h"
#include "engine/RecordFile.h"
#include "receivables/OpenItems.h"
#include "receivables/Posting.h"
#include "records/CustomerRecord.h"
#include "records/RecordTypes.h"

namespace receivables {
namespace {

constexpr char kChartCaption[] = "Aging Chart";
constexpr char kCalculatingText[] = "Calculating Aging...";
constexpr char kCreditBalanceText[] =
    "Your Accounts Receivable is a credit balance. Unable to display Aging Chart. Run your "
    "Accounts Receivable Report (Report Wizard) instead.";
constexpr char kPostingName[] = "the aging run";

void ShowError(base::PromptService& prompts, const std::string& text) {
    prompts.Message(kAgingCaption, text, base::PromptIcon::Error, base::PromptButtons::Ok);
}

// Walks the posting's customers in record order, recomputing those that need it, and adds their
// sums to `company`. An engine error or an amount too wide for its field ends the walk with the
// reason shown (false); the customers reached so far keep their new values, which their own
// open items give them whatever the rest of the walk finds.
bool AgeCustomers(engine::Engine& engine, Posting& posting, InvoiceFile& invoices,
                  const AgingBasis& basis, AgingSums& company) {
    CustomerFile& customers = posting.customers();
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
        } else if (!Written(customers.Update(recordNumber, customer, original))) {
            failure =
                "The aging of customer " + base::Trim(customer.number()) + " could not be written.";
        } else {
            company += *sums;
        }
    }
    if (!failure.empty()) ShowError(posting.prompts(), failure);
    return failure.empty();
}

// The walk and the company's new total and aging date, as one posting: the company, customer and
// invoice files are held from before the first read to after the last write, so a posting of
// another desk comes before the run or after it, never between the customers' sums and the
// company's total; and a run killed half way is undone by the journal at the next open.
// A walk cut short is committed as far as it went and leaves the company as it was, so the run
// is offered again instead of passing for today's.
bool AgeCompany(engine::Engine& engine, base::PromptService& prompts, company::ProgramState& state,
                const base::Clock& clock, const AgingBasis& basis, AgingRunResult& result) {
    const std::string code = state.currentCompany.code();
    InvoiceFile invoices(engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe(code),
                         prompts);
    Posting posting(engine, prompts, state, clock);
    if (!posting.Begin(kPostingName, {&invoices.block()})) return false;
    const bool walked = AgeCustomers(engine, posting, invoices, basis, result.sums);
    result.total = result.sums.Total();
    const std::string today = base::FormatDate(clock.Today(), state.shortDateOrder);
    const base::Decimal total = result.total;
    const bool changed =
        walked && posting.ChangeCompany([&today, total](records::CompanyRecord& company) {
            company.setLastAgingDate(today);
            return company.setReceivablesTotalAmount(total);
        });
    return posting.Commit() && changed;
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
    bool saved = AgeCompany(engine, prompts, state, clock, basis, result);
    // The last company's copy follows the company file; one left behind only offers the run again.
    if (saved && !company::WriteLastCompany(engine.fileSystem(), state.currentCompany)) {
        ShowError(prompts, std::string(company::kLastCompanyFile) + " could not be written.");
        saved = false;
    }
    if (progress.hide) progress.hide();
    result.completed = saved;
    if (!saved) return result;

    if (result.total < base::Decimal()) {
        prompts.Message(kChartCaption, kCreditBalanceText, base::PromptIcon::Information,
                        base::PromptButtons::Ok);
    } else if (!result.total.IsZero()) {
        result.showChart = forceChart || state.currentCompany.showAgingChart();
    }
    return result;
}

}  // namespace receivables

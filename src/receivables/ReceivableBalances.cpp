#include "receivables/ReceivableBalances.h"

#include <optional>
#include <string>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/CompanyFile.h"
#include "engine/RecordFile.h"
#include "receivables/Aging.h"
#include "records/CustomerRecord.h"
#include "records/RecordTypes.h"

namespace receivables {
namespace {

using CustomerFile = engine::RecordFile<records::CustomerRecord>;

constexpr int kCustomerNumberKey = 2;

void ShowError(base::PromptService& prompts, const std::string& text) {
    prompts.Message(kAgingCaption, text, base::PromptIcon::Error, base::PromptButtons::Ok);
}

std::optional<engine::KeyEntry<records::CustomerRecord>> FindCustomer(CustomerFile& customers,
                                                                      std::string_view number) {
    const std::string wanted = base::Win1252Upper(base::Trim(number));
    engine::KeyEntry<records::CustomerRecord> entry;
    if (customers.Search(kCustomerNumberKey, wanted, entry) != engine::ErrorClass::None ||
        base::Win1252Upper(base::Trim(entry.key)) != wanted)
        return std::nullopt;
    return entry;
}

// The customer's balance and aging categories moved by `delta`; false when an amount no longer
// fits its field.
bool MoveCustomer(records::CustomerRecord& customer, const AgingSums& delta) {
    return customer.setAging1Amount(customer.aging1Amount() + delta.categories[0]) &&
           customer.setAging2Amount(customer.aging2Amount() + delta.categories[1]) &&
           customer.setAging3Amount(customer.aging3Amount() + delta.categories[2]) &&
           customer.setAging4Amount(customer.aging4Amount() + delta.categories[3]) &&
           customer.setBalanceAmount(customer.balanceAmount() + delta.Total());
}

bool Written(engine::UpdateOutcome outcome) {
    return outcome == engine::UpdateOutcome::Written || outcome == engine::UpdateOutcome::Unchanged;
}

}  // namespace

bool UpdateCurrentCompany(engine::Engine& engine, base::PromptService& prompts,
                          company::ProgramState& state,
                          const std::function<bool(records::CompanyRecord&)>& update) {
    company::CompanyFile file(engine, prompts);
    if (!file.Open()) return false;
    const auto stored = file.Find(state.currentCompany.number());
    bool ok = false;
    if (stored) {
        records::CompanyRecord edited = stored->second;
        ok = update(edited) && Written(file.Modify(stored->first, edited, stored->second));
    }
    ok = file.Close() && ok;
    if (!ok) {
        ShowError(prompts, "The receivables of company " +
                               base::Trim(state.currentCompany.number()) +
                               " could not be written to the company file.");
        return false;
    }
    return update(state.currentCompany);
}

namespace {

// Writes `change` into the customer's record, then adds `totalDelta` to the company's receivables
// total; when the company cannot be written the customer is put back.
bool MoveReceivable(engine::Engine& engine, base::PromptService& prompts,
                    company::ProgramState& state, std::string_view customerNumber,
                    const std::function<bool(records::CustomerRecord&)>& change,
                    base::Decimal totalDelta) {
    CustomerFile customers(
        engine,
        records::RecordTypeOf(records::RecordKind::Customer).Describe(state.currentCompany.code()),
        prompts);
    if (!customers.Open()) return false;
    const auto found = FindCustomer(customers, customerNumber);
    records::CustomerRecord moved;
    std::string failure;
    if (!found) {
        failure = "Customer " + base::Trim(customerNumber) + " is not on file.";
    } else {
        moved = found->record;
        if (!change(moved))
            failure = "The balance of customer " + base::Trim(customerNumber) +
                      " would not fit its field.";
        else if (!Written(customers.Update(found->recordNumber, moved, found->record)))
            failure =
                "The balance of customer " + base::Trim(customerNumber) + " could not be written.";
    }
    if (failure.empty()) {
        const auto addToTotal = [totalDelta](records::CompanyRecord& company) {
            return company.setReceivablesTotalAmount(company.receivablesTotalAmount() + totalDelta);
        };
        if (!UpdateCurrentCompany(engine, prompts, state, addToTotal)) {
            // The company total stayed as it was, so the customer goes back too.
            if (!Written(customers.Update(found->recordNumber, found->record, moved)))
                failure = "The balance of customer " + base::Trim(customerNumber) +
                          " could not be put back; run the aging to correct it.";
            (void)customers.Close();
            if (!failure.empty()) ShowError(prompts, failure);
            return false;
        }
    }
    const bool closed = customers.Close();
    if (!failure.empty()) {
        ShowError(prompts, failure);
        return false;
    }
    return closed;
}

}  // namespace

bool AdjustReceivable(engine::Engine& engine, base::PromptService& prompts,
                      company::ProgramState& state, const base::Clock& clock,
                      std::string_view customerNumber, base::Decimal amount,
                      const base::Date& itemDate) {
    const std::optional<AgingLimits> limits = ReadAgingLimits(state.currentCompany);
    if (!limits) {
        ShowError(prompts, kBadAgingDaysText);
        return false;
    }
    AgingSums delta;
    delta.Add(amount, base::WholeDaysSince(itemDate, clock.Now()), *limits);
    return MoveReceivable(
        engine, prompts, state, customerNumber,
        [&delta](records::CustomerRecord& customer) { return MoveCustomer(customer, delta); },
        amount);
}

bool ReceivePayment(engine::Engine& engine, base::PromptService& prompts,
                    company::ProgramState& state, std::string_view customerNumber,
                    base::Decimal paid, std::string_view paymentDate, const AgingSums& aging) {
    const auto receive = [&](records::CustomerRecord& customer) {
        const base::Decimal balance = customer.balanceAmount() - paid;
        customer.setLastPaymentDate(paymentDate);
        return StoreAging(customer, aging) && customer.setBalanceAmount(balance);
    };
    return MoveReceivable(engine, prompts, state, customerNumber, receive, -paid);
}

}  // namespace receivables

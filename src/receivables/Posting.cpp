#include "receivables/Posting.h"

#include <utility>

#include "base/Text.h"
#include "engine/BlockFile.h"
#include "engine/Errors.h"
#include "receivables/PostingWrites.h"
#include "records/RecordTypes.h"

namespace receivables {
namespace {

// The most a money field of ten characters holds.
constexpr char kLargestAmountText[] = "9,999,999.99";

std::string TooLargeText(const std::string& whose, std::string_view what) {
    return "This posting would make " + whose + " " + std::string(what) +
           " larger than the field can hold (" + kLargestAmountText + ").";
}

std::string CustomerWhose(std::string_view number) {
    return "customer " + base::Trim(number) + "'s";
}

// The customer's balance and aging categories moved by `delta`; the name of the amount that no
// longer fits its field, when one does not.
std::optional<std::string_view> MoveCustomer(records::CustomerRecord& customer,
                                             const AgingSums& delta) {
    const bool aged = customer.setAging1Amount(customer.aging1Amount() + delta.categories[0]) &&
                      customer.setAging2Amount(customer.aging2Amount() + delta.categories[1]) &&
                      customer.setAging3Amount(customer.aging3Amount() + delta.categories[2]) &&
                      customer.setAging4Amount(customer.aging4Amount() + delta.categories[3]);
    if (!aged) return "aging amounts";
    if (!customer.setBalanceAmount(customer.balanceAmount() + delta.Total())) return "balance";
    return std::nullopt;
}

}  // namespace

Posting::Posting(engine::Engine& engine, base::PromptService& prompts, company::ProgramState& state,
                 const base::Clock& clock)
    : engine_(engine),
      prompts_(prompts),
      state_(state),
      clock_(clock),
      companies_(engine, prompts),
      customers_(engine,
                 records::RecordTypeOf(records::RecordKind::Customer)
                     .Describe(state.currentCompany.code()),
                 prompts),
      log_(prompts,
           "The posting could not be undone completely. It will be undone when the company is "
           "opened again.") {}

Posting::~Posting() {
    if (begun_) Undo();
}

bool Posting::Begin(std::string_view what, const std::vector<engine::BlockFile*>& others) {
    std::vector<engine::BlockFile*> files{&companies_.file().block(), &customers_.block()};
    files.insert(files.end(), others.begin(), others.end());
    for (engine::BlockFile* file : files)
        if (!file->IsOpen()) opened_.push_back(file);
    if (const int32_t error = engine::OpenTogether(opened_, prompts_)) {
        opened_.clear();
        prompts_.Message(engine::kProgramCaption,
                         "Unable to open databases: " + std::to_string(error),
                         base::PromptIcon::Error, base::PromptButtons::Ok);
        return false;
    }
    engine::SharingWaiter waiter(engine_, prompts_);
    do {
        engine_.BeginJournal(what);
    } while (engine_.error() == engine::err::kFileInUse && waiter.Again());
    if (!engine_.ok()) {
        const int32_t error = engine_.error();
        CloseOpened();
        prompts_.Message(engine::kProgramCaption,
                         error == engine::err::kJournalLeft
                             ? "The last posting was interrupted and has not been undone yet. "
                               "Open the company again to undo it."
                             : "The posting journal could not be written: " + std::to_string(error),
                         base::PromptIcon::Error, base::PromptButtons::Ok);
        return false;
    }
    begun_ = true;
    return true;
}

bool Posting::Commit() {
    // The engine writes every open file back whole and empties the journal: the posting stands.
    // Only then are the files given back, so no other desk ever finds the journal of a posting
    // whose files it could take.
    engine_.EndJournal();
    if (!engine_.ok()) {
        const int32_t error = engine_.error();
        log_.Fail("The files of the posting could not be written: " + std::to_string(error) + ".");
        Undo();
        return false;
    }
    begun_ = false;
    // Written back already, the files have nothing left to write: the posting stands whatever
    // their close says.
    CloseOpened();
    return true;
}

void Posting::Undo() {
    log_.Abandon();
    begun_ = false;
    // Undone in place, the journal has done its work; otherwise it stays for the next open.
    if (log_.undoneWhole()) engine_.DropJournal();
    if (!log_.undoneWhole() || !engine_.ok()) engine_.AbandonJournal();
    CloseOpened();
}

void Posting::CloseOpened() {
    for (auto file = opened_.rbegin(); file != opened_.rend(); ++file) (void)(*file)->Close();
    opened_.clear();
}

std::optional<records::CompanyRecord> Posting::StoredCompany() {
    const auto stored = companies_.Find(state_.currentCompany.number());
    if (!stored) return std::nullopt;
    return stored->second;
}

std::optional<CustomerEntry> Posting::FindCustomer(std::string_view number) {
    return FindCustomerIn(customers_, number);
}

bool Posting::WriteCustomer(const CustomerEntry& stored, const records::CustomerRecord& changed) {
    return ReplaceRecord(
        log_,
        "The customer record of " + base::Trim(stored.record.number()) + " could not be written.",
        customers_, stored, changed);
}

bool Posting::MoveBalance(std::string_view customerNumber, const AgingSums& delta,
                          const std::function<bool(records::CustomerRecord&)>& alsoChange) {
    const auto stored = FindCustomer(customerNumber);
    if (!stored) {
        log_.Fail("Customer " + base::Trim(customerNumber) + " is not on file.");
        return false;
    }
    records::CustomerRecord moved = stored->record;
    std::optional<std::string_view> tooLarge = MoveCustomer(moved, delta);
    if (!tooLarge && alsoChange && !alsoChange(moved)) tooLarge = "aging amounts";
    if (tooLarge) {
        log_.Fail(TooLargeText(CustomerWhose(customerNumber), *tooLarge));
        return false;
    }
    const base::Decimal total = delta.Total();
    return WriteCustomer(*stored, moved) && ChangeCompany([total](records::CompanyRecord& company) {
               return company.setReceivablesTotalAmount(company.receivablesTotalAmount() + total);
           });
}

bool Posting::MoveItem(std::string_view customerNumber, base::Decimal amount,
                       const base::Date& itemDate) {
    const std::optional<AgingLimits> limits = ReadAgingLimits(state_.currentCompany);
    if (!limits) {
        log_.Fail(kBadAgingDaysText);
        return false;
    }
    AgingSums delta;
    delta.Add(amount, base::WholeDaysSince(itemDate, clock_.Now()), *limits);
    return MoveBalance(customerNumber, delta);
}

bool Posting::ChangeCompany(const std::function<bool(records::CompanyRecord&)>& change) {
    const auto stored = companies_.Find(state_.currentCompany.number());
    if (!stored) {
        log_.Fail("Unable to open company database");
        return false;
    }
    records::CompanyRecord changed = stored->second;
    if (!change(changed)) {
        log_.Fail(TooLargeText("company " + base::Trim(state_.currentCompany.number()) + "'s",
                               "receivables total"));
        return false;
    }
    engine::KeyEntry<records::CompanyRecord> entry;
    entry.recordNumber = stored->first;
    entry.record = stored->second;
    if (!ReplaceRecord(log_,
                       "The receivables of company " + base::Trim(state_.currentCompany.number()) +
                           " could not be written to the company file.",
                       companies_.file(), entry, changed))
        return false;
    log_.Guard([this, before = state_.currentCompany] {
        state_.currentCompany = before;
        return true;
    });
    // The counters other desks move too come from the file; the rest as the change makes it.
    (void)change(state_.currentCompany);
    state_.currentCompany.setReceivablesTotal(changed.receivablesTotal());
    state_.currentCompany.setNextInvoiceNumber(changed.nextInvoiceNumber());
    return true;
}

}  // namespace receivables

#include "receivables/Ledger.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "base/Text.h"
#include "engine/RecordFile.h"
#include "receivables/OpenItems.h"
#include "receivables/ReceivableBalances.h"
#include "records/CustomerRecord.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"

namespace receivables {
namespace {

using CustomerFile = engine::RecordFile<records::CustomerRecord>;

constexpr char kLedgerCaption[] = "Ledger";
constexpr char kPaidFlag[] = "P";

std::string Money(base::Decimal amount) {
    return amount.Format("0.00");
}

void ShowError(base::PromptService& prompts, const std::string& text) {
    prompts.Message(kLedgerCaption, text, base::PromptIcon::Error, base::PromptButtons::Ok);
}

std::string UnreadableText(const char* file, int32_t error) {
    return std::string("The ") + file + " could not be read (error " + std::to_string(error) + ").";
}

// The company's customer and invoice files, each opened for reading when it exists: a company
// that never had a customer or an invoice has no file yet, and holds none of its records.
class CompanyFiles {
public:
    CompanyFiles(engine::Engine& engine, base::PromptService& prompts, std::string_view code)
        : customers(engine, records::RecordTypeOf(records::RecordKind::Customer).Describe(code),
                    prompts),
          invoices(engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe(code),
                   prompts) {}
    CompanyFiles(const CompanyFiles&) = delete;
    CompanyFiles& operator=(const CompanyFiles&) = delete;
    ~CompanyFiles() { (void)Close(); }

    bool OpenForReading() {
        engine::FileSystem& files = customers.engine().fileSystem();
        return (!files.Exists(customers.description().name + ".DAT") || customers.OpenReadOnly()) &&
               (!files.Exists(invoices.description().name + ".DAT") || invoices.OpenReadOnly());
    }
    [[nodiscard]] bool Close() {
        bool closed = !invoices.IsOpen() || invoices.Close();
        return (!customers.IsOpen() || customers.Close()) && closed;
    }

    CustomerFile customers;
    InvoiceFile invoices;
};

// Every live record of `file` in record order; a file that is not open has none.
template <typename R, typename Visit>
bool ForEachRecord(engine::RecordFile<R>& file, Visit visit) {
    return !file.IsOpen() || file.ForEachRecord(visit);
}

LedgerDifference DifferenceOf(LedgerProblem problem, std::string_view customerNumber,
                              int32_t customerRecord, base::Decimal stored,
                              base::Decimal expected) {
    LedgerDifference difference;
    difference.problem = problem;
    difference.customerNumber = base::Trim(customerNumber);
    difference.customerRecord = customerRecord;
    difference.stored = stored;
    difference.expected = expected;
    return difference;
}

void AddItem(LedgerDifference& difference, const records::InvoiceRecord& record,
             int32_t recordNumber) {
    if (difference.items.size() < kListedItems)
        difference.items.push_back({base::Trim(record.invoiceNumber()), recordNumber});
    ++difference.itemCount;
}

// What the invoice file holds for one customer number.
struct NamedCustomer {
    std::string number;              // as the first record names it, trimmed
    base::Decimal due;               // the sum of the balances due
    bool onFile = false;             // a customer has this number
    std::optional<size_t> listedOn;  // the difference that lists its records
};

// Invoices proper; payment, deposit and repeat-master records carry other totals.
bool IsInvoice(const records::InvoiceRecord& record) {
    const std::string type = record.typeCode();
    return type == records::type::kRegularInvoice || type == records::type::kRepeatGenerated ||
           type == records::type::kPartlyPaidInvoice;
}

// The differences of one invoice-file record in itself.
void CheckRecord(int32_t recordNumber, const records::InvoiceRecord& record,
                 std::vector<LedgerDifference>& differences) {
    const auto differenceOf = [&](LedgerProblem problem, base::Decimal stored,
                                  base::Decimal expected) {
        LedgerDifference difference =
            DifferenceOf(problem, record.customerNumber(), 0, stored, expected);
        AddItem(difference, record, recordNumber);
        differences.push_back(std::move(difference));
    };
    const base::Decimal due = OpenAmount(record);
    if (base::Trim(record.paidFlag()) == kPaidFlag && !due.IsZero())
        differenceOf(LedgerProblem::PaidWithBalanceDue, due, {});
    if (!IsInvoice(record)) return;
    // Net and tax keep the decimals they were typed with; the total is what the entry window
    // showed, in cents.
    const base::Decimal netAndTax = (record.netAmount() + record.taxAmount()).Rounded(2);
    if (record.totalAmount().Rounded(2) != netAndTax)
        differenceOf(LedgerProblem::InvoiceTotal, record.totalAmount(), netAndTax);
}

std::string ItemsText(const LedgerDifference& difference) {
    std::string text;
    for (const LedgerItem& item : difference.items) {
        text += text.empty() ? "" : ", ";
        text += item.invoiceNumber + " (record " + std::to_string(item.recordNumber) + ")";
    }
    const auto unlisted = difference.itemCount - static_cast<int32_t>(difference.items.size());
    if (unlisted > 0) text += " and " + std::to_string(unlisted) + " more";
    return text;
}

std::string OffText(base::Decimal amount) {
    return amount.IsNegative() ? Money(-amount) + " too low" : Money(amount) + " too high";
}

std::string CustomerText(const LedgerDifference& difference) {
    std::string text = "Customer " + difference.customerNumber;
    if (difference.customerRecord != 0)
        text += " (record " + std::to_string(difference.customerRecord) + ")";
    return text;
}

std::string AgingText(const AgingSums& sums) {
    std::string text;
    for (const base::Decimal& amount : sums.categories)
        text += (text.empty() ? "" : " / ") + Money(amount);
    return text;
}

AgingSums StoredAging(const records::CustomerRecord& customer) {
    return {{customer.aging1Amount(), customer.aging2Amount(), customer.aging3Amount(),
             customer.aging4Amount()}};
}

bool SameAmounts(const records::CustomerRecord& customer, const BalanceChange& change) {
    return StoredAging(customer).categories == change.before.categories &&
           customer.balanceAmount() == change.balanceBefore;
}

}  // namespace

bool LedgerDifference::repairable() const {
    return problem == LedgerProblem::CustomerBalance || problem == LedgerProblem::AgingAmounts ||
           problem == LedgerProblem::CompanyTotal;
}

std::optional<std::vector<LedgerDifference>> CheckLedger(engine::Engine& engine,
                                                         base::PromptService& prompts,
                                                         const records::CompanyRecord& company) {
    CompanyFiles files(engine, prompts, company.code());
    if (!files.OpenForReading()) return std::nullopt;
    std::optional<std::string> failure;

    // The invoice file in record order: each record in itself, and the balances due summed by
    // the customer number they name. One pass in record order instead of a walk of key 2 per
    // customer, which would read the records in scattered order.
    std::unordered_map<std::string, NamedCustomer> named;
    std::vector<LedgerDifference> recordDifferences;
    if (!ForEachRecord<records::InvoiceRecord>(
            files.invoices, [&](int32_t recordNumber, const records::InvoiceRecord& record) {
                CheckRecord(recordNumber, record, recordDifferences);
                const auto [entry, added] =
                    named.try_emplace(ItemCustomerKey(record.customerNumber()));
                if (added) entry->second.number = base::Trim(record.customerNumber());
                entry->second.due += OpenAmount(record);
            }))
        failure = UnreadableText("invoice file", engine.error());

    std::vector<LedgerDifference> differences;
    base::Decimal balances;
    if (!failure &&
        !ForEachRecord<records::CustomerRecord>(
            files.customers, [&](int32_t recordNumber, const records::CustomerRecord& customer) {
                NamedCustomer& items = named[ItemCustomerKey(customer.number())];
                items.onFile = true;
                const base::Decimal balance = customer.balanceAmount();
                balances += balance;
                if (balance != items.due) {
                    items.listedOn = differences.size();
                    differences.push_back(DifferenceOf(LedgerProblem::CustomerBalance,
                                                       customer.number(), recordNumber, balance,
                                                       items.due));
                }
                const base::Decimal aging = StoredAging(customer).Total();
                if (aging != balance)
                    differences.push_back(DifferenceOf(LedgerProblem::AgingAmounts,
                                                       customer.number(), recordNumber, aging,
                                                       balance));
            }))
        failure = UnreadableText("customer file", engine.error());

    if (!failure && company.receivablesTotalAmount() != balances)
        differences.push_back(DifferenceOf(LedgerProblem::CompanyTotal, {}, 0,
                                           company.receivablesTotalAmount(), balances));
    std::move(recordDifferences.begin(), recordDifferences.end(), std::back_inserter(differences));

    // Numbers that no customer has, in order.
    std::vector<std::pair<const std::string, NamedCustomer>*> missing;
    for (auto& entry : named)
        if (!entry.second.onFile) missing.push_back(&entry);
    std::sort(missing.begin(), missing.end(),
              [](const auto* a, const auto* b) { return a->first < b->first; });
    for (auto* entry : missing) {
        entry->second.listedOn = differences.size();
        differences.push_back(DifferenceOf(LedgerProblem::MissingCustomer, entry->second.number, 0,
                                           entry->second.due, {}));
    }

    // Only when something differs: the records that explain it, in a second pass.
    const bool listsItems =
        std::any_of(named.begin(), named.end(), [](const auto& e) { return e.second.listedOn; });
    if (!failure && listsItems &&
        !ForEachRecord<records::InvoiceRecord>(
            files.invoices, [&](int32_t recordNumber, const records::InvoiceRecord& record) {
                const auto entry = named.find(ItemCustomerKey(record.customerNumber()));
                if (!entry->second.listedOn) return;
                LedgerDifference& difference = differences[*entry->second.listedOn];
                if (difference.problem == LedgerProblem::MissingCustomer ||
                    !OpenAmount(record).IsZero())
                    AddItem(difference, record, recordNumber);
            }))
        failure = UnreadableText("invoice file", engine.error());

    const bool closed = files.Close();
    if (failure) {
        ShowError(prompts, *failure);
        return std::nullopt;
    }
    if (!closed) return std::nullopt;
    return differences;
}

std::string DescribeDifference(const LedgerDifference& d) {
    switch (d.problem) {
        case LedgerProblem::CustomerBalance:
            return CustomerText(d) + ": balance " + Money(d.stored) + ", its items add up to " +
                   Money(d.expected) + (d.itemCount > 0 ? " (invoices " + ItemsText(d) + ")" : "") +
                   ", " + OffText(d.amount());
        case LedgerProblem::AgingAmounts:
            return CustomerText(d) + ": the aging amounts add up to " + Money(d.stored) +
                   ", the balance is " + Money(d.expected) + ", " + OffText(d.amount());
        case LedgerProblem::CompanyTotal:
            return "Receivables total " + Money(d.stored) + ", the customer balances add up to " +
                   Money(d.expected) + ", " + OffText(d.amount());
        case LedgerProblem::PaidWithBalanceDue:
            return "Invoice " + ItemsText(d) + " of customer " + d.customerNumber +
                   " is marked paid but has a balance due of " + Money(d.stored);
        case LedgerProblem::InvoiceTotal:
            return "Invoice " + ItemsText(d) + " of customer " + d.customerNumber + ": total " +
                   Money(d.stored) + ", net plus tax " + Money(d.expected) + ", " +
                   OffText(d.amount());
        case LedgerProblem::MissingCustomer:
            return "Customer " + d.customerNumber + " is not on file but is named by invoice " +
                   ItemsText(d) + ", balance due " + Money(d.stored);
    }
    return {};
}

std::optional<LedgerRepairPlan> PlanLedgerRepair(engine::Engine& engine,
                                                 base::PromptService& prompts,
                                                 const company::ProgramState& state,
                                                 const base::Clock& clock) {
    const std::optional<AgingLimits> limits = ReadAgingLimits(state.currentCompany);
    if (!limits) {
        ShowError(prompts, kBadAgingDaysText);
        return std::nullopt;
    }
    const AgingBasis basis{*limits, clock.Now(), state.shortDateOrder};
    CompanyFiles files(engine, prompts, state.currentCompany.code());
    if (!files.OpenForReading()) return std::nullopt;
    LedgerRepairPlan plan;
    plan.totalBefore = state.currentCompany.receivablesTotalAmount();
    std::optional<std::string> failure;
    const bool customersRead = ForEachRecord<records::CustomerRecord>(
        files.customers, [&](int32_t recordNumber, const records::CustomerRecord& customer) {
            if (failure) return;
            std::optional<AgingSums> sums = AgingSums{};
            if (files.invoices.IsOpen())
                sums = CustomerAgingSums(files.invoices, customer.number(), basis);
            if (!sums) {
                failure = UnreadableItemsText(customer.number(), engine.error());
                return;
            }
            plan.totalAfter += sums->Total();
            const BalanceChange change{base::Trim(customer.number()), recordNumber,
                                       StoredAging(customer), customer.balanceAmount(), *sums};
            if (change.before.categories != change.after.categories ||
                change.balanceBefore != change.after.Total())
                plan.customers.push_back(change);
        });
    if (!failure && !customersRead) failure = UnreadableText("customer file", engine.error());
    const bool closed = files.Close();
    if (failure) {
        ShowError(prompts, *failure);
        return std::nullopt;
    }
    if (!closed) return std::nullopt;
    return plan;
}

std::string DescribeChange(const BalanceChange& change) {
    return "Customer " + change.customerNumber + " (record " + std::to_string(change.recordNumber) +
           "): balance " + Money(change.balanceBefore) + " -> " + Money(change.after.Total()) +
           ", aging " + AgingText(change.before) + " -> " + AgingText(change.after);
}

std::string DescribeTotalChange(const LedgerRepairPlan& plan) {
    return "Receivables total " + Money(plan.totalBefore) + " -> " + Money(plan.totalAfter);
}

bool ApplyLedgerRepair(engine::Engine& engine, base::PromptService& prompts,
                       company::ProgramState& state, const LedgerRepairPlan& plan) {
    CustomerFile customers(
        engine,
        records::RecordTypeOf(records::RecordKind::Customer).Describe(state.currentCompany.code()),
        prompts);
    std::optional<std::string> failure;
    if (!plan.customers.empty() && !customers.Open()) return false;
    for (const BalanceChange& change : plan.customers) {
        records::CustomerRecord customer;
        if (!customers.Get(change.recordNumber, customer) ||
            ItemCustomerKey(customer.number()) != ItemCustomerKey(change.customerNumber) ||
            !SameAmounts(customer, change)) {
            failure = "Customer " + change.customerNumber +
                      " has changed since the balances were checked. Check them again.";
            break;
        }
        const records::CustomerRecord original = customer;
        if (!StoreAging(customer, change.after)) {
            failure =
                "The balance of customer " + change.customerNumber + " does not fit its field.";
            break;
        }
        const engine::UpdateOutcome outcome =
            customers.Update(change.recordNumber, customer, original);
        if (outcome != engine::UpdateOutcome::Written &&
            outcome != engine::UpdateOutcome::Unchanged) {
            failure = "The balance of customer " + change.customerNumber + " could not be written.";
            break;
        }
    }
    const bool closed = !customers.IsOpen() || customers.Close();
    if (failure) {
        ShowError(prompts, *failure);
        return false;
    }
    if (!closed) return false;
    if (plan.totalBefore == plan.totalAfter) return true;
    const base::Decimal total = plan.totalAfter;
    return UpdateCurrentCompany(engine, prompts, state, [total](records::CompanyRecord& company) {
        return company.setReceivablesTotalAmount(total);
    });
}

}  // namespace receivables

#pragma once
// The ledger check: whether a company's stored balances agree with its invoice file, read from
// the files alone. Every customer's balance must be the sum of the balances due of the
// invoice-file records that name it, its four aging amounts must add up to its balance, the
// company's receivables total must be the sum of the customer balances, and every invoice-file
// record must be consistent in itself and name a customer on file.
//
// The repair recomputes every customer's aging and balance from its items and the company total
// from the customers. It is made in two steps, so that what will change can be shown before
// anything is written.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Decimal.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "receivables/Aging.h"
#include "records/CompanyRecord.h"

namespace receivables {

enum class LedgerProblem {
    CustomerBalance,     // the balance is not the sum of the customer's items
    AgingAmounts,        // the four aging amounts do not add up to the balance
    CompanyTotal,        // the receivables total is not the sum of the customer balances
    PaidWithBalanceDue,  // a record marked paid ("P") still has a balance due
    InvoiceTotal,        // an invoice's total is not its net plus its tax
    MissingCustomer,     // invoice-file records name a customer that is not on file
};

// An invoice-file record named by a difference.
struct LedgerItem {
    std::string invoiceNumber;  // trimmed, Windows-1252
    int32_t recordNumber = 0;
};

struct LedgerDifference {
    LedgerProblem problem = LedgerProblem::CustomerBalance;
    std::string customerNumber;  // trimmed, Windows-1252; empty for the company total
    int32_t customerRecord = 0;  // in the customer file; 0 when there is none
    // The invoice-file records that explain the difference, the first kListedItems of them.
    std::vector<LedgerItem> items;
    int32_t itemCount = 0;   // how many there are in all
    base::Decimal stored;    // what the files hold
    base::Decimal expected;  // what they would hold if they agreed

    base::Decimal amount() const { return stored - expected; }
    // Whether recomputing the balances from the invoice file corrects it.
    bool repairable() const;
};

inline constexpr size_t kListedItems = 10;

// The differences of the company `company`, customers first in record order, then the company
// total, then the invoice-file records in record order, then the missing customers by number.
// Both files are read in record order, the invoice file a second time only to list the records
// behind differences; memory grows with the number of customers, not of invoices. Nothing, with
// the reason shown, when a file could not be read to the end. A company without customer or
// invoice file has none of its records.
std::optional<std::vector<LedgerDifference>> CheckLedger(engine::Engine& engine,
                                                         base::PromptService& prompts,
                                                         const records::CompanyRecord& company);

// One line in plain words: "Customer A1 (record 3): balance 150.00, its items add up to 100.00
// (invoices 1001 (record 7), 1002 (record 9)), 50.00 too high".
std::string DescribeDifference(const LedgerDifference& difference);

// A customer whose stored aging or balance the repair changes.
struct BalanceChange {
    std::string customerNumber;  // trimmed, Windows-1252
    int32_t recordNumber = 0;
    AgingSums before;             // the stored aging amounts
    base::Decimal balanceBefore;  // the stored balance
    AgingSums after;              // recomputed from the items; the balance becomes their total
};

struct LedgerRepairPlan {
    std::vector<BalanceChange> customers;  // in record order
    base::Decimal totalBefore;             // the company's receivables total
    base::Decimal totalAfter;              // the sum of every customer's new balance

    bool empty() const { return customers.empty() && totalBefore == totalAfter; }
};

// What the repair of state.currentCompany would change, with the customers' items aged to
// clock.Now() by the company's aging days. Nothing, with the reason shown, when the aging days
// are bad or a file could not be read to the end.
std::optional<LedgerRepairPlan> PlanLedgerRepair(engine::Engine& engine,
                                                 base::PromptService& prompts,
                                                 const company::ProgramState& state,
                                                 const base::Clock& clock);

// "Customer A1 (record 3): balance 150.00 -> 100.00, aging 0.00 / 0.00 / 0.00 / 150.00 -> ..." and
// "Receivables total 500.00 -> 450.00".
std::string DescribeChange(const BalanceChange& change);
std::string DescribeTotalChange(const LedgerRepairPlan& plan);

// Writes the plan: each customer, then the company's receivables total (in the company file and
// state.currentCompany). A customer changed since the plan was made is not overwritten: the
// repair stops there, with the reason shown, and leaves the company total as it was (false).
bool ApplyLedgerRepair(engine::Engine& engine, base::PromptService& prompts,
                       company::ProgramState& state, const LedgerRepairPlan& plan);

}  // namespace receivables

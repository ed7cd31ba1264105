#pragma once
// One posting of the current company: every change that moves money or business records together
// (an invoice added, edited or deleted, a payment). A posting
// - holds every file it writes before its first write: the company file, the customer file and
//   the caller's files, taken in that order, all or none, waiting for another desk that holds one;
// - keeps a journal on disk while it writes (engine::Journal), so a process killed half way is
//   undone when the company is next opened (company/PostingRecovery.h);
// - keeps in its log the way back from every write, so a write that fails undoes the posting
//   through the files it holds, without opening any;
// - moves balances through one step, MoveBalance: the customer's balance and aging categories
//   and the company's receivables total together.
// A posting not committed is undone when it goes out of scope.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "base/Dates.h"
#include "base/Decimal.h"
#include "base/PromptService.h"
#include "company/CompanyFile.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "engine/RecordFile.h"
#include "receivables/Aging.h"
#include "receivables/PostingLog.h"
#include "receivables/PostingWrites.h"
#include "records/CustomerRecord.h"

namespace receivables {

class Posting {
public:
    Posting(engine::Engine& engine, base::PromptService& prompts, company::ProgramState& state,
            const base::Clock& clock);
    ~Posting();
    Posting(const Posting&) = delete;
    Posting& operator=(const Posting&) = delete;

    // Takes the files (`others` after the company and customer files; those already open stay as
    // they are) and starts the journal, which names the posting `what` ("adding invoice 1001").
    // False, with the reason shown and nothing written, when a file stays closed.
    [[nodiscard]] bool Begin(std::string_view what, const std::vector<engine::BlockFile*>& others);
    // The last write is done: every open file is written back, the journal goes and the files
    // this posting opened are closed. False, with the reason shown and the posting undone, when a
    // file cannot be written back.
    [[nodiscard]] bool Commit();

    PostingLog& log() { return log_; }
    // The customer file the posting holds, for a posting that walks every customer.
    CustomerFile& customers() { return customers_; }
    company::ProgramState& state() { return state_; }
    base::PromptService& prompts() { return prompts_; }

    // The current company as the company file holds it now (another desk may have moved its
    // next invoice number).
    std::optional<records::CompanyRecord> StoredCompany();
    // The customer whose number (trimmed, upper-cased) is `number`, by customer key 2.
    std::optional<CustomerEntry> FindCustomer(std::string_view number);

    // The balance step. The customer's balance and the company's receivables total move by
    // `delta`'s total, the customer's aging categories by its categories; then `alsoChange` makes
    // the posting's other changes of the customer (its last invoice or payment, its aging
    // recomputed), false when an amount it sets would not fit. Both records are written through
    // the log. False, with the reason shown and the posting undone, when a record cannot be read
    // or written or an amount would not fit.
    [[nodiscard]] bool MoveBalance(
        std::string_view customerNumber, const AgingSums& delta,
        const std::function<bool(records::CustomerRecord&)>& alsoChange = {});
    // MoveBalance of `amount` into the aging category of an item dated `itemDate`.
    [[nodiscard]] bool MoveItem(std::string_view customerNumber, base::Decimal amount,
                                const base::Date& itemDate);
    // Changes the current company's record through the log; state.currentCompany follows. A
    // change answering false would not fit the receivables total.
    [[nodiscard]] bool ChangeCompany(const std::function<bool(records::CompanyRecord&)>& change);

private:
    bool WriteCustomer(const CustomerEntry& stored, const records::CustomerRecord& changed);
    void Undo();
    void CloseOpened();

    engine::Engine& engine_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    const base::Clock& clock_;
    company::CompanyFile companies_;
    CustomerFile customers_;
    std::vector<engine::BlockFile*> opened_;  // closed again when the posting ends
    PostingLog log_;
    bool begun_ = false;
};

}  // namespace receivables

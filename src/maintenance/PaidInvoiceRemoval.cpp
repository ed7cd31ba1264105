#include "maintenance/PaidInvoiceRemoval.h"

#include <optional>
#include <set>
#include <span>
#include <vector>

#include "base/Decimal.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "engine/BlockFile.h"
#include "invoicing/InvoiceFiles.h"
#include "receivables/Posting.h"
#include "receivables/PostingWrites.h"
#include "records/TransactionType.h"

namespace maintenance {
namespace {

using records::InvoiceRecord;

bool IsPaymentRecord(const InvoiceRecord& record) {
    const std::string type = base::Trim(record.typeCode());
    return type == records::type::kPartialPayment || type == records::type::kDepositTaken;
}

bool Settled(const InvoiceRecord& record) {
    return base::Trim(record.paidFlag()) == "P";
}

bool NothingDue(const InvoiceRecord& record) {
    const auto due = base::Decimal::Parse(base::RemoveCommas(base::Trim(record.balanceDue())));
    return !base::Trim(record.balanceDue()).empty() && due && *due == base::Decimal();
}

// Whether the record's sortable date lies before `cutOff` ("yyyy/mm/dd"); an unreadable date is
// never old enough.
bool Before(const InvoiceRecord& record, const std::string& cutOff) {
    const auto date = base::ParseDate(base::Trim(record.sortDate()), base::DateOrder::YearFirst);
    return date && base::SortableDate(*date) < cutOff;
}

// An invoice of the walk: settled, dated before the cut-off and no payment record.
bool Candidate(const InvoiceRecord& record, const std::string& cutOff) {
    return !IsPaymentRecord(record) && Settled(record) && Before(record, cutOff);
}

enum class Verdict { Remove, Keep, Owing };

Verdict Judge(const invoicing::Entries<InvoiceRecord>& group, const std::string& cutOff) {
    for (const auto& entry : group) {
        const InvoiceRecord& record = entry.record;
        if (base::Trim(record.typeCode()) == records::type::kRepeatMaster) return Verdict::Keep;
        if (!Settled(record)) return Verdict::Keep;
        if (!Before(record, cutOff)) return Verdict::Keep;
    }
    for (const auto& entry : group)
        if (!NothingDue(entry.record)) return Verdict::Owing;
    return Verdict::Remove;
}

// The records of one invoice number that go together.
struct Group {
    std::string number;
    invoicing::Entries<InvoiceRecord> records;
    invoicing::Entries<records::InvoiceLineRecord> lines;
    invoicing::Entries<records::InvoiceMemoRecord> memo;
};

// The prompts of a batch tried whole: its messages are not shown, since a batch that fails is
// tried again invoice by invoice, whose failures are.
class QuietPrompts : public base::UnattendedPromptService {
public:
    base::PromptAnswer Message(std::string_view, std::string_view, base::PromptIcon,
                               base::PromptButtons buttons) override {
        return buttons == base::PromptButtons::Ok || buttons == base::PromptButtons::OkCancel
                   ? base::PromptAnswer::Ok
                   : base::PromptAnswer::Yes;
    }
};

// How many invoices one posting removes: a posting costs a few pushes to disk, an invoice a few
// writes, so batches make the run hundreds of times faster; a kill still undoes whole invoices.
constexpr size_t kBatch = 500;

class Removal {
public:
    Removal(engine::Engine& engine, base::PromptService& prompts, company::ProgramState& state,
            const base::Clock& clock)
        : engine_(engine),
          prompts_(prompts),
          state_(state),
          clock_(clock),
          files_(engine, prompts, state.currentCompany.code()) {}

    bool Open() {
        if (files_.Open()) return true;
        prompts_.Message(engine::kProgramCaption, files_.OpenFailureText(), base::PromptIcon::Error,
                         base::PromptButtons::Ok);
        return false;
    }
    bool Close() { return files_.Close(); }

    void Walk(const std::string& cutOff, PaidRemoval& removal) {
        std::set<std::string> seen;
        std::vector<Group> pending;
        InvoiceRecord record;
        for (int32_t recordNumber = 0;;) {
            engine_.NextUsedRecord(files_.invoices().handle(), recordNumber);
            if (engine_.errorClass() == engine::ErrorClass::Expected) break;
            if (!engine_.ok() || !files_.invoices().Get(recordNumber, record)) {
                removal.readToEnd = false;
                break;
            }
            if (!Candidate(record, cutOff)) continue;
            const std::string number = base::Trim(record.invoiceNumber());
            if (!seen.insert(base::Win1252Upper(number)).second) continue;
            if (auto group = Prepare(number, cutOff, removal)) pending.push_back(std::move(*group));
            if (pending.size() >= kBatch) Remove(pending, removal);
        }
        Remove(pending, removal);
    }

private:
    // The group of `number` when it is to go; otherwise why not is noted.
    std::optional<Group> Prepare(const std::string& number, const std::string& cutOff,
                                 PaidRemoval& removal) {
        auto records = files_.RecordsOf(number);
        auto lines = files_.LinesOf(number);
        auto memo = files_.MemoOf(number);
        if (!records || !lines || !memo) {
            removal.failed.push_back(number);
            return std::nullopt;
        }
        switch (Judge(*records, cutOff)) {
            case Verdict::Keep:
                return std::nullopt;
            case Verdict::Owing:
                removal.owing.push_back(number);
                return std::nullopt;
            case Verdict::Remove:
                break;
        }
        return Group{number, std::move(*records), std::move(*lines), std::move(*memo)};
    }

    // The groups in one posting; when that fails (it is then undone), each in a posting of its
    // own, so that one failing invoice leaves the others removed.
    void Remove(std::vector<Group>& groups, PaidRemoval& removal) {
        QuietPrompts quiet;
        const bool together = groups.size() > 1 && RemoveTogether(groups, quiet);
        for (const Group& group : groups) {
            if (together || RemoveTogether({&group, 1}, prompts_)) {
                removal.records += static_cast<int>(group.records.size());
                removal.numbers.push_back(group.number);
            } else {
                removal.failed.push_back(group.number);
            }
        }
        groups.clear();
    }

    bool RemoveTogether(std::span<const Group> groups, base::PromptService& prompts) {
        receivables::Posting posting(engine_, prompts, state_, clock_);
        const std::string what = groups.size() == 1
                                     ? "removing paid invoice " + groups.front().number
                                     : "removing " + std::to_string(groups.size()) +
                                           " paid invoices from " + groups.front().number;
        if (!posting.Begin(what, {&files_.invoices().block(), &files_.lines().block(),
                                  &files_.memos().block()}))
            return false;
        receivables::PostingLog& log = posting.log();
        for (const Group& group : groups) {
            for (const auto& entry : group.records)
                if (!receivables::DeleteRecord(log, "Delete Failed.", files_.invoices(), entry))
                    return false;
            for (const auto& entry : group.lines)
                if (!receivables::DeleteRecord(log, "Delete detail recs failed", files_.lines(),
                                               entry))
                    return false;
            for (const auto& entry : group.memo)
                if (!receivables::DeleteRecord(log, "Memo record deletion failed", files_.memos(),
                                               entry))
                    return false;
        }
        return posting.Commit();
    }

    engine::Engine& engine_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    const base::Clock& clock_;
    invoicing::InvoiceFiles files_;
};

}  // namespace

std::optional<PaidRemoval> RemovePaidInvoices(engine::Engine& engine, base::PromptService& prompts,
                                              company::ProgramState& state,
                                              const base::Clock& clock, const base::Date& cutOff) {
    Removal walk(engine, prompts, state, clock);
    if (!walk.Open()) return std::nullopt;
    PaidRemoval removal;
    walk.Walk(base::SortableDate(cutOff), removal);
    (void)walk.Close();
    return removal;
}

}  // namespace maintenance

#include "maintenance/PaidInvoiceRemoval.h"

#include <set>

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
        InvoiceRecord record;
        for (int32_t recordNumber = 0;;) {
            engine_.NextUsedRecord(files_.invoices().handle(), recordNumber);
            if (engine_.errorClass() == engine::ErrorClass::Expected) return;
            if (!engine_.ok() || !files_.invoices().Get(recordNumber, record)) {
                removal.readToEnd = false;
                return;
            }
            if (!Candidate(record, cutOff)) continue;
            const std::string number = base::Trim(record.invoiceNumber());
            if (!seen.insert(base::Win1252Upper(number)).second) continue;
            RemoveGroup(number, cutOff, removal);
        }
    }

private:
    void RemoveGroup(const std::string& number, const std::string& cutOff, PaidRemoval& removal) {
        const auto group = files_.RecordsOf(number);
        const auto lines = files_.LinesOf(number);
        const auto memo = files_.MemoOf(number);
        if (!group || !lines || !memo) {
            removal.failed.push_back(number);
            return;
        }
        switch (Judge(*group, cutOff)) {
            case Verdict::Keep:
                return;
            case Verdict::Owing:
                removal.owing.push_back(number);
                return;
            case Verdict::Remove:
                break;
        }
        if (!RemoveWhole(number, *group, *lines, *memo)) {
            removal.failed.push_back(number);
            return;
        }
        removal.records += static_cast<int>(group->size());
        removal.numbers.push_back(number);
    }

    bool RemoveWhole(const std::string& number, const invoicing::Entries<InvoiceRecord>& group,
                     const invoicing::Entries<records::InvoiceLineRecord>& lines,
                     const invoicing::Entries<records::InvoiceMemoRecord>& memo) {
        receivables::Posting posting(engine_, prompts_, state_, clock_);
        if (!posting.Begin(
                "removing paid invoice " + number,
                {&files_.invoices().block(), &files_.lines().block(), &files_.memos().block()}))
            return false;
        receivables::PostingLog& log = posting.log();
        for (const auto& entry : group)
            if (!receivables::DeleteRecord(log, "Delete Failed.", files_.invoices(), entry))
                return false;
        for (const auto& entry : lines)
            if (!receivables::DeleteRecord(log, "Delete detail recs failed", files_.lines(), entry))
                return false;
        for (const auto& entry : memo)
            if (!receivables::DeleteRecord(log, "Memo record deletion failed", files_.memos(),
                                           entry))
                return false;
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

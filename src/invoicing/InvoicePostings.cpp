#include "invoicing/InvoicePostings.h"

#include <utility>
#include <vector>

#include "base/Dates.h"
#include "base/Text.h"
#include "company/CompanyFile.h"
#include "invoicing/InvoiceNumbers.h"
#include "invoicing/InvoiceRecords.h"
#include "receivables/Posting.h"
#include "receivables/PostingLog.h"
#include "receivables/PostingWrites.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"

namespace invoicing {
namespace {

using receivables::AddRecord;
using receivables::DeleteRecord;
using receivables::FindCustomer;
using receivables::PostingLog;
using receivables::ReplaceRecord;
using records::InvoiceLineRecord;
using records::InvoiceMemoRecord;
using records::InvoiceRecord;

constexpr char kPaidFlag[] = "P";
constexpr int kNumberTries = 1000;
constexpr char kBlank[] = " ";

std::string NotOnFile(std::string_view customer) {
    return "Customer " + base::Trim(customer) + " is not on file.";
}

std::string LinesText(int count) {
    return std::to_string(count) + " line item(s).";
}

}  // namespace

struct InvoicePostings::Prepared {
    InvoiceBasis basis;
    engine::KeyEntry<records::CustomerRecord> customer;
};

InvoicePostings::InvoicePostings(InvoiceFiles& files, company::ProgramState& state,
                                 const base::Clock& clock)
    : files_(files), state_(state), clock_(clock) {}

void InvoicePostings::Report(std::string_view text) {
    files_.prompts().Message(engine::kProgramCaption, text, base::PromptIcon::Error,
                             base::PromptButtons::Ok);
}

// Everything a posting needs that can be refused, found before the first write.
std::optional<InvoicePostings::Prepared> InvoicePostings::Prepare(const InvoiceDraft& draft,
                                                                  std::string_view customerNumber) {
    const records::CompanyRecord& company = state_.currentCompany;
    if (!receivables::ReadAgingLimits(company)) {
        files_.prompts().Message(receivables::kAgingCaption, receivables::kBadAgingDaysText,
                                 base::PromptIcon::Error, base::PromptButtons::Ok);
        return std::nullopt;
    }
    const auto date = base::ParseDate(draft.date, base::EntryDateOrder(company.dateFormat()));
    if (!date) {
        Report("The invoice date " + base::Trim(draft.date) + " is not a valid date.");
        return std::nullopt;
    }
    const auto customer =
        FindCustomer(files_.engine(), files_.prompts(), files_.companyCode(), customerNumber);
    if (!customer) {
        Report(NotOnFile(customerNumber));
        return std::nullopt;
    }
    const InvoiceTotals totals = ComputeTotals(draft, company);
    for (const base::Decimal amount :
         {totals.net, totals.tax, totals.total, totals.paid, totals.balanceDue}) {
        if (!FitsField(amount)) {
            Report("The amounts of invoice " + base::Trim(draft.number) +
                   " do not fit their fields.");
            return std::nullopt;
        }
    }
    return Prepared{{*date, totals, customer->record, files_.companyCode()}, *customer};
}

std::optional<PostedInvoice> InvoicePostings::Add(const InvoiceDraft& entered) {
    const std::optional<Prepared> prepared = Prepare(entered, entered.customer);
    if (!prepared) return std::nullopt;
    const InvoiceBasis& basis = prepared->basis;
    const std::string customerNumber = prepared->customer.record.number();

    receivables::Posting posting(files_.engine(), files_.prompts(), state_, clock_);
    if (!posting.Begin("adding invoice " + base::Trim(entered.number) + " for customer " +
                           base::Trim(customerNumber),
                       Blocks()))
        return std::nullopt;
    InvoiceDraft draft = entered;
    if (!TakeFreeNumber(posting, draft, basis.date)) return std::nullopt;

    PostedInvoice posted;
    InvoiceRecord& header = posted.header;
    header.setTypeCode(records::type::kRegularInvoice);
    FillHeader(header, draft, basis);
    if (basis.totals.balanceDue.IsZero()) {
        header.setPaidFlag(kPaidFlag);
        header.setDatePaid(base::SortableDate(basis.date));
    }
    const std::string number = base::Trim(header.invoiceNumber());
    PostingLog& log = posting.log();
    InvoiceFile& invoices = files_.invoices();
    if (!log.Write(
            "Add operation failed", [&] { return invoices.Add(header, posted.recordNumber); },
            [&] { return invoices.Delete(posted.recordNumber, header); }))
        return std::nullopt;
    for (const InvoiceLineRecord& line : BuildLines(draft, basis, records::form::kProduct)) {
        if (!AddRecord(log, "detail add failed.", files_.lines(), line)) return std::nullopt;
        ++posted.lineCount;
    }
    const bool paidSome = basis.totals.paid > base::Decimal();
    const std::string dateText = base::Trim(draft.date);
    if (!posting.MoveBalance(customerNumber, ItemDelta(basis.totals.balanceDue, basis.date),
                             [&](records::CustomerRecord& customer) {
                                 customer.setLastInvoiceNumber(number);
                                 if (paidSome) customer.setLastPaymentDate(dateText);
                                 return true;
                             }))
        return std::nullopt;
    const auto advance = [&number](records::CompanyRecord& company) {
        company.setNextInvoiceNumber(
            NextInvoiceNumber(number, company.yearMonthPrefix(), company.nextInvoiceNumber()));
        company.setLastInvoiceNumber(number);
        return true;
    };
    if (!posting.ChangeCompany(advance)) return std::nullopt;
    if (draft.form == InvoiceForm::Memo &&
        !AddRecord(log, "memo add operation failed", files_.memos(), BuildMemo(draft)))
        return std::nullopt;
    if (!posting.Commit()) return std::nullopt;
    posted.status = "Added invoice " + number + " containing " + LinesText(posted.lineCount);
    return posted;
}

std::optional<PostedInvoice> InvoicePostings::Edit(
    const engine::KeyEntry<records::InvoiceRecord>& stored, const InvoiceDraft& draft) {
    const InvoiceRecord& original = stored.record;
    const std::optional<Prepared> prepared = Prepare(draft, original.customerNumber());
    if (!prepared) return std::nullopt;
    const InvoiceBasis& basis = prepared->basis;
    const auto oldLines = files_.LinesOf(original.invoiceNumber());
    const auto oldMemo = files_.MemoOf(original.invoiceNumber());
    if (!oldLines || !oldMemo) {
        Report("Modify operation failed");
        return std::nullopt;
    }

    PostedInvoice posted{stored.recordNumber, original, 0, {}};
    InvoiceRecord& header = posted.header;
    FillHeader(header, draft, basis);
    const bool repeatMaster = base::Trim(original.typeCode()) == records::type::kRepeatMaster;
    if (repeatMaster) {
        // Not a receivable: nothing is due on it.
        header.setPaid("0.00");
        header.setBalanceDue("0.00");
        header.setPaidFlag(kBlank);
        header.setDatePaid(kBlank);
    } else if (basis.totals.balanceDue.IsZero()) {
        // The date of a payment already made stays.
        const bool wasPaid = base::Trim(original.paidFlag()) == kPaidFlag &&
                             !base::Trim(original.datePaid()).empty();
        header.setPaidFlag(kPaidFlag);
        header.setDatePaid(wasPaid ? original.datePaid() : base::SortableDate(basis.date));
    } else {
        header.setPaidFlag(kBlank);
        header.setDatePaid(kBlank);
    }

    receivables::Posting posting(files_.engine(), files_.prompts(), state_, clock_);
    if (!posting.Begin("changing invoice " + base::Trim(original.invoiceNumber()), Blocks()))
        return std::nullopt;
    PostingLog& log = posting.log();
    if (!ReplaceRecord(log, "Modify operation failed", files_.invoices(), stored, header))
        return std::nullopt;
    const std::vector<InvoiceLineRecord> lines = BuildLines(
        draft, basis, repeatMaster ? records::type::kRepeatMaster : records::form::kProduct);
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool written =
            i < oldLines->size()
                ? ReplaceRecord(log, "detail add failed.", files_.lines(), (*oldLines)[i], lines[i])
                : AddRecord(log, "detail add failed.", files_.lines(), lines[i]);
        if (!written) return std::nullopt;
    }
    for (size_t i = lines.size(); i < oldLines->size(); ++i) {
        if (!DeleteRecord(log, "Detail delete operation failed.", files_.lines(), (*oldLines)[i]))
            return std::nullopt;
    }
    posted.lineCount = static_cast<int>(lines.size());

    if (!repeatMaster) {
        const std::string customerNumber = prepared->customer.record.number();
        const records::CustomerRecord& customer = prepared->customer.record;
        const auto order = base::EntryDateOrder(state_.currentCompany.dateFormat());
        const auto lastPayment = base::ParseDate(customer.lastPaymentDate(), order);
        const bool paidLater =
            basis.totals.paid > base::Decimal() &&
            (!lastPayment || base::DayNumber(*lastPayment) < base::DayNumber(basis.date));
        const base::Decimal oldAmount = original.totalAmount() - original.paidAmount();
        const base::Date oldDate =
            StoredDate(original, state_.currentCompany).value_or(clock_.Now().date);
        receivables::AgingSums delta = ItemDelta(-oldAmount, oldDate);
        delta += ItemDelta(basis.totals.balanceDue, basis.date);
        const std::string dateText = base::Trim(draft.date);
        if (!posting.MoveBalance(customerNumber, delta, [&](records::CustomerRecord& stamped) {
                if (paidLater) stamped.setLastPaymentDate(dateText);
                return true;
            }))
            return std::nullopt;
    }

    if (draft.form == InvoiceForm::Memo) {
        const InvoiceMemoRecord memo = BuildMemo(draft);
        const bool written =
            oldMemo->empty() ? AddRecord(log, "memo replace operation failed", files_.memos(), memo)
                             : ReplaceRecord(log, "memo replace operation failed", files_.memos(),
                                             oldMemo->front(), memo);
        if (!written) return std::nullopt;
    }
    if (!posting.Commit()) return std::nullopt;
    posted.status = "Editing invoice " + base::Trim(header.invoiceNumber()) + " completed.";
    return posted;
}

std::optional<PostedInvoice> InvoicePostings::Delete(
    const engine::KeyEntry<records::InvoiceRecord>& stored) {
    const InvoiceRecord& record = stored.record;
    const std::string number = base::Trim(record.invoiceNumber());
    const bool memoForm = base::Trim(record.form()) == records::form::kMemo;
    const auto lines = files_.LinesOf(number);
    if (!lines) {
        Report("Delete detail recs failed");
        return std::nullopt;
    }
    const auto memo =
        memoForm ? files_.MemoOf(number) : std::optional(Entries<InvoiceMemoRecord>{});
    if (!memo) {
        Report("Memo record deletion failed");
        return std::nullopt;
    }
    const bool repeatMaster = base::Trim(record.typeCode()) == records::type::kRepeatMaster;
    const base::Decimal open = record.totalAmount() - record.paidAmount();
    const bool moves = !repeatMaster && !open.IsZero();
    const std::string customerNumber = record.customerNumber();
    if (moves &&
        !FindCustomer(files_.engine(), files_.prompts(), files_.companyCode(), customerNumber)) {
        Report(NotOnFile(customerNumber));
        return std::nullopt;
    }

    receivables::Posting posting(files_.engine(), files_.prompts(), state_, clock_);
    if (!posting.Begin("deleting invoice " + number, Blocks())) return std::nullopt;
    PostingLog& log = posting.log();
    if (!DeleteRecord(log, "Delete operation failed", files_.invoices(), stored))
        return std::nullopt;
    for (const auto& line : *lines) {
        if (!DeleteRecord(log, "Delete detail recs failed", files_.lines(), line))
            return std::nullopt;
    }
    if (moves) {
        const base::Date date =
            StoredDate(record, state_.currentCompany).value_or(clock_.Now().date);
        if (!posting.MoveBalance(customerNumber, ItemDelta(-open, date))) return std::nullopt;
    }
    for (const auto& entry : *memo) {
        if (!DeleteRecord(log, "Memo record deletion failed", files_.memos(), entry))
            return std::nullopt;
    }
    if (!posting.Commit()) return std::nullopt;
    PostedInvoice posted{stored.recordNumber, record, static_cast<int>(lines->size()), {}};
    posted.status =
        memoForm ? "Deleted memo invoice " + number + "."
                 : "Deleted invoice " + number + " containing " + LinesText(posted.lineCount);
    return posted;
}

// Another desk may have added the number since the entry was checked, while this posting waited
// for its files: a proposed number moves on to the next free one, a typed one is refused.
bool InvoicePostings::TakeFreeNumber(receivables::Posting& posting, InvoiceDraft& draft,
                                     const base::Date& date) {
    if (!draft.numberProposed) {
        if (!files_.FindInvoice(draft.number)) return true;
        files_.prompts().Message("Duplicate Invoice: " + base::Trim(draft.number),
                                 "This invoice number currently exists. Please enter another one.",
                                 base::PromptIcon::Warning, base::PromptButtons::Ok);
        return false;
    }
    records::CompanyRecord company = posting.StoredCompany().value_or(state_.currentCompany);
    draft.number = ProposedInvoiceNumber(company, date);
    for (int tries = 0; files_.FindInvoice(draft.number); ++tries) {
        company.setNextInvoiceNumber(NextInvoiceNumber(draft.number, company.yearMonthPrefix(),
                                                       company.nextInvoiceNumber()));
        const std::string next = ProposedInvoiceNumber(company, date);
        if (tries == kNumberTries || next == draft.number) {
            Report("No free invoice number follows " + base::Trim(draft.number) + ".");
            return false;
        }
        draft.number = next;
    }
    return true;
}

std::vector<engine::BlockFile*> InvoicePostings::Blocks() {
    return {&files_.invoices().block(), &files_.lines().block(), &files_.memos().block()};
}

receivables::AgingSums InvoicePostings::ItemDelta(base::Decimal amount,
                                                  const base::Date& date) const {
    receivables::AgingSums delta;
    if (const auto limits = receivables::ReadAgingLimits(state_.currentCompany))
        delta.Add(amount, base::WholeDaysSince(date, clock_.Now()), *limits);
    return delta;
}

}  // namespace invoicing

#include "invoicing/InvoicePostings.h"

#include <utility>
#include <vector>

#include "base/Dates.h"
#include "base/Text.h"
#include "company/CompanyFile.h"
#include "invoicing/InvoiceNumbers.h"
#include "invoicing/InvoiceRecords.h"
#include "receivables/PostingLog.h"
#include "receivables/PostingWrites.h"
#include "receivables/ReceivableBalances.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"

namespace invoicing {
namespace {

using receivables::AddRecord;
using receivables::DeleteRecord;
using receivables::FindCustomer;
using receivables::PostingLog;
using receivables::ReplaceRecord;
using receivables::Written;
using records::InvoiceLineRecord;
using records::InvoiceMemoRecord;
using records::InvoiceRecord;

constexpr char kPaidFlag[] = "P";
constexpr char kBlank[] = " ";

std::string NotOnFile(std::string_view customer) {
    return "Customer " + base::Trim(customer) + " is not on file.";
}

// Writes the customer's last invoice number and last payment date; the guard puts them back.
bool StampCustomer(InvoiceFiles& files, const std::string& number,
                   const std::optional<std::string>& lastInvoice,
                   const std::optional<std::string>& lastPayment) {
    CustomerFile customers(
        files.engine(),
        records::RecordTypeOf(records::RecordKind::Customer).Describe(files.companyCode()),
        files.prompts());
    if (!customers.Open()) return false;
    records::CustomerRecord wanted;
    wanted.setNumber(number);
    engine::KeyEntry<records::CustomerRecord> entry;
    bool written = customers.Search(2, wanted.key(2), entry) == engine::ErrorClass::None &&
                   entry.key == wanted.key(2);
    if (written) {
        records::CustomerRecord stamped = entry.record;
        if (lastInvoice) stamped.setLastInvoiceNumber(*lastInvoice);
        if (lastPayment) stamped.setLastPaymentDate(*lastPayment);
        written = Written(customers.Update(entry.recordNumber, stamped, entry.record));
    }
    return customers.Close() && written;
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

std::optional<PostedInvoice> InvoicePostings::Add(const InvoiceDraft& draft) {
    const std::optional<Prepared> prepared = Prepare(draft, draft.customer);
    if (!prepared) return std::nullopt;
    const InvoiceBasis& basis = prepared->basis;
    const std::string customerNumber = prepared->customer.record.number();

    PostedInvoice posted;
    InvoiceRecord& header = posted.header;
    header.setTypeCode(records::type::kRegularInvoice);
    FillHeader(header, draft, basis);
    if (basis.totals.balanceDue.IsZero()) {
        header.setPaidFlag(kPaidFlag);
        header.setDatePaid(base::SortableDate(basis.date));
    }

    PostingLog log(files_.prompts());
    InvoiceFile& invoices = files_.invoices();
    if (!log.Write(
            "Add operation failed", [&] { return invoices.Add(header, posted.recordNumber); },
            [&] { return invoices.Delete(posted.recordNumber, header); }))
        return std::nullopt;
    for (const InvoiceLineRecord& line : BuildLines(draft, basis, records::form::kProduct)) {
        if (!AddRecord(log, "detail add failed.", files_.lines(), line)) return std::nullopt;
        ++posted.lineCount;
    }

    if (!receivables::GuardCustomer(log, files_.engine(), files_.prompts(), files_.companyCode(),
                                    customerNumber)) {
        log.Fail(NotOnFile(customerNumber));
        return std::nullopt;
    }
    const std::string number = base::Trim(header.invoiceNumber());
    const std::optional<std::string> lastPayment =
        basis.totals.paid > base::Decimal() ? std::optional(base::Trim(draft.date)) : std::nullopt;
    if (!log.Write(
            "The customer record of " + base::Trim(customerNumber) + " could not be written.",
            [&] { return StampCustomer(files_, customerNumber, number, lastPayment); }))
        return std::nullopt;
    if (!receivables::GuardCompany(log, files_.engine(), files_.prompts(), state_)) {
        log.Fail("Unable to open company database");
        return std::nullopt;
    }
    if (!basis.totals.balanceDue.IsZero() && !log.Write("", [&] {
            return receivables::AdjustReceivable(files_.engine(), files_.prompts(), state_, clock_,
                                                 customerNumber, basis.totals.balanceDue,
                                                 basis.date);
        }))
        return std::nullopt;
    const auto advance = [&number](records::CompanyRecord& company) {
        company.setNextInvoiceNumber(
            NextInvoiceNumber(number, company.yearMonthPrefix(), company.nextInvoiceNumber()));
        company.setLastInvoiceNumber(number);
        return true;
    };
    if (!log.Write("", [&] {
            return receivables::UpdateCurrentCompany(files_.engine(), files_.prompts(), state_,
                                                     advance);
        }))
        return std::nullopt;
    if (draft.form == InvoiceForm::Memo &&
        !AddRecord(log, "memo add operation failed", files_.memos(), BuildMemo(draft)))
        return std::nullopt;
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

    PostingLog log(files_.prompts());
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
        if (!receivables::GuardCustomer(log, files_.engine(), files_.prompts(),
                                        files_.companyCode(), customerNumber)) {
            log.Fail(NotOnFile(customerNumber));
            return std::nullopt;
        }
        const records::CustomerRecord& customer = prepared->customer.record;
        const auto order = base::EntryDateOrder(state_.currentCompany.dateFormat());
        const auto lastPayment = base::ParseDate(customer.lastPaymentDate(), order);
        if (basis.totals.paid > base::Decimal() &&
            (!lastPayment || base::DayNumber(*lastPayment) < base::DayNumber(basis.date)) &&
            !log.Write(
                "The customer record of " + base::Trim(customerNumber) + " could not be written.",
                [&] {
                    return StampCustomer(files_, customerNumber, std::nullopt,
                                         base::Trim(draft.date));
                }))
            return std::nullopt;
        const base::Decimal oldAmount = original.totalAmount() - original.paidAmount();
        const base::Date oldDate =
            StoredDate(original, state_.currentCompany).value_or(clock_.Now().date);
        const base::Decimal newAmount = basis.totals.balanceDue;
        const bool moved =
            !(oldAmount == newAmount && base::DayNumber(oldDate) == base::DayNumber(basis.date));
        if (moved) {
            if (!receivables::GuardCompany(log, files_.engine(), files_.prompts(), state_)) {
                log.Fail("Unable to open company database");
                return std::nullopt;
            }
            const auto adjust = [&](base::Decimal amount, const base::Date& date) {
                return amount.IsZero() || log.Write("", [&] {
                    return receivables::AdjustReceivable(files_.engine(), files_.prompts(), state_,
                                                         clock_, customerNumber, amount, date);
                });
            };
            if (!adjust(-oldAmount, oldDate) || !adjust(newAmount, basis.date)) return std::nullopt;
        }
    }

    if (draft.form == InvoiceForm::Memo) {
        const InvoiceMemoRecord memo = BuildMemo(draft);
        const bool written =
            oldMemo->empty() ? AddRecord(log, "memo replace operation failed", files_.memos(), memo)
                             : ReplaceRecord(log, "memo replace operation failed", files_.memos(),
                                             oldMemo->front(), memo);
        if (!written) return std::nullopt;
    }
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

    PostingLog log(files_.prompts());
    if (!DeleteRecord(log, "Delete operation failed", files_.invoices(), stored))
        return std::nullopt;
    for (const auto& line : *lines) {
        if (!DeleteRecord(log, "Delete detail recs failed", files_.lines(), line))
            return std::nullopt;
    }
    if (moves) {
        if (!receivables::GuardCustomer(log, files_.engine(), files_.prompts(),
                                        files_.companyCode(), customerNumber)) {
            log.Fail(NotOnFile(customerNumber));
            return std::nullopt;
        }
        if (!receivables::GuardCompany(log, files_.engine(), files_.prompts(), state_)) {
            log.Fail("Unable to open company database");
            return std::nullopt;
        }
        const base::Date date =
            StoredDate(record, state_.currentCompany).value_or(clock_.Now().date);
        if (!log.Write("", [&] {
                return receivables::AdjustReceivable(files_.engine(), files_.prompts(), state_,
                                                     clock_, customerNumber, -open, date);
            }))
            return std::nullopt;
    }
    for (const auto& entry : *memo) {
        if (!DeleteRecord(log, "Memo record deletion failed", files_.memos(), entry))
            return std::nullopt;
    }
    PostedInvoice posted{stored.recordNumber, record, static_cast<int>(lines->size()), {}};
    posted.status =
        memoForm ? "Deleted memo invoice " + number + "."
                 : "Deleted invoice " + number + " containing " + LinesText(posted.lineCount);
    return posted;
}

}  // namespace invoicing

#include "invoicing/InvoiceManagerFlow.h"

#include "base/Text.h"
#include "base/Windows1252.h"
#include "engine/BlockFile.h"
#include "engine/Errors.h"
#include "invoicing/InvoiceGuards.h"
#include "invoicing/InvoicePostings.h"
#include "receivables/PostingWrites.h"

namespace invoicing {
namespace {

constexpr int kNumberKey = 1;
constexpr int kNumberWidth = 9;

std::string Folded(std::string_view text) {
    return base::Win1252Upper(base::Trim(text));
}

}  // namespace

InvoiceManagerFlow::InvoiceManagerFlow(engine::Engine& engine, base::PromptService& prompts,
                                       company::ProgramState& state, const base::Clock& clock)
    : engine_(engine), prompts_(prompts), state_(state), clock_(clock) {}

bool InvoiceManagerFlow::Open() {
    filterCustomer_.reset();
    // The files of the company that is current now: it may have changed since the last visit.
    files_.emplace(engine_, prompts_, state_.currentCompany.code());
    if (files_->Open()) return true;
    prompts_.Message(engine::kProgramCaption, files_->OpenFailureText(), base::PromptIcon::Error,
                     base::PromptButtons::Ok);
    files_.reset();
    return false;
}

void InvoiceManagerFlow::Close() {
    if (files_ && !files_->Close())
        prompts_.Message(engine::kProgramCaption,
                         engine::ErrorText(engine::ErrorClass::Fatal, engine_.error()),
                         base::PromptIcon::Error, base::PromptButtons::Ok);
    files_.reset();
}

InvoiceListSource InvoiceManagerFlow::Source() const {
    if (filterCustomer_) return {kCustomerKey, CustomerRange(*filterCustomer_)};
    return {static_cast<int>(order_), {}};
}

std::string InvoiceManagerFlow::CountText() {
    return "Records: " + std::to_string(engine_.UsedRecords(fileBlock()));
}

InvoiceFilterView InvoiceManagerFlow::FilterClosed() {
    return {"Filter Closed", "Filter closed.", false};
}

InvoiceFilterView InvoiceManagerFlow::SwitchFilter(int32_t recordNumber) {
    if (filterCustomer_) {
        filterCustomer_.reset();
        return FilterClosed();
    }
    const auto entry = Read(recordNumber);
    if (!entry) return FilterClosed();
    filterCustomer_ = base::Trim(entry->record.customerNumber());
    return {"Filtering Customer#: " + *filterCustomer_,
            "Click filter button again to clear filter.", true};
}

std::optional<StoredInvoice> InvoiceManagerFlow::Read(int32_t recordNumber) {
    StoredInvoice entry;
    entry.recordNumber = recordNumber;
    if (recordNumber == 0 || !files_->invoices().Get(recordNumber, entry.record))
        return std::nullopt;
    return entry;
}

std::optional<InvoiceRow> InvoiceManagerFlow::RowOfEntry(const StoredInvoice& entry) {
    if (filterCustomer_ && Folded(entry.record.customerNumber()) != Folded(*filterCustomer_))
        return std::nullopt;
    return InvoiceRow{entry.recordNumber, entry.record.key(Source().keyNumber)};
}

std::optional<InvoiceRow> InvoiceManagerFlow::RowOf(int32_t recordNumber) {
    const auto entry = Read(recordNumber);
    return entry ? RowOfEntry(*entry) : std::nullopt;
}

std::optional<InvoiceRow> InvoiceManagerFlow::StartRow() {
    const auto entry = files_->FindInvoice(state_.currentCompany.lastInvoiceNumber());
    return entry ? RowOfEntry(*entry) : std::nullopt;
}

std::optional<InvoiceRow> InvoiceManagerFlow::RowAtNumber(std::string_view number) {
    records::InvoiceRecord wanted;
    wanted.setInvoiceNumber(base::CutTo(base::Trim(number), kNumberWidth));
    StoredInvoice entry;
    if (files_->invoices().Search(kNumberKey, wanted.key(kNumberKey), entry) !=
        engine::ErrorClass::None)
        return std::nullopt;
    return RowOfEntry(entry);
}

std::optional<QuickViewValues> InvoiceManagerFlow::QuickView(int32_t recordNumber) {
    const auto entry = Read(recordNumber);
    if (!entry) return std::nullopt;
    const auto customer = receivables::FindCustomer(engine_, prompts_, files_->companyCode(),
                                                    entry->record.customerNumber());
    return QuickViewOf(entry->record, customer ? std::optional(customer->record) : std::nullopt,
                       state_.currentCompany);
}

std::optional<InvoiceDocument> InvoiceManagerFlow::Document(std::string_view number) {
    std::string failure;
    auto document = LoadDocument(*files_, state_.currentCompany, number, failure);
    if (!document) prompts_.Warn("View Invoice", failure);
    return document;
}

std::optional<std::string> InvoiceManagerFlow::NumberOf(int32_t recordNumber) {
    const auto entry = Read(recordNumber);
    if (!entry) return std::nullopt;
    return base::Trim(entry->record.invoiceNumber());
}

DispatchContext InvoiceManagerFlow::Dispatch(PrintSink& printer, mail::MailConnection& mail) {
    const bool mailing = state_.defaultOutput == company::PrintedOutput::EMail;
    return {*files_,
            state_.currentCompany,
            mailing ? OutputMode::EMail : OutputMode::Printer,
            printer,
            &mail,
            clock_,
            state_.todayText,
            &state_.printQueue};
}

std::optional<StoredInvoice> InvoiceManagerFlow::EditableRecord(int32_t recordNumber) {
    auto entry = Read(recordNumber);
    if (!entry || !MayEdit(entry->record, state_.currentCompany, prompts_)) return std::nullopt;
    return entry;
}

InvoiceListUpdate InvoiceManagerFlow::Delete(int32_t recordNumber) {
    const auto entry = Read(recordNumber);
    if (!entry || !MayDelete(entry->record, state_.currentCompany, prompts_)) return {};
    InvoicePostings postings(*files_, state_, clock_);
    const std::optional<PostedInvoice> deleted = postings.Delete(*entry);
    if (!deleted) return {true, {}};
    return {true, deleted->status};
}

InvoiceListUpdate InvoiceManagerFlow::RepeatSetup(int32_t recordNumber,
                                                  const RepeatSetupDialog& dialog) {
    const auto entry = Read(recordNumber);
    if (!entry) return {};
    const RepeatSetupOutcome outcome = RunRepeatSetup(*files_, *entry, state_, clock_, dialog);
    return {outcome.saved, outcome.status};
}

}  // namespace invoicing

#include "invoicing/InvoiceEntryFlow.h"

#include <cstdio>

#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/PaymentTerms.h"
#include "engine/BlockFile.h"
#include "invoicing/InvoiceNumbers.h"
#include "invoicing/InvoiceRecords.h"
#include "invoicing/SavedLines.h"
#include "receivables/PostingWrites.h"
#include "records/RecordTypes.h"

namespace invoicing {
namespace {

constexpr char kShown[] = ",0.00";
constexpr char kWarningCaption[] = "Warning";
constexpr int kProductCodeKey = 1;

std::string Shown(const std::string& amount) {
    return base::Decimal::ParseOrZero(base::RemoveCommas(amount)).Format(kShown);
}

std::string Folded(std::string_view text) {
    return base::Win1252Upper(base::Trim(text));
}

std::string TwoDigits(long value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace

std::vector<std::string> AgingCaptions(const records::CompanyRecord& company) {
    return {base::Trim(company.agingCaption1()), base::Trim(company.agingCaption2()),
            base::Trim(company.agingCaption3()), "Over " + base::Trim(company.agingDays3()) + ":"};
}

CustomerPanel PanelOf(const records::CustomerRecord& customer) {
    CustomerPanel panel;
    panel.name = base::Trim(customer.name());
    panel.number = base::Trim(customer.number());
    panel.shortName = base::Trim(customer.shortName());
    panel.balance = Shown(customer.balance());
    panel.negativeBalance = customer.balanceAmount() < base::Decimal();
    panel.creditLimit = base::Trim(customer.creditLimit()).empty() ? std::string("0")
                                                                   : Shown(customer.creditLimit());
    const std::string aging[] = {customer.aging1(), customer.aging2(), customer.aging3(),
                                 customer.aging4()};
    for (int i = 0; i < 4; ++i) panel.aging[i] = Shown(aging[i]);
    panel.taxExempt = base::Trim(customer.taxExempt()) == "Y";
    return panel;
}

std::string TaxBoxText(const records::CompanyRecord& company) {
    return "Calc. Tax at " + base::Trim(company.taxRate()) + "%";
}

std::string MemoTaxHint(const InvoiceDraft& draft, const records::CompanyRecord& company) {
    if (!company.calculateTaxes()) return {};
    const base::Decimal net = TypedAmount(draft.memo.net).value_or(base::Decimal());
    const base::Decimal rate = base::Decimal::ParseOrZero(base::Trim(company.taxRate()));
    const base::Decimal tax = rate * net * base::Decimal::ParseOrZero("0.01");
    return "Tax on " + net.Format(kShown) + " is " + tax.Format(kShown) + ".";
}

DraftLine LineOfProduct(const records::ProductRecord& product, DraftLine line,
                        const records::CompanyRecord& company, bool defaultQuantity) {
    line.code = base::Trim(product.code());
    line.description = base::Trim(product.description());
    line.price = base::Trim(product.price());
    line.taxed = product.taxable() ? "Y" : "N";
    if (defaultQuantity) line.quantity = DraftLine::Blank(company).quantity;
    return line;
}

StopwatchTexts StopwatchTextsOf(std::chrono::seconds elapsed) {
    const long total = static_cast<long>(elapsed.count());
    const long h = total / 3600;
    const long m = total / 60 % 60;
    const long s = total % 60;
    char hours[32];
    std::snprintf(hours, sizeof hours, "%06.3f", static_cast<double>(total) / 3600.0);
    return {TwoDigits(h) + ":" + TwoDigits(m) + ":" + TwoDigits(s), hours};
}

std::string ClockText(const base::DateTime& when) {
    return TwoDigits(when.hour) + ":" + TwoDigits(when.minute) + ":" + TwoDigits(when.second);
}

InvoiceEntryFlow::InvoiceEntryFlow(engine::Engine& engine, base::PromptService& prompts,
                                   company::ProgramState& state, const base::Clock& clock)
    : engine_(engine), prompts_(prompts), state_(state), clock_(clock) {}

InvoiceDraft InvoiceEntryFlow::BeginAdd() {
    mode_ = EntryMode::Add;
    customer_.reset();
    edited_.reset();
    const records::CompanyRecord& company = state_.currentCompany;
    const base::DateOrder order = base::EntryDateOrder(company.dateFormat());
    const base::Date today = clock_.Now().date;
    std::optional<base::Date> date = base::ParseDate(defaultDate_, order);
    if (!date) date = today;
    InvoiceDraft draft;
    draft.date = base::FormatDate(*date, order);
    draft.number = ProposedInvoiceNumber(company, *date);
    proposedNumber_ = draft.number;
    draft.terms = company.defaultTerms();
    draft.form =
        base::Trim(company.defaultInvoiceType()) == "M" ? InvoiceForm::Memo : InvoiceForm::Product;
    draft.tax = company.calculateTaxes();
    return draft;
}

std::optional<InvoiceDraft> InvoiceEntryFlow::BeginEdit(InvoiceFiles& files,
                                                        const StoredInvoice& stored) {
    const std::string number = stored.record.invoiceNumber();
    const auto lines = files.LinesOf(number);
    const auto memos = files.MemoOf(number);
    if (!lines || !memos) {
        prompts_.Warn(engine::kProgramCaption, "Error reading memo data.");
        return std::nullopt;
    }
    std::vector<records::InvoiceLineRecord> rows;
    for (const auto& line : *lines) rows.push_back(line.record);
    const std::optional<records::InvoiceMemoRecord> memo =
        memos->empty() ? std::nullopt : std::optional(memos->front().record);
    mode_ = EntryMode::Edit;
    edited_ = stored;
    const auto customer = receivables::FindCustomer(engine_, prompts_, files.companyCode(),
                                                    stored.record.customerNumber());
    customer_ = customer ? std::optional(customer->record) : std::nullopt;
    InvoiceDraft draft = DraftOf(stored.record, rows, memo, state_.currentCompany, customer_);
    for (std::string* amount : {&draft.paid, &draft.memo.net, &draft.memo.tax})
        *amount = Shown(*amount);
    return draft;
}

bool InvoiceEntryFlow::NumberLocked() const {
    return edited_ && Folded(edited_->record.invoiceNumber()).find('G') != std::string::npos;
}

void InvoiceEntryFlow::TakeCustomer(const records::CustomerRecord& customer, InvoiceDraft& draft) {
    customer_ = customer;
    draft.customer = base::Trim(customer.number());
    if (!base::Trim(customer.terms()).empty()) draft.terms = customer.terms();
    if (customer.taxExempt() == "Y") draft.tax = false;
    const base::Decimal limit = customer.creditLimitAmount();
    if (base::Decimal() < limit && limit < customer.balanceAmount())
        prompts_.Warn(kWarningCaption, "This customer is over their credit limit.");
    if (customer.creditHold())
        prompts_.Warn(kWarningCaption, "This customer is placed on inactive/credit hold status.");
}

ProductLookup InvoiceEntryFlow::LookUpProduct(std::string_view code) {
    const std::string wanted = Folded(code);
    if (wanted.empty()) return {std::nullopt, true};
    engine::RecordFile<records::ProductRecord> file(
        engine_,
        records::RecordTypeOf(records::RecordKind::Product).Describe(state_.currentCompany.code()),
        prompts_);
    std::optional<records::ProductRecord> found;
    if (file.Open()) {
        records::ProductRecord key;
        key.setCode(wanted);
        engine::KeyEntry<records::ProductRecord> entry;
        if (file.Search(kProductCodeKey, key.key(kProductCodeKey), entry) ==
                engine::ErrorClass::None &&
            Folded(entry.record.code()) == wanted)
            found = entry.record;
        (void)file.Close();
    }
    if (found) return {found, false};
    return {std::nullopt,
            prompts_.AskYesNo("Product Code",
                              "That product code was not found. Would you like to add it now?")};
}

std::vector<std::string> InvoiceEntryFlow::Terms() {
    return company::LoadPaymentTerms(engine_.fileSystem());
}

bool InvoiceEntryFlow::SaveLines(const InvoiceDraft& draft) {
    return invoicing::SaveLines(engine_.fileSystem(), prompts_, draft, state_.currentCompany);
}

bool InvoiceEntryFlow::LoadLines(InvoiceDraft& draft) {
    return invoicing::LoadLines(engine_.fileSystem(), prompts_, draft);
}

EntryOutcome InvoiceEntryFlow::Ok(InvoiceFiles& files, InvoiceDraft& draft) {
    const std::string editedNumber = edited_ ? base::Trim(edited_->record.invoiceNumber()) : "";
    const base::Decimal editedTotal = edited_ ? edited_->record.totalAmount() : base::Decimal();
    const InvoiceCheckContext context{
        state_.currentCompany,
        editedNumber,
        editedTotal,
        [this, &files](const std::string& number) -> std::optional<records::CustomerRecord> {
            const auto found =
                receivables::FindCustomer(engine_, prompts_, files.companyCode(), number);
            return found ? std::optional(found->record) : std::nullopt;
        },
        [&files](const std::string& number) { return files.FindInvoice(number).has_value(); },
        engine_.fileSystem(),
        prompts_};
    draft.numberProposed = !edited_ && base::Trim(draft.number) == base::Trim(proposedNumber_);
    if (auto failure = CheckInvoice(draft, context)) return *failure;
    InvoicePostings postings(files, state_, clock_);
    const std::optional<PostedInvoice> posted =
        edited_ ? postings.Edit(*edited_, draft) : postings.Add(draft);
    // The posting showed why it failed; the window stays open on the invoice as typed.
    if (!posted) return InvoiceFailure{{}, {}, {}, 0, 0, true};
    defaultDate_ = draft.date;
    if (edited_) edited_->record = posted->header;
    return *posted;
}

}  // namespace invoicing

// add-invoice, edit-invoice, delete-invoice: invoice entry and the Invoice Manager's commands on
// the run's company, through the same checks, guards and postings as the windows. The fields
// given stand for what a user types into the entry window; a refused line answers with the
// window's own message and writes nothing.

#include <functional>
#include <optional>
#include <vector>

#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "invoicing/InvoiceChecks.h"
#include "invoicing/InvoiceFiles.h"
#include "invoicing/InvoiceGuards.h"
#include "invoicing/InvoiceNumbers.h"
#include "invoicing/InvoicePostings.h"
#include "invoicing/InvoiceRecords.h"
#include "receivables/PostingWrites.h"
#include "tool/InvoiceSession.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

using invoicing::DraftLine;
using invoicing::InvoiceDraft;

// The lengths of the entry window's controls.
constexpr int kNumberLength = 9;
constexpr int kCustomerLength = 8;
constexpr int kDateLength = 10;
constexpr int kNotesLength = 80;
constexpr int kTextLength = 35;
constexpr int kKeyCodeLength = 8;
constexpr int kCellLength = 10;
constexpr int kDescriptionLength = 32;
constexpr int kMemoLength = 1850;

// What the line types into the window, read once before any file is touched.
using Typing = std::vector<std::function<void(InvoiceDraft&)>>;

template <typename Set>
void ReadText(PostRequest& request, const char* field, int length, Typing& typing, Set set) {
    if (auto text = request.Text(field, length))
        typing.push_back([set, text = *text](InvoiceDraft& d) { set(d, text); });
}

DraftLine ReadLine(PostRequest& row) {
    if (auto comment = row.Text("comment", kDescriptionLength)) return DraftLine::Comment(*comment);
    const auto text = [&row](const char* field, int length) {
        return row.Text(field, length).value_or("");
    };
    DraftLine line{text("code", kCellLength), text("quantity", kCellLength),
                   text("description", kDescriptionLength), text("price", kCellLength), "N"};
    if (row.Flag("taxed").value_or(false)) line.taxed = "Y";
    return line;
}

Typing ReadTyping(PostRequest& request, const char* numberField) {
    Typing typing;
    ReadText(request, numberField, kNumberLength, typing,
             [](InvoiceDraft& d, const std::string& t) { d.number = t; });
    ReadText(request, "customer", kCustomerLength, typing,
             [](InvoiceDraft& d, const std::string& t) { d.customer = t; });
    ReadText(request, "date", kDateLength, typing,
             [](InvoiceDraft& d, const std::string& t) { d.date = t; });
    ReadText(request, "terms", kTextLength, typing,
             [](InvoiceDraft& d, const std::string& t) { d.terms = t; });
    ReadText(request, "notes", kNotesLength, typing,
             [](InvoiceDraft& d, const std::string& t) { d.notes = t; });
    ReadText(request, "key_code", kKeyCodeLength, typing,
             [](InvoiceDraft& d, const std::string& t) { d.keyCode = t; });
    ReadText(request, "statement_note", kTextLength, typing,
             [](InvoiceDraft& d, const std::string& t) { d.statementNote = t; });
    ReadText(request, "paid", kCellLength, typing,
             [](InvoiceDraft& d, const std::string& t) { d.paid = t; });
    if (auto form = request.Text("form", 1)) {
        if (*form != "P" && *form != "M") request.Refuse("\"form\" must be \"P\" or \"M\"");
        const auto chosen =
            *form == "M" ? invoicing::InvoiceForm::Memo : invoicing::InvoiceForm::Product;
        typing.push_back([chosen](InvoiceDraft& d) { d.form = chosen; });
    }
    if (auto tax = request.Flag("tax"))
        typing.push_back([on = *tax](InvoiceDraft& d) { d.tax = on; });
    std::vector<DraftLine> lines;
    if (request.Objects("lines", invoicing::kMaxRows,
                        {"code", "quantity", "description", "price", "taxed", "comment"},
                        [&lines](PostRequest& row) { lines.push_back(ReadLine(row)); }))
        typing.push_back([lines](InvoiceDraft& d) { d.lines = lines; });
    request.Objects(
        "memo", 1, {"text", "description", "quantity", "net", "tax"}, [&typing](PostRequest& memo) {
            ReadText(memo, "text", kMemoLength, typing,
                     [](InvoiceDraft& d, const std::string& t) { d.memo.text = t; });
            ReadText(memo, "description", kDescriptionLength, typing,
                     [](InvoiceDraft& d, const std::string& t) { d.memo.description = t; });
            ReadText(memo, "quantity", kCellLength, typing,
                     [](InvoiceDraft& d, const std::string& t) { d.memo.quantity = t; });
            ReadText(memo, "net", kCellLength, typing,
                     [](InvoiceDraft& d, const std::string& t) { d.memo.net = t; });
            ReadText(memo, "tax", kCellLength, typing,
                     [](InvoiceDraft& d, const std::string& t) { d.memo.tax = t; });
        });
    return typing;
}

// The company's Invoice Manager for one line: the company record of the run, its invoice files
// open, and the postings on them.
class InvoiceManager : public InvoiceSession {
public:
    explicit InvoiceManager(PostSession& session)
        : InvoiceSession(session), postings_(files_, state_, session.clock) {}

    invoicing::InvoicePostings& postings() { return postings_; }

    // The checks of OK as the window runs them.
    std::optional<invoicing::InvoiceFailure> Check(InvoiceDraft& draft,
                                                   const std::string& editedNumber,
                                                   base::Decimal editedTotal) {
        return invoicing::CheckInvoice(
            draft,
            {state_.currentCompany, editedNumber, editedTotal,
             [this](const std::string& number) { return Customer(number); },
             [this](const std::string& number) { return files_.FindInvoice(number).has_value(); },
             session_.engine.fileSystem(), session_.prompts});
    }

    std::optional<records::CustomerRecord> Customer(const std::string& number) {
        auto found = receivables::FindCustomer(session_.engine, session_.prompts,
                                               session_.companyCode, number);
        if (!found) return std::nullopt;
        return found->record;
    }

    // Why the command stopped.
    std::string LastMessage() const { return LastShown("The invoice was not changed"); }

private:
    invoicing::InvoicePostings postings_;
};

PostReply Refusal(PostRequest& request) {
    return PostReply::Refused(*request.failure());
}

PostReply Posted(const invoicing::PostedInvoice& posted) {
    const records::InvoiceRecord& h = posted.header;
    PostReply reply;
    reply.results["number"] = base::Win1252ToUtf8(base::Trim(h.invoiceNumber()));
    reply.results["net"] = h.net();
    reply.results["tax"] = h.tax();
    reply.results["total"] = h.total();
    reply.results["balance_due"] = h.balanceDue();
    return reply;
}

std::optional<engine::KeyEntry<records::InvoiceRecord>> NamedInvoice(PostRequest& request,
                                                                     InvoiceManager& manager) {
    const std::optional<std::string> number = request.Text("number", kNumberLength);
    if (!number) {
        request.Refuse("\"number\" names no invoice");
        return std::nullopt;
    }
    auto found = manager.files().FindInvoice(*number);
    if (!found) request.Refuse("No invoice " + base::Trim(*number) + " on file");
    return found;
}

PostReply AddInvoice(PostRequest& request, PostSession& session) {
    const Typing typing = ReadTyping(request, "number");
    if (request.failure()) return Refusal(request);
    InvoiceManager manager(session);
    if (auto refusal = manager.Open()) return PostReply::Refused(*refusal);

    // The window's new invoice: today's date, the company's terms, form, tax and next number.
    const records::CompanyRecord& company = manager.company();
    const base::Date today = session.clock.Now().date;
    InvoiceDraft draft;
    draft.date = base::FormatDate(today, base::EntryDateOrder(company.dateFormat()));
    draft.terms = company.defaultTerms();
    draft.form = base::Trim(company.defaultInvoiceType()) == "M" ? invoicing::InvoiceForm::Memo
                                                                 : invoicing::InvoiceForm::Product;
    draft.tax = company.calculateTaxes();
    draft.number = invoicing::ProposedInvoiceNumber(company, today);
    const std::string proposed = draft.number;
    for (const auto& type : typing) type(draft);
    draft.numberProposed = draft.number == proposed;
    // Picking the customer fills its terms and unticks the tax box of a tax-exempt one.
    if (const auto customer = manager.Customer(draft.customer)) {
        if (!base::Trim(customer->terms()).empty() && !request.Text("terms", kTextLength))
            draft.terms = customer->terms();
        if (base::Trim(customer->taxExempt()) == "Y") draft.tax = false;
    }
    if (const auto failure = manager.Check(draft, "", base::Decimal()))
        return PostReply::Refused(failure->text);
    const auto posted = manager.postings().Add(draft);
    if (!posted) return PostReply::Refused(manager.LastMessage());
    return Posted(*posted);
}

PostReply EditInvoice(PostRequest& request, PostSession& session) {
    const Typing typing = ReadTyping(request, "new_number");
    if (request.failure()) return Refusal(request);
    InvoiceManager manager(session);
    if (auto refusal = manager.Open()) return PostReply::Refused(*refusal);
    const auto stored = NamedInvoice(request, manager);
    if (!stored) return Refusal(request);
    const records::InvoiceRecord& record = stored->record;
    if (!invoicing::MayEdit(record, manager.company(), session.prompts))
        return PostReply::Refused(manager.LastMessage());
    const auto lines = manager.files().LinesOf(record.invoiceNumber());
    const auto memo = manager.files().MemoOf(record.invoiceNumber());
    if (!lines || !memo) return PostReply::Refused("Error reading memo data.");
    std::vector<records::InvoiceLineRecord> rows;
    for (const auto& entry : *lines) rows.push_back(entry.record);
    InvoiceDraft draft = invoicing::DraftOf(
        record, rows, memo->empty() ? std::nullopt : std::optional(memo->front().record),
        manager.company(), manager.Customer(record.customerNumber()));
    // The customer of a stored invoice cannot be changed.
    const std::string customer = draft.customer;
    for (const auto& type : typing) type(draft);
    draft.customer = customer;
    if (const auto failure =
            manager.Check(draft, base::Trim(record.invoiceNumber()), record.totalAmount()))
        return PostReply::Refused(failure->text);
    const auto posted = manager.postings().Edit(*stored, draft);
    if (!posted) return PostReply::Refused(manager.LastMessage());
    return Posted(*posted);
}

PostReply DeleteInvoice(PostRequest& request, PostSession& session) {
    InvoiceManager manager(session);
    if (auto refusal = manager.Open()) return PostReply::Refused(*refusal);
    const auto stored = NamedInvoice(request, manager);
    if (!stored) return Refusal(request);
    if (!invoicing::MayDelete(stored->record, manager.company(), session.prompts))
        return PostReply::Refused(manager.LastMessage());
    const auto posted = manager.postings().Delete(*stored);
    if (!posted) return PostReply::Refused(manager.LastMessage());
    PostReply reply;
    reply.results["number"] = base::Win1252ToUtf8(base::Trim(posted->header.invoiceNumber()));
    reply.results["lines"] = posted->lineCount;
    return reply;
}

std::vector<std::string_view> InvoiceFields(std::string_view numberField) {
    return {numberField,      "customer", "date",  "terms", "notes", "key_code",
            "statement_note", "form",     "lines", "memo",  "tax",   "paid"};
}

}  // namespace

std::vector<PostOperation> InvoiceOperations() {
    std::vector<std::string_view> editFields = InvoiceFields("number");
    editFields.push_back("new_number");
    return {{"add-invoice", InvoiceFields("number"), &AddInvoice},
            {"edit-invoice", editFields, &EditInvoice},
            {"delete-invoice", {"number"}, &DeleteInvoice}};
}

}  // namespace tool

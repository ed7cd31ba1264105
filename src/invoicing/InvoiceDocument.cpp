#include "invoicing/InvoiceDocument.h"

#include <algorithm>

#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "invoicing/InvoiceList.h"
#include "receivables/PostingWrites.h"
#include "records/TransactionType.h"

namespace invoicing {
namespace {

// The stored tax column holds the entry grid's "Y" for a taxed line; outputs mark it "T".
DocumentLine ShownLine(const records::InvoiceLineRecord& record) {
    const records::LineColumns stored = record.columns();
    DocumentLine line{base::Trim(record.productCode()),
                      stored.quantity,
                      stored.description,
                      base::FormatUnitPrice(stored.unitPrice),
                      stored.taxMark == "Y" || stored.taxMark == "y" ? "T" : "",
                      stored.extension};
    // A comment line (no quantity, no price) carries no amount worth showing.
    if (line.quantity.empty() && line.unitPrice.empty()) line.extension.clear();
    if (const auto amount = base::Decimal::Parse(line.extension))
        line.extension = ShownAmount(*amount);
    return line;
}

bool ShowsAnything(const DocumentLine& line) {
    return !line.productCode.empty() || !line.quantity.empty() || !line.description.empty() ||
           !line.unitPrice.empty() || !line.extension.empty();
}

std::vector<std::string> MemoText(const records::InvoiceRecord& invoice,
                                  const std::optional<records::InvoiceMemoRecord>& memo) {
    const std::string form = base::Trim(invoice.form());
    if (form == records::form::kDeposit) return {"Deposit on Account"};
    if (form == records::type::kDepositTaken)
        return {"Deposit on Account - Offset against invoices."};
    if (form == records::form::kMemo) {
        if (memo) return memo->lines();
        return std::vector<std::string>(records::InvoiceMemoRecord::kLineCount);
    }
    return {};
}

// The stored sortable date paid in the company's order; empty while nothing was paid.
std::string PaidDate(const records::InvoiceRecord& invoice, const records::CompanyRecord& company) {
    const std::optional<base::Date> paid =
        base::ParseDate(invoice.datePaid(), base::DateOrder::YearFirst);
    if (!paid) return {};
    return base::FormatDate(*paid, base::EntryDateOrder(company.dateFormat()));
}

}  // namespace

std::optional<DocumentKind> ParseDocumentKind(std::string_view code) {
    const std::string upper = base::Win1252Upper(base::Trim(code));
    if (upper == "INV") return DocumentKind::Invoice;
    if (upper == "PSL") return DocumentKind::PackingSlip;
    if (upper == "FCP") return DocumentKind::FileCopy;
    return std::nullopt;
}

bool InvoiceDocument::IsMemo() const {
    return form == records::form::kMemo || form == records::form::kDeposit ||
           form == records::type::kDepositTaken;
}

bool InvoiceDocument::IsRepeatMaster() const {
    return typeCode == records::type::kRepeatMaster;
}

bool InvoiceDocument::HasDescribedLine() const {
    return std::ranges::any_of(lines,
                               [](const DocumentLine& line) { return !line.description.empty(); });
}

std::string ShownAmount(base::Decimal amount) {
    return amount.Format(",0.00");
}

InvoiceDocument AssembleDocument(const records::InvoiceRecord& invoice,
                                 const std::vector<records::InvoiceLineRecord>& lines,
                                 const std::optional<records::InvoiceMemoRecord>& memo,
                                 const records::CustomerRecord& customer,
                                 const records::CompanyRecord& company) {
    InvoiceDocument d;
    d.billTo = {customer.name(), customer.billing1(), customer.billing2(), customer.billing3(),
                customer.billing4()};
    d.shipTo = {customer.shipping1(), customer.shipping2(), customer.shipping3(),
                customer.shipping4()};
    d.accountNumber = base::Trim(invoice.customerNumber());
    d.number = base::Trim(invoice.invoiceNumber());
    d.date = base::Trim(invoice.date());
    d.reference = invoice.notes();
    d.terms = invoice.terms();
    d.net = invoice.netAmount();
    d.tax = invoice.taxAmount();
    d.total = invoice.totalAmount();
    d.paid = ShownPaid(invoice);
    d.balanceDue = invoice.balanceDueAmount();
    d.form = base::Trim(invoice.form());
    d.typeCode = base::Trim(invoice.typeCode());
    d.printed = base::Trim(invoice.printed()) == "Y";
    d.printNotes = customer.notesOnInvoices();
    d.customerNote = base::Trim(customer.notes());
    d.paidDate = PaidDate(invoice, company);
    d.customerEmail = base::Trim(customer.email());
    if (!d.IsMemo())
        for (const records::InvoiceLineRecord& record : lines)
            if (DocumentLine line = ShownLine(record); ShowsAnything(line))
                d.lines.push_back(std::move(line));
    d.memo = MemoText(invoice, memo);
    d.aging = {customer.aging1Amount(), customer.aging2Amount(), customer.aging3Amount(),
               customer.aging4Amount()};
    return d;
}

std::optional<InvoiceDocument> LoadDocument(InvoiceFiles& files,
                                            const records::CompanyRecord& company,
                                            std::string_view number, std::string& failure) {
    const auto invoice = files.FindInvoice(number);
    if (!invoice) {
        failure = "Invoice " + base::Trim(number) + " is not on file.";
        return std::nullopt;
    }
    const auto lines = files.LinesOf(number);
    const auto memos = files.MemoOf(number);
    if (!lines || !memos) {
        failure = "The lines of invoice " + base::Trim(number) + " cannot be read.";
        return std::nullopt;
    }
    std::vector<records::InvoiceLineRecord> lineRecords;
    for (const auto& entry : *lines) lineRecords.push_back(entry.record);
    std::optional<records::InvoiceMemoRecord> memo;
    if (!memos->empty()) memo = memos->front().record;
    const auto customer = receivables::FindCustomer(
        files.engine(), files.prompts(), files.companyCode(), invoice->record.customerNumber());
    return AssembleDocument(invoice->record, lineRecords, memo,
                            customer ? customer->record : records::CustomerRecord{}, company);
}

}  // namespace invoicing

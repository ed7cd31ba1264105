#include "invoicing/InvoiceRecords.h"

#include <algorithm>

#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "records/TransactionType.h"

namespace invoicing {
namespace {

constexpr char kMemoCode[] = "Memo";
constexpr int kProductCodeWidth = 10;

std::string Amount(base::Decimal amount) {
    return amount.Format("0.00");
}

records::InvoiceLineRecord Line(const InvoiceBasis& basis, const InvoiceDraft& draft,
                                const std::string& kind, std::string_view code,
                                const records::LineColumns& columns) {
    records::InvoiceLineRecord line;
    line.setColumns(columns);
    line.setKind(kind);
    line.setCompanyCode(basis.companyCode);
    line.setInvoiceNumber(base::Trim(draft.number));
    line.setInvoiceDate(base::SortableDate(basis.date));
    line.setProductCode(base::Trim(base::CutTo(code, kProductCodeWidth)));
    line.setCustomerNumber(basis.customer.number());
    line.setShortName(basis.customer.shortName());
    return line;
}

bool AnyLineTaxed(const std::vector<records::InvoiceLineRecord>& lines) {
    return std::ranges::any_of(lines, [](const records::InvoiceLineRecord& line) {
        DraftLine row;
        row.taxed = line.columns().taxMark;
        return row.Taxed();
    });
}

}  // namespace

void FillHeader(records::InvoiceRecord& header, const InvoiceDraft& draft,
                const InvoiceBasis& basis) {
    header.setInvoiceNumber(base::Win1252Upper(base::Trim(draft.number)));
    header.setDocumentDate(base::Trim(draft.date), basis.date);
    header.setNotes(draft.notes);
    header.setTerms(draft.terms);
    header.setStatementNote(draft.statementNote);
    header.setCustomerNumber(basis.customer.number());
    header.setShortName(basis.customer.shortName());
    header.setKeyCode(draft.keyCode);
    header.setCompanyCode(basis.companyCode);
    header.setForm(draft.form == InvoiceForm::Memo ? records::form::kMemo
                                                   : records::form::kProduct);
    header.setNet(Amount(basis.totals.net));
    header.setTax(Amount(basis.totals.tax));
    header.setTotal(Amount(basis.totals.total));
    header.setPaid(Amount(basis.totals.paid));
    header.setBalanceDue(Amount(basis.totals.balanceDue));
}

std::vector<records::InvoiceLineRecord> BuildLines(const InvoiceDraft& draft,
                                                   const InvoiceBasis& basis,
                                                   const std::string& kind) {
    std::vector<records::InvoiceLineRecord> lines;
    if (draft.form == InvoiceForm::Memo) {
        const std::string net = Amount(basis.totals.net);
        lines.push_back(Line(basis, draft, kind == "P" ? records::form::kMemo : kind, kMemoCode,
                             {base::Trim(draft.memo.quantity), draft.memo.description, net,
                              records::form::kMemo, net}));
        return lines;
    }
    for (const DraftLine& row : draft.lines) {
        if (!row.Stored()) continue;
        lines.push_back(Line(basis, draft, kind, row.code,
                             {base::Trim(row.quantity), row.description, base::Trim(row.price),
                              base::CutTo(row.taxed, 1), Amount(row.Extension())}));
    }
    return lines;
}

records::InvoiceMemoRecord BuildMemo(const InvoiceDraft& draft) {
    records::InvoiceMemoRecord memo;
    memo.setInvoiceNumber(base::Trim(draft.number));
    memo.setLines(MemoLines(draft.memo.text));
    return memo;
}

std::optional<base::Date> StoredDate(const records::InvoiceRecord& header,
                                     const records::CompanyRecord& company) {
    if (auto date = base::ParseDate(header.sortDate(), base::DateOrder::YearFirst)) return date;
    return base::ParseDate(header.date(), base::EntryDateOrder(company.dateFormat()));
}

InvoiceDraft DraftOf(const records::InvoiceRecord& header,
                     const std::vector<records::InvoiceLineRecord>& lines,
                     const std::optional<records::InvoiceMemoRecord>& memo,
                     const records::CompanyRecord& company,
                     const std::optional<records::CustomerRecord>& customer) {
    InvoiceDraft draft;
    draft.customer = base::Trim(header.customerNumber());
    draft.number = base::Trim(header.invoiceNumber());
    const std::optional<base::Date> date = StoredDate(header, company);
    draft.date =
        date ? base::FormatDate(*date, base::EntryDateOrder(company.dateFormat())) : header.date();
    draft.terms = header.terms();
    draft.notes = header.notes();
    draft.keyCode = header.keyCode();
    draft.statementNote = header.statementNote();
    draft.form = header.form() == records::form::kMemo ? InvoiceForm::Memo : InvoiceForm::Product;
    draft.tax =
        TaxBoxOnEdit({.taxSaved = !header.taxAmount().IsZero(),
                      .taxedLines = AnyLineTaxed(lines),
                      .companyTaxes = company.calculateTaxes(),
                      .customerExempt = customer && base::Trim(customer->taxExempt()) == "Y"});
    draft.paid = Amount(header.paidAmount());
    if (draft.form == InvoiceForm::Memo) {
        if (!lines.empty()) {
            const records::LineColumns columns = lines.front().columns();
            draft.memo.description = columns.description;
            draft.memo.quantity = columns.quantity;
        }
        draft.memo.net = Amount(header.netAmount());
        draft.memo.tax = Amount(header.taxAmount());
        std::vector<std::string> text = memo ? memo->lines() : std::vector<std::string>{};
        while (!text.empty() && base::Trim(text.back()).empty()) text.pop_back();
        for (size_t i = 0; i < text.size(); ++i) draft.memo.text += (i ? "\n" : "") + text[i];
        return draft;
    }
    for (const records::InvoiceLineRecord& line : lines) {
        const records::LineColumns columns = line.columns();
        draft.lines.push_back({base::Trim(line.productCode()), columns.quantity,
                               columns.description, columns.unitPrice, columns.taxMark});
    }
    return draft;
}

}  // namespace invoicing

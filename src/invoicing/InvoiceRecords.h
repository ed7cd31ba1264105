#pragma once
// The records an invoice draft is written as, and the draft an edit starts from: the header of
// the invoice file, one detail line per stored grid row (or the single "Memo" line of a memo
// invoice) and the memo record with the text.

#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "invoicing/InvoiceDraft.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceLineRecord.h"
#include "records/InvoiceMemoRecord.h"
#include "records/InvoiceRecord.h"

namespace invoicing {

// What the records of one invoice are made of besides the draft: its date read from the draft,
// its amounts, the customer and the company.
struct InvoiceBasis {
    base::Date date;
    InvoiceTotals totals;
    records::CustomerRecord customer;
    std::string companyCode;
};

// Writes the draft's values into `header` (a new record, or the stored one for an edit, whose
// type code and repeat fields stay): number upper-cased, the date in its four forms, the texts,
// the customer, the amounts "0.00" and the balance due. The paid flag and the date paid are set
// by the add or the edit.
void FillHeader(records::InvoiceRecord& header, const InvoiceDraft& draft,
                const InvoiceBasis& basis);

// The detail records of the draft, in grid order: one per stored row of a product invoice, or the
// single "Memo" line of a memo invoice (the memo quantity and description, the net as unit price
// and extension). `kind` is the line kind of a product line ("P", or "R" for a repeat master,
// whose memo line is "R" too).
std::vector<records::InvoiceLineRecord> BuildLines(const InvoiceDraft& draft,
                                                   const InvoiceBasis& basis,
                                                   const std::string& kind);

// The memo record: the number as typed and the first 25 lines of the word-wrapped text.
records::InvoiceMemoRecord BuildMemo(const InvoiceDraft& draft);

// The draft the entry window shows when an invoice is edited: the date in the company's date
// format from the stored month, day and year, the amounts "0.00", the rows from the detail
// records in their order or the memo text and line, and the tax box as `TaxBoxOnEdit` starts it
// for the invoice's customer (nothing when it is not on file).
InvoiceDraft DraftOf(const records::InvoiceRecord& header,
                     const std::vector<records::InvoiceLineRecord>& lines,
                     const std::optional<records::InvoiceMemoRecord>& memo,
                     const records::CompanyRecord& company,
                     const std::optional<records::CustomerRecord>& customer);

// The document date of a stored record: its sortable date, else its date text in the company's
// order; nothing when neither reads.
std::optional<base::Date> StoredDate(const records::InvoiceRecord& header,
                                     const records::CompanyRecord& company);

}  // namespace invoicing

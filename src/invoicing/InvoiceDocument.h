#pragma once
// One invoice as it leaves the program: on screen, on paper or by e-mail. It is assembled from the
// invoice record, its lines or memo, the customer and the company, and holds what every output
// shows, in record text (Windows-1252).

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Decimal.h"
#include "invoicing/InvoiceFiles.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceLineRecord.h"
#include "records/InvoiceMemoRecord.h"
#include "records/InvoiceRecord.h"

namespace invoicing {

// The copy being printed; an e-mail is always the invoice.
enum class DocumentKind { Invoice, PackingSlip, FileCopy };
// "INV", "PSL", "FCP" (case-insensitive); nothing for anything else.
std::optional<DocumentKind> ParseDocumentKind(std::string_view code);

// One invoice line as shown: the unit price with the decimals it was typed with and thousands
// separators, the extension with two decimals (a text that is no number stays as it is).
struct DocumentLine {
    std::string productCode;
    std::string quantity;
    std::string description;
    std::string unitPrice;
    std::string taxMark;
    std::string extension;
};

struct InvoiceDocument {
    std::array<std::string, 5> billTo;  // customer name, then billing lines 1-4
    std::array<std::string, 4> shipTo;
    std::string accountNumber;
    std::string number;
    std::string date;  // as entered
    std::string reference;
    std::string terms;
    base::Decimal net;
    base::Decimal tax;
    base::Decimal total;
    base::Decimal paid;  // what was received: total - balance due for a partly paid invoice
    base::Decimal balanceDue;
    std::string form;      // "P", "M", "D", "T"
    std::string typeCode;  // "I", "G", "R", "Z", ...
    bool printed = false;  // printed or e-mailed before: a copy now is a reprint
    bool printNotes = false;
    std::string customerNote;
    std::string paidDate;  // in the company's date order; empty while unpaid
    std::string customerEmail;
    std::vector<DocumentLine> lines;  // the lines that show anything, in stored order
    // The text of a memo invoice, or the deposit's one line; empty for a product invoice.
    std::vector<std::string> memo;
    std::array<base::Decimal, 4> aging;  // current, second, third, over the third limit

    bool IsMemo() const;
    bool IsCredit() const { return balanceDue.IsNegative(); }
    bool IsRepeatMaster() const;
    // A product invoice prints its table only when some line has a description.
    bool HasDescribedLine() const;
};

// The amount patterns every output shares: ",0.00".
std::string ShownAmount(base::Decimal amount);

InvoiceDocument AssembleDocument(const records::InvoiceRecord& invoice,
                                 const std::vector<records::InvoiceLineRecord>& lines,
                                 const std::optional<records::InvoiceMemoRecord>& memo,
                                 const records::CustomerRecord& customer,
                                 const records::CompanyRecord& company);

// Reads invoice `number`, its lines, its memo and its customer from the open files. A customer
// who is no longer on file leaves the address blocks empty. Nothing, with `failure` saying why,
// when the invoice is not on file or a file cannot be read.
std::optional<InvoiceDocument> LoadDocument(InvoiceFiles& files,
                                            const records::CompanyRecord& company,
                                            std::string_view number, std::string& failure);

}  // namespace invoicing

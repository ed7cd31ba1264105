#pragma once
// An invoice as the entry window holds it while it is written or changed: the typed texts of its
// header, its grid rows or its memo, and the arithmetic that turns them into amounts. Amounts are
// exact decimals rounded half away from zero to cents, so the row extensions, the totals and the
// stored amounts agree to the cent.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Decimal.h"
#include "records/CompanyRecord.h"

namespace invoicing {

inline constexpr int kMaxRows = 99;
// The widths of the amount fields of the invoice record and of a line's extension column.
inline constexpr int kAmountWidth = 10;

enum class InvoiceForm { Product, Memo };

// One grid row: product code, quantity, description, unit price and the "T" mark, as typed.
struct DraftLine {
    std::string code;
    std::string quantity;
    std::string description;
    std::string price;
    std::string taxed;

    // A fresh row: the company's default quantity, price "0.00", not taxed.
    static DraftLine Blank(const records::CompanyRecord& company);
    // A row that carries only text.
    static DraftLine Comment(std::string_view description);

    // A row is stored when it has a product code or a description.
    bool Stored() const;
    bool Taxed() const;
    // Quantity × unit price in cents; text that is not a number counts as zero.
    base::Decimal Extension() const;
};

// The text and the single amount line of a memo invoice.
struct DraftMemo {
    std::string text;  // paragraphs separated by line breaks
    std::string description;
    std::string quantity = "1";
    std::string net = "0.00";
    std::string tax = "0.00";
};

struct InvoiceDraft {
    std::string customer;  // customer number
    std::string number;
    std::string date;  // in the company's date format
    std::string terms;
    std::string notes;
    std::string keyCode = "None";
    std::string statementNote;
    InvoiceForm form = InvoiceForm::Product;
    std::vector<DraftLine> lines;  // grid rows 1.., at most 99
    DraftMemo memo;
    bool tax = true;  // "Calc. Tax at"
    std::string paid = "0.00";
    // The number is the company's proposal, not typed: when another desk takes it first, the
    // invoice is added under the next free number instead of being refused as a duplicate.
    bool numberProposed = false;
};

struct InvoiceTotals {
    base::Decimal net;
    base::Decimal tax;
    base::Decimal total;
    base::Decimal paid;
    base::Decimal balanceDue;
};

// What the tax box of a stored invoice starts from when it is edited.
struct SavedTaxing {
    bool taxSaved = false;      // the invoice was saved with a tax amount
    bool taxedLines = false;    // a saved row is marked taxed
    bool companyTaxes = false;  // the company calculates taxes
    bool customerExempt = false;
};

// Whether the tax box starts ticked on edit. Never for a tax-exempt customer; ticked when tax was
// saved. Taxed rows saved without tax mean the user took the tax off, so it stays off; an invoice
// without taxed rows follows the company, so rows marked taxed in the edit are taxed.
bool TaxBoxOnEdit(const SavedTaxing& saved);

// Quantity × price rounded to cents half away from zero (2.5 × 0.25 = 0.63).
base::Decimal Extension(std::string_view quantity, std::string_view price);

// The totals as the window shows them. A product invoice sums its rows' extensions, and taxes
// the rows marked "Y" at the company's rate while the tax box is ticked; a memo invoice takes the
// typed net and tax. Typed amounts are rounded to cents; text that is not a number counts as zero
// (the checks of OK refuse it before anything is written).
InvoiceTotals ComputeTotals(const InvoiceDraft& draft, const records::CompanyRecord& company);

// The typed text of an amount as a number in cents; nothing when it is not a number. An empty
// text is zero.
std::optional<base::Decimal> TypedAmount(std::string_view text);

// Whether the amount's "0.00" text fits a field `width` characters wide.
bool FitsField(base::Decimal amount, int width = kAmountWidth);

// The memo text in stored lines: each paragraph word-wrapped at 74 characters (a word longer
// than a line is split), an empty paragraph an empty line. Every line, not only the first 25.
std::vector<std::string> MemoLines(std::string_view text);

}  // namespace invoicing

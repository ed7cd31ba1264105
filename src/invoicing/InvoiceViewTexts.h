#pragma once
// What the "View Invoice" window shows of an invoice document: its caption, the line above the
// lines telling what kind of invoice it is, either the list of lines or the memo text, and the
// totals with their captions. Texts are record text (Windows-1252).

#include <array>
#include <string>
#include <vector>

#include "invoicing/InvoiceDocument.h"
#include "records/CompanyRecord.h"

namespace invoicing {

// Line number, product code, quantity, description, unit price, tax mark, extension.
using ViewRow = std::array<std::string, 7>;

struct ViewTotal {
    std::string caption;
    std::string amount;
};

struct InvoiceViewTexts {
    std::string caption;              // "View Invoice# 1001"
    std::string typeCaption;          // "Product Code Invoice", "** GENERATED BILLING **", ...
    bool showsMemo = false;           // the memo text instead of the list of lines
    std::vector<std::string> memo;    // up to the last line that holds anything
    ViewRow headers;                  // "#" and the company's column headings
    std::vector<ViewRow> rows;        // numbered "01", "02", ...
    std::array<ViewTotal, 5> totals;  // net, tax, total, paid, balance due
};

InvoiceViewTexts ViewTextsOf(const InvoiceDocument& document,
                             const records::CompanyRecord& company);

}  // namespace invoicing

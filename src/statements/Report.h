#pragma once
// A report of the Report Wizard as its routine builds it: the heading block and one row per
// selected record, each cell with the text the report shows and, for amounts, the exact value the
// totals add up. Texts are Windows-1252, as the records hold them; they become UTF-8 where they
// leave the program (the window, the saved files, the tool's output).

#include <optional>
#include <string>
#include <vector>

#include "base/Decimal.h"
#include "statements/ReportKinds.h"

namespace statements {

// How a column shows and orders its cells. Amounts and quantities are right-aligned on their
// decimal point and summed; counts (days, invoices created) order by their number.
enum class CellKind { Text, Date, Amount, Quantity, Count };

// Amounts, quantities and counts: right-aligned, and written as plain numbers in CSV.
inline bool IsNumber(CellKind kind) {
    return kind == CellKind::Amount || kind == CellKind::Quantity || kind == CellKind::Count;
}

struct ReportColumn {
    std::string heading;
    CellKind kind = CellKind::Text;
};

struct ReportCell {
    std::string text;
    // The value an amount, quantity or count stands for; what totals add and rows order by.
    std::optional<base::Decimal> value;
};

struct ReportRow {
    std::vector<ReportCell> cells;  // one per column, the record's type code last
};

struct Report {
    ReportKind kind = ReportKind::InvoiceRegister;
    std::string title;               // the report's name, the output window's title
    std::string company;             // the company's name
    std::string dateLine;            // "Date: " and when the report was made
    std::string selection;           // "Selected records from ... to ...", or the receivables' line
    std::vector<std::string> notes;  // more lines of the heading block, when there are any
    std::vector<ReportColumn> columns;
    std::vector<ReportRow> rows;
};

// The cell of an amount written ",0.00" (",0.000" for a quantity).
ReportCell AmountCell(base::Decimal value, CellKind kind = CellKind::Amount);
ReportCell CountCell(long long count, std::string_view suffix = {});
ReportCell TextCell(std::string text);

}  // namespace statements

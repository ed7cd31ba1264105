#pragma once
// The files a report is saved as: the plain text file (aligned columns, amounts with their
// thousands separators) and CSV for spreadsheets (one header row, then every grid row with its
// kind in a first column "row", amounts as plain numbers). Both UTF-8.

#include <string>
#include <string_view>

#include "statements/Report.h"
#include "statements/ReportGrid.h"

namespace statements {

// The title, the heading block and a line holding one space, then a line per grid row: every cell
// followed by one space, amounts padded on the left to 12, "Product Description" on the right to
// 32 and other cells on the right to 12 (a longer cell keeps all of its characters).
std::string ReportText(const Report& report, const ReportGrid& grid);

// "row" and the headings, then per row "item", "group", "month" or "grand" and its cells.
std::string ReportCsv(const ReportGrid& grid);

// Whether a saved file's name asks for CSV: it ends with ".CSV" in any case.
bool IsCsvFileName(std::string_view path);

}  // namespace statements

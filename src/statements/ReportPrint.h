#pragma once
// The report on paper: each page with its number, the date, the title and heading block and the
// column headings, amounts right-aligned on their decimal point, total rows set off, and
// "Continued on page n ..." at the foot of every page but the last.

#include <string>

#include "base/Canvas.h"
#include "statements/Report.h"
#include "statements/ReportGrid.h"

namespace statements {

// The Sales Report is printed across the page, the others upright.
bool PrintsLandscape(ReportKind kind);

// Draws the grid from the first page of a begun document; answers how many report rows (not
// totals) were printed.
int PrintReport(base::Canvas& canvas, const Report& report, const ReportGrid& grid,
                const base::FontChoice& font);

// "Report Complete. n records printed."
std::string PrintedStatus(int records);

}  // namespace statements

#pragma once
// The printed "Interest Charges Report" of an interest run: a heading with the page number, the
// time it was printed and what was charged, then one line per invoice made (customer name, number,
// overdue amount, charge, invoice) and the totals, "Continued on page " at each page's end.

#include <string>
#include <vector>

#include "base/Canvas.h"
#include "base/Clock.h"
#include "invoicing/InterestCharges.h"

namespace invoicing {

struct InterestReport {
    std::string invoiceDate;  // as the run dated its invoices
    InterestSettings settings;
    std::string overdueCaption;  // the column of the overdue amounts ("Over 30 Days")
    std::vector<InterestRow> rows;
    base::DateTime printed;
};

// " and charged 1.50 percent interest." or " and charged a flat rate of 5.00 as fee."
std::string InterestChargedText(const InterestSettings& settings);

// Draws the report as one document; false when no page could be started. `printedRows` gets
// the number of customer lines printed.
bool DrawInterestReport(base::Canvas& canvas, const InterestReport& report, int& printedRows);

// "Report Complete. 3 records printed."
std::string InterestReportStatus(int printedRows);

}  // namespace invoicing

#pragma once
// The texts the Company Manager shows: its browser's header and rows, and the company list as a
// report and as comma-separated values. Record text goes in and comes out unchanged (Windows-1252
// bytes).

#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "base/Decimal.h"

namespace company {

// The column header of the company browser: "Name", "Number" and "Balance" over their columns.
std::string CompanyBrowserHeader();

// One browser row: the name in 35 columns, the number in 6, the receivables total ",0.00" right
// aligned in 12; the whole row 128 characters wide.
std::string CompanyBrowserRow(std::string_view name, std::string_view number,
                              base::Decimal receivablesTotal);

struct CompanyListEntry {
    std::string name;
    std::string number;
    base::Decimal receivablesTotal;
};

// The company list report, lines ended by CR LF, companies in the given order; entries whose
// trimmed number is empty are left out.
std::string CompanyListReport(const std::vector<CompanyListEntry>& companies,
                              const base::DateTime& now);

// The same companies as comma-separated values for a spreadsheet: a header record, then the
// trimmed number, the name and the receivables total ("0.00") of each company with a number.
std::string CompanyListCsv(const std::vector<CompanyListEntry>& companies);

}  // namespace company

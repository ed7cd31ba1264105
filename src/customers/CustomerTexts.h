#pragma once
// The texts the Customer Manager shows and prints: its browser's header and rows, the customer
// list report, and the short name proposed for a new name. Record text (Windows-1252) goes in and
// comes out unchanged.

#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "records/CustomerRecord.h"

namespace customers {

// "Name", "Number", "Balance", "Last Pmt.", "Last Inv.", "Phone Number(s)" over their columns.
std::string CustomerBrowserHeader();
// Name in 35, the trimmed number in 8, the balance ",0.00" right-aligned in 12, the last payment
// date in 10, the last invoice in 9 and phone 1 in 25; 128 characters in all.
std::string CustomerBrowserRow(const records::CustomerRecord& customer);

// The customer list report, lines ended by CR LF and cut to 85 characters, customers in the given
// order; customers with an empty number are left out.
std::string CustomerListReport(std::string_view companyName,
                               const std::vector<records::CustomerRecord>& customers,
                               bool withAddresses, const base::DateTime& now);

// The same customers as comma-separated values for a spreadsheet: a header record, then one record
// per customer with a number; amounts "0.00" without separators (an amount that is no number
// stays as stored), flags "Y" or "N". With addresses, the four billing and four shipping lines
// follow.
std::string CustomerListCsv(const std::vector<records::CustomerRecord>& customers,
                            bool withAddresses);

// A name without a blank proposes its first 10 characters; otherwise its first character and up to
// 9 characters after the first blank ("John Smith" gives "JSmith").
std::string ProposeShortName(std::string_view name);

}  // namespace customers

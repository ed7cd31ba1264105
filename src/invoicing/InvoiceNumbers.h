#pragma once
// Invoice numbers: the number a new invoice is offered, and the company's next number after an
// invoice is written. With dated numbers an invoice number is the year's last two digits, the
// month and the running number ("2412105": December 2024, number 105).

#include <string>
#include <string_view>

#include "base/Clock.h"
#include "records/CompanyRecord.h"

namespace invoicing {

inline constexpr int kNumberWidth = 9;
inline constexpr int kDatePrefixWidth = 4;

// The company's next invoice number, prefixed with "yymm" of `invoiceDate` when the company uses
// dated numbers.
std::string ProposedInvoiceNumber(const records::CompanyRecord& company,
                                  const base::Date& invoiceDate);

// The company's next invoice number after `typed` was written: the typed number (with dated
// numbers, its characters 5 to 9) read as a whole number, plus one. `current` stays when that
// part is not a whole number, or when the number it proposes would not fit 9 characters.
std::string NextInvoiceNumber(std::string_view typed, bool datedNumbers, std::string_view current);

}  // namespace invoicing

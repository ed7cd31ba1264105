#include "invoicing/InvoiceNumbers.h"

#include <optional>

#include "base/Dates.h"
#include "base/Text.h"

namespace invoicing {

std::string ProposedInvoiceNumber(const records::CompanyRecord& company,
                                  const base::Date& invoiceDate) {
    const std::string next = base::Trim(company.nextInvoiceNumber());
    if (!company.yearMonthPrefix()) return next;
    const std::string sortable = base::SortableDate(invoiceDate);  // "yyyy/mm/dd"
    return sortable.substr(2, 2) + sortable.substr(5, 2) + next;
}

std::string NextInvoiceNumber(std::string_view typed, bool datedNumbers, std::string_view current) {
    const std::string number = base::Trim(typed);
    const std::string running =
        datedNumbers ? (number.size() > kDatePrefixWidth ? number.substr(kDatePrefixWidth) : "")
                     : number;
    // Digits only: a sign or blank inside would not be a running number.
    if (running.empty() || running.find_first_not_of("0123456789") != std::string::npos)
        return std::string(current);
    const std::optional<long long> value = base::ParseWholeNumber(running);
    if (!value) return std::string(current);
    const std::string next = std::to_string(*value + 1);
    const size_t room = datedNumbers ? kNumberWidth - kDatePrefixWidth : kNumberWidth;
    return next.size() <= room ? next : std::string(current);
}

}  // namespace invoicing

#include "company/CompanyList.h"

#include "base/Csv.h"
#include "base/Dates.h"
#include "base/Text.h"

namespace company {

namespace {

constexpr int kNameWidth = 35;
constexpr int kNumberWidth = 6;
constexpr int kBalanceWidth = 12;
constexpr int kRowWidth = 128;
constexpr char kLineEnd[] = "\r\n";

std::string Amount(base::Decimal total) {
    return total.Format(",0.00");
}

std::string Row(std::string_view name, std::string_view number, std::string_view balance) {
    std::string row = base::CutTo(base::PadRight(name, kNameWidth), kNameWidth);
    row += ' ';
    row += base::PadRight(number, kNumberWidth);
    row += ' ';
    row += base::PadLeft(balance, kBalanceWidth);
    return base::PadRight(row, kRowWidth);
}

std::string Rule() {
    return std::string(80, '-') + kLineEnd;
}

}  // namespace

std::string CompanyBrowserHeader() {
    return Row("Name", "Number", "Balance");
}

std::string CompanyBrowserRow(std::string_view name, std::string_view number,
                              base::Decimal receivablesTotal) {
    return Row(name, number, Amount(receivablesTotal));
}

std::string CompanyListReport(const std::vector<CompanyListEntry>& companies,
                              const base::DateTime& now) {
    std::string text = "Invorra Company List";
    text += kLineEnd;
    text += "Date: " + base::FormatLongDateTime(now) + kLineEnd;
    text += Rule();
    for (const CompanyListEntry& company : companies) {
        if (base::Trim(company.number).empty()) continue;
        std::string line = base::PadRight(company.name, kNameWidth);
        line += "    Number: " + base::PadRight(company.number, 5);
        line += "    A/R: " + base::PadRight(Amount(company.receivablesTotal), kBalanceWidth);
        text += base::CutTo(line, 85) + kLineEnd;
        text += Rule();
    }
    return text;
}

std::string CompanyListCsv(const std::vector<CompanyListEntry>& companies) {
    std::string csv = base::CsvRecord({"Number", "Name", "A/R"});
    for (const CompanyListEntry& company : companies) {
        const std::string number = base::Trim(company.number);
        if (number.empty()) continue;
        csv += base::CsvRecord({number, company.name, company.receivablesTotal.Format("0.00")});
    }
    return csv;
}

}  // namespace company

#include "products/ProductTexts.h"

#include "base/Csv.h"
#include "base/Dates.h"
#include "base/Decimal.h"
#include "base/Text.h"

namespace products {
namespace {

constexpr int kReportWidth = 85;
constexpr char kLineEnd[] = "\r\n";

std::string Row(std::string_view code, std::string_view description, std::string_view price,
                std::string_view setupDate) {
    return base::PadRight(code, 10) + ' ' + base::CutTo(base::PadRight(description, 32), 32) + ' ' +
           base::PadLeft(price, 12) + ' ' + base::PadRight(setupDate, 10);
}

std::string Price(const records::ProductRecord& product) {
    return product.priceAmount().Format(",0.00");
}

void AddLine(std::string& text, std::string_view line) {
    text += base::CutTo(line, kReportWidth);
    text += kLineEnd;
}

}  // namespace

std::string ProductBrowserHeader() {
    return Row("Code", "Description", "Sales Price", "Setup Date");
}

std::string ProductBrowserRow(const records::ProductRecord& p) {
    return Row(p.code(), base::Trim(p.description()), Price(p), p.setupDate());
}

std::string ProductListReport(std::string_view companyName,
                              const std::vector<records::ProductRecord>& products,
                              const base::DateTime& now) {
    const std::string rule(80, '-');
    std::string text;
    AddLine(text, "Product List for " + std::string(companyName));
    AddLine(text, "Date: " + base::FormatLongDateTime(now));
    AddLine(text, rule);
    for (const records::ProductRecord& p : products) {
        if (base::Trim(p.description()).empty()) continue;
        AddLine(text, base::PadRight(p.description(), 32) +
                          "    Code: " + base::PadRight(p.code(), 10) +
                          "    Price: " + base::PadRight(Price(p), 12));
        AddLine(text, "Setup Date: " + base::PadRight(p.setupDate(), 10) +
                          "      Last Modified: " + base::PadRight(p.lastChangedDate(), 10) +
                          "   Taxed: " + (p.taxable() ? "Y" : "N"));
        AddLine(text, rule);
    }
    return text;
}

std::string ProductListCsv(const std::vector<records::ProductRecord>& products) {
    std::string csv = base::CsvRecord(
        {"Code", "Description", "Sales Price", "Taxable", "Setup Date", "Last Changed", "Notes"});
    for (const records::ProductRecord& p : products) {
        if (base::Trim(p.description()).empty()) continue;
        csv += base::CsvRecord({base::Trim(p.code()), base::Trim(p.description()),
                                base::Trim(p.price()), p.taxable() ? "Y" : "N",
                                base::Trim(p.setupDate()), base::Trim(p.lastChangedDate()),
                                base::Trim(p.notes())});
    }
    return csv;
}

}  // namespace products

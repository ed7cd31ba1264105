#include "invoicing/InvoiceDraft.h"

#include "base/Text.h"
#include "records/InvoiceMemoRecord.h"

namespace invoicing {

DraftLine DraftLine::Blank(const records::CompanyRecord& company) {
    return {"", base::Trim(company.defaultQuantity()), "", "0.00", "N"};
}

DraftLine DraftLine::Comment(std::string_view description) {
    return {"", " ", std::string(description), "", " "};
}

bool DraftLine::Stored() const {
    return !base::Trim(code).empty() || !base::Trim(description).empty();
}

bool DraftLine::Taxed() const {
    return base::Trim(taxed) == "Y" || base::Trim(taxed) == "y";
}

base::Decimal DraftLine::Extension() const {
    return invoicing::Extension(quantity, price);
}

bool TaxBoxOnEdit(const SavedTaxing& saved) {
    if (saved.customerExempt) return false;
    if (saved.taxSaved) return true;
    return !saved.taxedLines && saved.companyTaxes;
}

base::Decimal Extension(std::string_view quantity, std::string_view price) {
    return (base::Decimal::ParseOrZero(quantity) * base::Decimal::ParseOrZero(price)).Rounded(2);
}

InvoiceTotals ComputeTotals(const InvoiceDraft& draft, const records::CompanyRecord& company) {
    InvoiceTotals totals;
    if (draft.form == InvoiceForm::Memo) {
        totals.net = base::Decimal::ParseOrZero(draft.memo.net).Rounded(2);
        totals.tax = base::Decimal::ParseOrZero(draft.memo.tax).Rounded(2);
    } else {
        base::Decimal taxable;
        for (const DraftLine& line : draft.lines) {
            const base::Decimal extension = line.Extension();
            totals.net += extension;
            if (line.Taxed()) taxable += extension;
        }
        if (draft.tax) {
            const base::Decimal rate = base::Decimal::ParseOrZero(company.taxRate());
            totals.tax = (taxable * rate).DividedBy(base::Decimal::FromInteger(100))->Rounded(2);
        }
    }
    totals.paid = base::Decimal::ParseOrZero(draft.paid).Rounded(2);
    totals.total = totals.net + totals.tax;
    totals.balanceDue = totals.total - totals.paid;
    return totals;
}

std::optional<base::Decimal> TypedAmount(std::string_view text) {
    if (base::Trim(text).empty()) return base::Decimal();
    const auto amount = base::Decimal::Parse(text);
    if (!amount) return std::nullopt;
    return amount->Rounded(2);
}

bool FitsField(base::Decimal amount, int width) {
    return static_cast<int>(amount.Format("0.00").size()) <= width;
}

std::vector<std::string> MemoLines(std::string_view text) {
    constexpr size_t kWidth = records::InvoiceMemoRecord::kLineLength;
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        std::string_view rest = text.substr(start, end - start);
        if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
        // Breaks at the last blank that leaves the line at most 74 long; the blank goes.
        while (rest.size() > kWidth) {
            const size_t blank = rest.rfind(' ', kWidth);
            const size_t cut = blank == std::string_view::npos || blank == 0 ? kWidth : blank;
            lines.emplace_back(rest.substr(0, cut));
            rest.remove_prefix(cut == blank ? cut + 1 : cut);
        }
        lines.emplace_back(rest);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

}  // namespace invoicing

#include "customers/CustomerTexts.h"

#include "base/Dates.h"
#include "base/Decimal.h"
#include "base/Text.h"

namespace customers {
namespace {

constexpr int kRowWidth = 128;
constexpr int kReportWidth = 85;
constexpr char kLineEnd[] = "\r\n";

std::string Shown(base::Decimal amount) {
    return amount.Format(",0.00");
}

std::string Pad(std::string_view text, int width) {
    return base::PadRight(text, width);
}

std::string Row(std::string_view name, std::string_view number, std::string_view balance,
                std::string_view lastPayment, std::string_view lastInvoice,
                std::string_view phone) {
    std::string row = base::CutTo(Pad(name, 35), 35);
    row += ' ' + Pad(number, 8) + ' ' + base::PadLeft(balance, 12) + ' ' + Pad(lastPayment, 10) +
           ' ' + Pad(lastInvoice, 9) + ' ' + Pad(phone, 25);
    return base::CutTo(Pad(row, kRowWidth), kRowWidth);
}

void AddLine(std::string& text, std::string_view line) {
    text += base::CutTo(line, kReportWidth);
    text += kLineEnd;
}

}  // namespace

std::string CustomerBrowserHeader() {
    return Row("Name", "Number", "Balance", "Last Pmt.", "Last Inv.", "Phone Number(s)");
}

std::string CustomerBrowserRow(const records::CustomerRecord& c) {
    return Row(c.name(), base::Trim(c.number()), Shown(c.balanceAmount()), c.lastPaymentDate(),
               c.lastInvoiceNumber(), c.phone1());
}

std::string CustomerListReport(std::string_view companyName,
                               const std::vector<records::CustomerRecord>& customers,
                               bool withAddresses, const base::DateTime& now) {
    const std::string rule(80, '-');
    std::string text;
    AddLine(text, "Customer List for " + std::string(companyName));
    AddLine(text, "Date: " + base::FormatLongDateTime(now));
    AddLine(text, rule);
    for (const records::CustomerRecord& c : customers) {
        if (base::Trim(c.number()).empty()) continue;
        AddLine(text, Pad(c.name(), 35) + "     Number: " + Pad(c.number(), 8) +
                          "    Balance: " + Shown(c.balanceAmount()));
        AddLine(text, "Short Name: " + Pad(c.shortName(), 10) + "    Type: " +
                          Pad(c.customerType(), 25) + "   Last Pmt: " + c.lastPaymentDate());
        AddLine(text, "Credit Limit: " + Pad(Shown(c.creditLimitAmount()), 12) + "    Last Invoice: " +
                          Pad(c.lastInvoiceNumber(), 10) + "   Tax Exempt: " + c.taxExempt());
        AddLine(text, "Phone1: " + Pad(c.phone1(), 25) + "     Phone2: " + c.phone2());
        AddLine(text, "");
        if (withAddresses) {
            AddLine(text, Pad("Billing Address:", 35) + "     Shipping Address:");
            const std::string billing[] = {c.billing1(), c.billing2(), c.billing3(), c.billing4()};
            const std::string shipping[] = {c.shipping1(), c.shipping2(), c.shipping3(),
                                            c.shipping4()};
            for (int i = 0; i < 4; ++i) AddLine(text, Pad(billing[i], 35) + "     " + shipping[i]);
        }
        AddLine(text, rule);
    }
    return text;
}

std::string ProposeShortName(std::string_view typed) {
    const std::string name = base::Trim(typed);
    const size_t blank = name.find(' ');
    if (blank == std::string::npos) return name.substr(0, 10);
    return name.substr(0, 1) + name.substr(blank + 1, 9);
}

}  // namespace customers

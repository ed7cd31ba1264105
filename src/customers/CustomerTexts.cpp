#include "customers/CustomerTexts.h"

#include "base/Csv.h"
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
        AddLine(text, "Credit Limit: " + Pad(Shown(c.creditLimitAmount()), 12) +
                          "    Last Invoice: " + Pad(c.lastInvoiceNumber(), 10) +
                          "   Tax Exempt: " + c.taxExempt());
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

std::string CustomerListCsv(const std::vector<records::CustomerRecord>& customers,
                            bool withAddresses) {
    std::vector<std::string> header = {"Number",   "Name",         "Short Name", "Type",
                                       "Balance",  "Credit Limit", "Terms",      "Tax Exempt",
                                       "Phone1",   "Phone2",       "E-Mail",     "Credit Hold",
                                       "Last Pmt", "Last Invoice"};
    if (withAddresses) {
        for (const char* side : {"Billing", "Shipping"})
            for (int line = 1; line <= 4; ++line)
                header.push_back(std::string(side) + " " + std::to_string(line));
    }
    std::string csv = base::CsvRecord(header);
    const auto amount = [](std::string_view stored) {
        const auto value = base::Decimal::Parse(base::RemoveCommas(base::Trim(stored)));
        return value ? value->Format("0.00") : std::string(stored);
    };
    for (const records::CustomerRecord& c : customers) {
        if (base::Trim(c.number()).empty()) continue;
        std::vector<std::string> fields = {base::Trim(c.number()),
                                           c.name(),
                                           c.shortName(),
                                           c.customerType(),
                                           amount(c.balance()),
                                           amount(c.creditLimit()),
                                           c.terms(),
                                           c.taxExempt(),
                                           c.phone1(),
                                           c.phone2(),
                                           c.email(),
                                           c.creditHold() ? "Y" : "N",
                                           c.lastPaymentDate(),
                                           c.lastInvoiceNumber()};
        if (withAddresses) {
            for (const std::string& line :
                 {c.billing1(), c.billing2(), c.billing3(), c.billing4(), c.shipping1(),
                  c.shipping2(), c.shipping3(), c.shipping4()})
                fields.push_back(line);
        }
        csv += base::CsvRecord(fields);
    }
    return csv;
}

std::string ProposeShortName(std::string_view typed) {
    const std::string name = base::Trim(typed);
    const size_t blank = name.find(' ');
    if (blank == std::string::npos) return name.substr(0, 10);
    return name.substr(0, 1) + name.substr(blank + 1, 9);
}

}  // namespace customers

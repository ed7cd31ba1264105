#include "company/CompanyOptionsCheck.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "base/Text.h"

namespace company {

const char* CompanyOptionsHelpTopic(CompanyOptionsPage page) {
    switch (page) {
        case CompanyOptionsPage::AddressTaxes:
            return "CompanyAddress";
        case CompanyOptionsPage::EMail:
            return "EMMode";
        case CompanyOptionsPage::EnvelopesAging:
            return "prnenv";
        case CompanyOptionsPage::FormsSetup:
            return "formlayout";
        case CompanyOptionsPage::General:
            return "GeneralOpts";
        case CompanyOptionsPage::Invoices:
            return "invoptions";
        case CompanyOptionsPage::SalesMessage:
            return "SalesMsg";
        case CompanyOptionsPage::SystemGraphics:
            return "SysGraphics";
    }
    return "Company";
}

namespace {

long long AgingDays(std::string& field) {
    if (field.empty()) field = "0";
    return base::ParseWholeNumber(field).value_or(0);
}

constexpr long long kHighestCompanyNumber = 32000;

// The number becomes the prefix of the company's file names, so only digits will do: a sign or
// an inner blank would name other files ("+5C.DAT"). Anything past the highest number counts as
// one more than it, so a long run of digits is out of range rather than overflowing.
std::optional<long long> CompanyNumberValue(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    long long value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), kHighestCompanyNumber + 1);
    }
    return value;
}

}  // namespace

CompanyOptionsVerdict CheckCompanyOptions(
    CompanyOptionsFields fields, bool adding,
    const std::function<bool(const std::string& number)>& numberTaken) {
    CompanyOptionsVerdict verdict;
    auto fail = [&](const char* caption, const char* text, CompanyOptionsPage page,
                    const char* control) {
        verdict.failures.push_back({caption, text, page, control});
    };

    // The first three checks each end the check: later ones would only repeat the complaint.
    if (!fields.email.empty() && fields.email.find('@') == std::string::npos) {
        fail("Company E-Mail Address",
             "Your company e-mail address does not have the @ sign included. Bad e-mail address.",
             CompanyOptionsPage::EMail, "CEmailAdd");
    } else if (base::Trim(fields.name).empty()) {
        fail("Invalid Company Name", "A company name is required.",
             CompanyOptionsPage::AddressTaxes, "CName");
    } else {
        // Blanks around the number are dropped here, so the field shows what is stored.
        fields.number = base::Trim(fields.number);
        if (fields.number.empty()) fields.number = "0";
        const auto number = CompanyNumberValue(fields.number);
        if (!number) {
            fail("Invalid Company Number",
                 "The company number field is numeric and valid values are 1 to 32000.",
                 CompanyOptionsPage::AddressTaxes, "CoNumb");
        } else {
            if (*number < 1 || *number > kHighestCompanyNumber) {
                fail("Invalid Company Number", "The Company number must be between 0 and 32001.",
                     CompanyOptionsPage::AddressTaxes, "CoNumb");
            }
            if (adding && numberTaken(fields.number)) {
                fail("Company Number", "This Company number already exists. Enter another number.",
                     CompanyOptionsPage::AddressTaxes, "CoNumb");
            }
            const long long days1 = AgingDays(fields.aging1);
            const long long days2 = AgingDays(fields.aging2);
            const long long days3 = AgingDays(fields.aging3);
            if (days2 < days1 + 2) {
                fail("Aging Category 2",
                     "The aging days for category 2 must be greater than category 1 by at least 2 "
                     "days.",
                     CompanyOptionsPage::EnvelopesAging, "CAVal2");
            }
            if (days3 < days2 + 2) {
                fail("Aging Category 3",
                     "The aging days for category 3 must be greater than category 2 by at least 2 "
                     "days.",
                     CompanyOptionsPage::EnvelopesAging, "CAVal3");
            }
        }
    }
    verdict.fields = std::move(fields);
    return verdict;
}

void NormaliseCompanyOptions(records::CompanyRecord& record) {
    const std::string copies = record.numberOfCopies();
    if (copies < "2" || copies > "5") record.setNumberOfCopies("1");
    if (record.moveAddressesRight().empty()) record.setMoveAddressesRight("0");
    if (!record.printLogo()) record.setLogoBitmap("");
}

}  // namespace company

// age DIR [--company CODE] --as-of YYYY-MM-DD [--csv]: each customer's four aging categories and
// balance as they stood on a day, with the company's totals. Reads only.

#include <cstdio>
#include <optional>
#include <string>

#include "base/Csv.h"
#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "receivables/AgingReport.h"
#include "tool/CompanyOptions.h"
#include "tool/PostPrompts.h"

namespace tool {
namespace {

std::vector<std::string> Headings(const receivables::AgingLimits& limits) {
    const auto n = [](long days) { return std::to_string(days); };
    return {"Number",
            "Name",
            "0-" + n(limits.days1),
            n(limits.days1 + 1) + "-" + n(limits.days2),
            n(limits.days2 + 1) + "-" + n(limits.days3),
            "Over " + n(limits.days3),
            "Balance"};
}

// The cells in record text (Windows-1252), so plain output pads them by characters, as the list
// report does, before the line becomes UTF-8.
std::vector<std::string> Row(std::string_view number, std::string_view name,
                             const receivables::AgingSums& sums) {
    std::vector<std::string> row{base::Trim(number), base::Trim(name)};
    for (const base::Decimal& amount : sums.categories) row.push_back(amount.Format("0.00"));
    row.push_back(sums.Total().Format("0.00"));
    return row;
}

void Print(const std::vector<std::string>& row, bool csv) {
    if (csv) {
        std::fputs(base::Win1252ToUtf8(base::CsvRecord(row)).c_str(), stdout);
        return;
    }
    const std::string names = base::PadRight(row[0], 8) + "  " + base::PadRight(row[1], 35);
    std::fputs(base::Win1252ToUtf8(names).c_str(), stdout);
    // Amounts are plain ASCII, and a wide one keeps every digit.
    for (size_t i = 2; i < row.size(); ++i) std::printf("  %12s", row[i].c_str());
    std::printf("\n");
}

int Fail(const PostPrompts& prompts, const std::string& text) {
    for (const RecordedPrompt& p : prompts.shown())
        std::fprintf(stderr, "%s: %s\n", p.caption.c_str(), p.text.c_str());
    std::fprintf(stderr, "%s\n", text.c_str());
    return 1;
}

}  // namespace

int AgeCommand(const Args& args) {
    const std::optional<CompanyOptions> options = ParseCompanyOptions(args, {"--csv"}, {"--as-of"});
    const std::optional<base::Date> asOf = options && options->values.contains("--as-of")
                                               ? ParseCommandDate(options->values.at("--as-of"))
                                               : std::nullopt;
    if (!options || options->words.size() != 1 || !asOf) {
        std::fputs("usage: kt-invorra-tool age DIR [--company CODE] --as-of YYYY-MM-DD [--csv]\n",
                   stderr);
        return 2;
    }
    const bool csv = options->has("--csv");
    engine::Engine engine;
    const std::optional<std::string> code = EnterCompany(engine, *options);
    if (!code) return 2;
    // Nobody answers, and a question (such as a rebuild) is answered No: this command writes
    // nothing.
    PostPrompts prompts(false);
    const std::optional<records::CompanyRecord> company = ReadCompanyOnFile(engine, prompts, *code);
    if (!company) return Fail(prompts, "No company " + *code + " in the company file");
    const std::optional<receivables::AgingLimits> limits = receivables::ReadAgingLimits(*company);
    if (!limits) return Fail(prompts, receivables::kBadAgingDaysText);
    const std::optional<receivables::AgingReport> report =
        receivables::AgingAsOf(engine, prompts, company->code(), *limits,
                               base::ShortDateOrder(company->dateFormat()), *asOf);
    engine.ExitEngine();
    if (!report) return Fail(prompts, "The aging could not be read");

    Print(Headings(*limits), csv);
    for (const receivables::CustomerAging& customer : report->customers)
        Print(Row(customer.number, customer.name, customer.sums), csv);
    Print(Row("Total", "", report->totals), csv);
    return 0;
}

}  // namespace tool

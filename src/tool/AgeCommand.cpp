// age DIR [--company CODE] --as-of YYYY-MM-DD [--csv]: each customer's four aging categories and
// balance as they stood on a day, with the company's totals. Reads only.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "base/Csv.h"
#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/CompanyFile.h"
#include "company/LastCompany.h"
#include "receivables/AgingReport.h"
#include "tool/Commands.h"
#include "tool/PostPrompts.h"

namespace tool {
namespace {

struct AgeOptions {
    std::string dir;
    std::optional<std::string> company;
    base::Date asOf;
    bool csv = false;
};

std::optional<AgeOptions> ParseOptions(const Args& args) {
    if (args.empty()) return std::nullopt;
    AgeOptions options{args[0], {}, {}, false};
    std::optional<base::Date> asOf;
    for (size_t i = 1; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--company" && hasValue) {
            options.company = args[++i];
        } else if (args[i] == "--as-of" && hasValue) {
            std::string date = args[++i];
            std::replace(date.begin(), date.end(), '-', '/');
            asOf = base::ParseDate(date, base::DateOrder::YearFirst);
            if (!asOf) return std::nullopt;
        } else if (args[i] == "--csv") {
            options.csv = true;
        } else {
            return std::nullopt;
        }
    }
    if (!asOf) return std::nullopt;
    options.asOf = *asOf;
    return options;
}

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

std::vector<std::string> Row(std::string_view number, std::string_view name,
                             const receivables::AgingSums& sums) {
    std::vector<std::string> row{base::Win1252ToUtf8(base::Trim(number)),
                                 base::Win1252ToUtf8(base::Trim(name))};
    for (const base::Decimal& amount : sums.categories) row.push_back(amount.Format("0.00"));
    row.push_back(sums.Total().Format("0.00"));
    return row;
}

void Print(const std::vector<std::string>& row, bool csv) {
    if (csv) {
        std::fputs(base::CsvRecord(row).c_str(), stdout);
        return;
    }
    std::printf("%-8s  %-35s", row[0].c_str(), row[1].c_str());
    for (size_t i = 2; i < row.size(); ++i) std::printf("  %12s", row[i].c_str());
    std::printf("\n");
}

// The company on file, read without being changed.
std::optional<records::CompanyRecord> ReadCompany(engine::Engine& engine, PostPrompts& prompts,
                                                  const std::string& code) {
    company::CompanyFile file(engine, prompts);
    if (!file.file().OpenReadOnly()) return std::nullopt;
    auto found = file.Find(code);
    if (!file.Close() || !found) return std::nullopt;
    return found->second;
}

int Fail(const PostPrompts& prompts, const std::string& text) {
    for (const RecordedPrompt& p : prompts.shown())
        std::fprintf(stderr, "%s: %s\n", p.caption.c_str(), p.text.c_str());
    std::fprintf(stderr, "%s\n", text.c_str());
    return 1;
}

}  // namespace

int AgeCommand(const Args& args) {
    const std::optional<AgeOptions> options = ParseOptions(args);
    if (!options) {
        std::fputs("usage: kt-invorra-tool age DIR [--company CODE] --as-of YYYY-MM-DD [--csv]\n",
                   stderr);
        return 2;
    }
    if (chdir(options->dir.c_str()) != 0) {
        std::fprintf(stderr, "cannot open the data folder %s\n", options->dir.c_str());
        return 2;
    }
    engine::Engine engine;
    std::string code = options->company.value_or("");
    if (!options->company) {
        records::CompanyRecord last;
        if (!company::ReadLastCompany(engine.fileSystem(), last)) {
            std::fprintf(stderr, "no company given and %s cannot be read\n",
                         company::kLastCompanyFile);
            return 2;
        }
        code = last.code();
    }
    engine.InitEngine(0, 30);
    // Nobody answers, and a question (such as a rebuild) is answered No: this command writes
    // nothing.
    PostPrompts prompts(false);
    const std::optional<records::CompanyRecord> company = ReadCompany(engine, prompts, code);
    if (!company) return Fail(prompts, "No company " + code + " in the company file");
    const std::optional<receivables::AgingLimits> limits = receivables::ReadAgingLimits(*company);
    if (!limits) return Fail(prompts, receivables::kBadAgingDaysText);
    const std::optional<receivables::AgingReport> report =
        receivables::AgingAsOf(engine, prompts, company->code(), *limits,
                               base::ShortDateOrder(company->dateFormat()), options->asOf);
    engine.ExitEngine();
    if (!report) return Fail(prompts, "The aging could not be read");

    Print(Headings(*limits), options->csv);
    for (const receivables::CustomerAging& customer : report->customers)
        Print(Row(customer.number, customer.name, customer.sums), options->csv);
    Print(Row("Total", "", report->totals), options->csv);
    return 0;
}

}  // namespace tool

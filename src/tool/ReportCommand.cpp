// report DIR KIND [--from DATE --to DATE | --preset NAME] [--sort N] [--no-subtotals]
// [--csv | --txt] [--company CODE] [--today DATE]: one report of the Report Wizard as the text
// file it saves, or as CSV, on standard output. Nothing in the data folder is written.

#include <cctype>
#include <cstdio>
#include <optional>
#include <string>

#include "base/Text.h"
#include "statements/ReportFiles.h"
#include "statements/ReportGrid.h"
#include "statements/ReportRun.h"
#include "tool/CompanyOptions.h"
#include "tool/PostPrompts.h"

namespace tool {
namespace {

constexpr char kUsage[] =
    "usage: kt-invorra-tool report DIR KIND [--from DATE --to DATE | --preset NAME] [--sort N]\n"
    "           [--no-subtotals] [--csv | --txt] [--company CODE] [--today YYYY-MM-DD]\n"
    "  KIND: invoice-register, payment-register, receivables, sales, key-code, tax, repeat-list\n"
    "  DATE: YYYY-MM-DD or as the company types dates; NAME: a preset such as last-30-days\n";
constexpr char kDefaultPreset[] = "Month to Date";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

// "last-12-months" or "Last 12 Months"; nothing for "Custom Dates" and unknown names.
std::optional<std::string_view> PresetNamed(std::string name) {
    for (char& c : name) c = c == '-' ? ' ' : static_cast<char>(std::tolower(c));
    for (std::string_view preset : statements::DatePresets()) {
        std::string lower(preset);
        for (char& c : lower) c = static_cast<char>(std::tolower(c));
        if (lower == name && preset != statements::kCustomDates) return preset;
    }
    return std::nullopt;
}

// A date of the command line as the company types it; a "YYYY-MM-DD" date is rewritten so.
std::string TypedDate(const std::string& text, base::DateOrder order) {
    if (text.find('-') == std::string::npos) return text;
    const std::optional<base::Date> date = ParseCommandDate(text);
    return date ? base::FormatDate(*date, order) : text;
}

struct DateTexts {
    std::string from, to;
};

// The From and To texts the options give, or the preset's; nothing (after saying why) when the
// options contradict each other or name no preset.
std::optional<DateTexts> RangeTexts(const CompanyOptions& options, const base::Date& today,
                                    base::DateOrder order) {
    const bool from = options.values.contains("--from"), to = options.values.contains("--to");
    const bool preset = options.values.contains("--preset");
    if (from != to || (from && preset)) return std::nullopt;
    if (from)
        return DateTexts{TypedDate(options.values.at("--from"), order),
                         TypedDate(options.values.at("--to"), order)};
    const std::optional<std::string_view> name =
        preset ? PresetNamed(options.values.at("--preset")) : kDefaultPreset;
    if (!name) {
        std::fprintf(stderr, "report: no date preset %s\n", options.values.at("--preset").c_str());
        return std::nullopt;
    }
    const statements::DateRange range = *statements::PresetRange(*name, today);
    return DateTexts{base::FormatDate(range.from, order), base::FormatDate(range.to, order)};
}

// The report column to order by, from 1; nothing when --sort names one the report cannot be
// ordered by.
std::optional<int> SortColumn(const CompanyOptions& options, statements::ReportKind kind) {
    if (!options.values.contains("--sort")) return 1;
    const std::optional<long long> column = base::ParseWholeNumber(options.values.at("--sort"));
    const int highest = statements::InfoOf(kind).highestSortColumn + 1;
    if (!column || *column < 1 || *column > highest) {
        std::fprintf(stderr, "report: the %s can be ordered on columns 1 to %d\n",
                     std::string(statements::InfoOf(kind).name).c_str(), highest);
        return std::nullopt;
    }
    return static_cast<int>(*column);
}

}  // namespace

int ReportCommand(const Args& args) {
    const std::optional<CompanyOptions> options = ParseCompanyOptions(
        args, {"--no-subtotals", "--csv", "--txt"}, {"--from", "--to", "--preset", "--sort"});
    const std::optional<statements::ReportKind> kind =
        options && options->words.size() == 2 ? statements::ReportKindNamed(options->words[1])
                                              : std::nullopt;
    if (!kind || (options->has("--csv") && options->has("--txt"))) return Usage();
    const std::optional<int> sort = SortColumn(*options, *kind);
    if (!sort) return 2;

    engine::Engine engine;
    const std::optional<std::string> code = EnterCompany(engine, *options);
    if (!code) return 2;
    // Nobody answers, and a question (such as a rebuild) is answered No: this command writes
    // nothing.
    PostPrompts prompts(false);
    const std::optional<records::CompanyRecord> company = ReadCompanyOnFile(engine, prompts, *code);
    if (!company) {
        engine.ExitEngine();
        std::fprintf(stderr, "no company %s in the company file\n", code->c_str());
        return 2;
    }
    const CommandClock clock(options->today);
    const base::DateOrder order = base::EntryDateOrder(company->dateFormat());
    const std::optional<DateTexts> texts = RangeTexts(*options, clock.clock().Today(), order);
    if (!texts) {
        engine.ExitEngine();
        return Usage();
    }
    const statements::DateCheck check = statements::CheckReportDates(texts->from, texts->to, order);
    if (check.refusal) {
        engine.ExitEngine();
        std::fprintf(stderr, "%s: %s\n", check.refusal->caption.c_str(),
                     check.refusal->text.c_str());
        return 2;
    }
    const statements::ReportResult result = statements::RunReport(
        engine, prompts, {*kind, *check.range, clock.clock().Now(), *company});
    engine.ExitEngine();
    if (!result.report) {
        std::fprintf(stderr, "%s\n", result.message->text.c_str());
        return 1;
    }
    const statements::ReportGrid grid(*result.report, *sort - 1, !options->has("--no-subtotals"));
    const std::string output = options->has("--csv") ? statements::ReportCsv(grid)
                                                     : statements::ReportText(*result.report, grid);
    std::fwrite(output.data(), 1, output.size(), stdout);
    return 0;
}

}  // namespace tool

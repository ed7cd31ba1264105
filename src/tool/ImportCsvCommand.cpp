// import-csv DIR customers|products FILE [--dry-run] [--company CODE] [--today YYYY-MM-DD]:
// customers or products from a spreadsheet's CSV file, checked row by row with the dialogs'
// rules. Every refused row is printed with its line and reason, and then nothing is written; with
// --dry-run nothing is written either way. Exit 0 when every row passed (and was imported), 1 when
// rows were refused or the file could not be used, 2 on a usage error.

#include <cstdio>
#include <fstream>
#include <iterator>

#include "base/Windows1252.h"
#include "company/ProgramState.h"
#include "maintenance/CsvImport.h"
#include "tool/CompanyOptions.h"
#include "tool/ConsolePrompts.h"

namespace tool {

int ImportCsvCommand(const Args& args) {
    const auto options = ParseCompanyOptions(args, {"--dry-run"});
    if (!options || options->words.size() != 3 ||
        (options->words[1] != "customers" && options->words[1] != "products")) {
        std::fputs(
            "usage: kt-invorra-tool import-csv DIR customers|products FILE [--dry-run] "
            "[--company CODE]\n",
            stderr);
        return 2;
    }
    const auto kind = options->words[1] == "customers" ? maintenance::CsvImportKind::Customers
                                                       : maintenance::CsvImportKind::Products;
    std::ifstream in(options->words[2], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", options->words[2].c_str());
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    engine::Engine engine;
    const std::optional<std::string> code = EnterCompany(engine, *options);
    if (!code) return 1;
    ConsolePrompts prompts;
    const CommandClock commandClock(options->today);
    company::ProgramState state;
    const auto company = ReadCompanyOnFile(engine, prompts, *code);
    if (!company) {
        std::fprintf(stderr, "No company %s in the company file\n", code->c_str());
        return 1;
    }
    state.currentCompany = *company;
    state.ApplyDateFormat(commandClock.clock());
    const maintenance::CsvImportOutcome outcome = maintenance::ImportCsv(
        engine, prompts, state, commandClock.clock(), kind, text, options->has("--dry-run"));
    engine.ExitEngine();
    if (!outcome.failure.empty()) {
        std::printf("%s\n", base::Win1252ToUtf8(outcome.failure).c_str());
        return 1;
    }
    for (const maintenance::RefusedRow& row : outcome.refused)
        std::printf("line %d: %s\n", row.line, base::Win1252ToUtf8(row.reason).c_str());
    if (!outcome.refused.empty()) {
        std::printf("%zu of %d rows refused; nothing was imported.\n", outcome.refused.size(),
                    outcome.rows);
        return 1;
    }
    if (options->has("--dry-run"))
        std::printf("%d rows checked; every row can be imported.\n", outcome.rows);
    else
        std::printf("%d %s imported.\n", outcome.imported, options->words[1].c_str());
    return 0;
}

}  // namespace tool

// print-statement DIR CUSTOMER --pdf FILE [--unpaid-only] [--company CODE] [--today DATE]: one
// customer's printed statement written to a PDF file, dated the run's day. Reads only.

#include <cstdio>
#include <filesystem>
#include <optional>

#include "base/Windows1252.h"
#include "company/ProgramState.h"
#include "records/RecordTypes.h"
#include "statements/StatementFiles.h"
#include "statements/StatementForm.h"
#include "tool/CompanyOptions.h"
#include "tool/ConsolePrompts.h"
#include "tool/PdfFolderSink.h"

namespace tool {
namespace {

// The statement of `number`; nothing, with the reason on standard error, when it cannot be read.
std::optional<statements::Statement> ReadStatement(engine::Engine& engine,
                                                   base::PromptService& prompts,
                                                   const std::string& companyCode,
                                                   const std::string& number, bool unpaidOnly) {
    receivables::CustomerFile customers(
        engine, records::RecordTypeOf(records::RecordKind::Customer).Describe(companyCode),
        prompts);
    if (!customers.Open()) return std::nullopt;
    std::optional<statements::Statement> statement;
    std::string failure;
    {
        statements::StatementFiles files(engine, prompts, customers, companyCode);
        if (files.Open()) statement = files.Load(number, unpaidOnly, failure);
    }
    (void)customers.Close();
    if (!statement && !failure.empty())
        std::fprintf(stderr, "%s\n", base::Win1252ToUtf8(failure).c_str());
    return statement;
}

}  // namespace

int PrintStatementCommand(const Args& args) {
    const std::optional<CompanyOptions> options =
        ParseCompanyOptions(args, {"--unpaid-only"}, {"--pdf"});
    if (!options || options->words.size() != 2 || !options->values.contains("--pdf")) {
        std::fputs(
            "usage: kt-invorra-tool print-statement DIR CUSTOMER --pdf FILE [--unpaid-only] "
            "[--company CODE] [--today YYYY-MM-DD]\n",
            stderr);
        return 2;
    }
    // The file is named from where the tool was started, before it moves into the data folder.
    const std::string pdf = std::filesystem::absolute(options->values.at("--pdf")).string();
    const std::optional<std::string> number = base::Utf8ToWin1252(options->words[1]);
    if (!number) {
        std::fputs("the customer number holds characters the records cannot hold\n", stderr);
        return 2;
    }
    engine::Engine engine;
    const std::optional<std::string> code = EnterCompany(engine, *options);
    if (!code) return 2;
    ConsolePrompts prompts;
    const CommandClock clock(options->today);
    company::ProgramState state;
    const std::optional<records::CompanyRecord> company = ReadCompanyOnFile(engine, prompts, *code);
    std::optional<statements::Statement> statement;
    if (company) {
        state.currentCompany = *company;
        state.ApplyDateFormat(clock.clock());
        statement = ReadStatement(engine, prompts, *code, *number, options->has("--unpaid-only"));
    } else {
        std::fprintf(stderr, "no company %s in the company file\n", code->c_str());
    }
    engine.ExitEngine();
    if (!company) return 2;
    if (!statement) return 1;
    const bool written = WritePdfFile(pdf, [&](base::Canvas& canvas) {
        return statements::PrintStatementForm(canvas, *statement, state.currentCompany,
                                              state.todayText);
    });
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", pdf.c_str());
        return 1;
    }
    std::printf("%s written to %s (%s)\n",
                base::Win1252ToUtf8(statements::StatementJobTitle(*statement)).c_str(), pdf.c_str(),
                statements::SelectedText(*statement).c_str());
    return 0;
}

}  // namespace tool

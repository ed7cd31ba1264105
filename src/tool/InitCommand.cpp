// init DIR [--demo [--today YYYY-MM-DD]]: creates a starter data folder a new user can open at
// once: the company file with company 1, "LastCo.Dat" with that company, "ZRTERMS.DAT" with common
// payment terms, and the background tile new companies name. With --demo, company 1 is then filled
// with a sample business (tool/DemoCompany.h). An existing, non-empty folder is never touched.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "company/CompanyFile.h"
#include "company/LastCompany.h"
#include "company/PaymentTerms.h"
#include "company/SmallFile.h"
#include "company/StarterData.h"
#include "engine/Engine.h"
#include "tool/Commands.h"
#include "tool/CompanyOptions.h"
#include "tool/ConsolePrompts.h"
#include "tool/DemoCompany.h"
#include "tool/PostPrompts.h"
#include "tool/UnsyncedFileSystem.h"

namespace tool {
namespace {

namespace fs = std::filesystem;

// Writes the starter files into the working directory; the failing step's description when one
// fails.
std::optional<std::string> WriteStarterFiles() {
    const records::CompanyRecord company = company::StarterCompany();
    {
        engine::Engine engine;
        engine.InitEngine(0, 30);
        ConsolePrompts prompts;
        company::CompanyFile file(engine, prompts);
        if (!file.file().Create() || !file.Open())
            return "cannot create the company file: err " + std::to_string(engine.error());
        int32_t recordNumber = 0;
        const bool added = file.Add(company, recordNumber);
        const bool closed = file.Close();
        if (!added || !closed)
            return "cannot write company 1: err " + std::to_string(engine.error());
        engine.ExitEngine();
    }
    if (!company::WriteLastCompany(engine::PosixFileSystem(), company))
        return std::string("cannot write ") + company::kLastCompanyFile;
    if (!company::SavePaymentTerms(engine::PosixFileSystem(), company::StarterPaymentTerms()))
        return std::string("cannot write ") + company::kPaymentTermsFile;
    if (!company::ReplaceSmallFile(engine::PosixFileSystem(), company::kBackgroundTileFile,
                                   company::BackgroundTileBitmap(),
                                   company::SmallFileAccess::Everyone))
        return std::string("cannot write ") + company::kBackgroundTileFile;
    return std::nullopt;
}

// Posts the sample business into company 1 of the starter files in the working directory, as
// `post` would; the refused operation when one is refused.
std::optional<std::string> WriteDemoCompany(const std::optional<base::Date>& today,
                                            const fs::path& startFolder) {
    UnsyncedFileSystem files;
    engine::Engine engine(files);
    engine.InitEngine(0, 30);
    PostPrompts prompts(false);
    const CommandClock clock(today);
    PostSession session{engine, prompts, clock.clock(), company::StarterCompany().code(),
                        startFolder};
    const DemoOutcome outcome = PostDemoCompany(session);
    engine.ExitEngine();
    if (outcome.failure) return "the sample business could not be posted: " + *outcome.failure;
    if (!engine.ok() || !UnsyncedFileSystem::FinishWrites())
        return "the data files could not be closed: err " + std::to_string(engine.error());
    const DemoSummary& made = outcome.summary;
    std::printf("Posted %d customers, %d products, %d invoices and %d payments\n", made.customers,
                made.products, made.invoices, made.payments);
    return std::nullopt;
}

struct InitOptions {
    fs::path dir;
    bool demo = false;
    std::optional<base::Date> today;
};

// DIR, --demo and, with it, --today; nothing for anything else.
std::optional<InitOptions> ParseInitOptions(const Args& args) {
    InitOptions options;
    std::optional<fs::path> dir;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--demo") {
            options.demo = true;
        } else if (args[i] == "--today" && i + 1 < args.size()) {
            options.today = ParseCommandDate(args[++i]);
            if (!options.today) return std::nullopt;
        } else if (args[i].starts_with("--") || dir) {
            return std::nullopt;
        } else {
            dir = args[i];
        }
    }
    if (!dir || (options.today && !options.demo)) return std::nullopt;
    options.dir = *dir;
    return options;
}

}  // namespace

int InitCommand(const Args& args) {
    const std::optional<InitOptions> options = ParseInitOptions(args);
    if (!options) {
        std::fputs("usage: kt-invorra-tool init DIR [--demo [--today YYYY-MM-DD]]\n", stderr);
        return 2;
    }
    const fs::path& dir = options->dir;
    std::error_code error;
    const bool existed = fs::exists(dir, error);
    if (existed && !(fs::is_directory(dir, error) && fs::is_empty(dir, error))) {
        std::fprintf(stderr,
                     "init: %s already exists and is not an empty folder; nothing changed\n",
                     dir.c_str());
        return 1;
    }
    if (!existed && !fs::create_directories(dir, error)) {
        std::fprintf(stderr, "init: cannot create %s: %s\n", dir.c_str(), error.message().c_str());
        return 1;
    }
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    std::optional<std::string> failure = WriteStarterFiles();
    if (!failure && options->demo) failure = WriteDemoCompany(options->today, previous);
    fs::current_path(previous);
    if (failure) {
        std::fprintf(stderr, "init: %s\n", failure->c_str());
        // Leave nothing half made behind: the folder is emptied, and removed when init made it.
        for (const fs::directory_entry& entry : fs::directory_iterator(dir, error))
            fs::remove_all(entry.path(), error);
        if (!existed) fs::remove(dir, error);
        return 1;
    }
    std::printf("Created the data folder %s\n", dir.c_str());
    return 0;
}

}  // namespace tool

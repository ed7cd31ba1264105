#include "tool/ListCustomers.h"

#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/CompanyFile.h"
#include "company/LastCompany.h"
#include "customers/CustomerTexts.h"
#include "engine/Errors.h"
#include "records/RecordTypes.h"
#include "tool/ConsolePrompts.h"

namespace tool {
namespace {

struct ListOptions {
    std::string dir;
    std::optional<std::string> company;
    bool addresses = false;
    bool csv = false;
};

std::optional<ListOptions> ParseOptions(const Args& args) {
    if (args.size() < 2 || args[1] != "customers" || args[0].starts_with("--")) return std::nullopt;
    ListOptions options;
    options.dir = args[0];
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--company" && i + 1 < args.size())
            options.company = base::Trim(args[++i]);
        else if (args[i] == "--addresses")
            options.addresses = true;
        else if (args[i] == "--csv")
            options.csv = true;
        else
            return std::nullopt;
    }
    return options;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
}

std::string FileError(engine::RecordFile<records::CustomerRecord>& file,
                      engine::ErrorClass outcome) {
    return file.description().name + ": " + engine::ErrorText(outcome, file.engine().error()) +
           " (kt-invorra-tool rebuild repairs a damaged file)";
}

// The report's CR LF line ends become the terminal's.
std::string ForTerminal(std::string_view report) {
    std::string text;
    for (char c : report)
        if (c != '\r') text += c;
    return text;
}

}  // namespace

int ListCustomers(const Args& args) {
    const std::optional<ListOptions> options = ParseOptions(args);
    if (!options) {
        std::fputs(
            "usage: kt-invorra-tool list DIR customers [--company CODE] [--addresses] [--csv]\n",
            stderr);
        return 2;
    }
    if (chdir(options->dir.c_str()) != 0) {
        std::fprintf(stderr, "cannot open the data folder %s\n", options->dir.c_str());
        return 2;
    }
    engine::Engine engine;
    engine.InitEngine(0, 30);
    ConsolePrompts prompts;

    std::string code;
    if (options->company) {
        code = *options->company;
    } else {
        records::CompanyRecord last;
        if (!company::ReadLastCompany(engine.fileSystem(), last))
            return Fail(std::string("no company given and ") + company::kLastCompanyFile +
                        " cannot be read");
        code = last.code();
    }
    // A list only reads: no file is repaired or created on the way.
    company::CompanyFile companies(engine, prompts);
    if (!companies.file().OpenReadOnly()) return Fail("cannot open the company file");
    const auto found = companies.Find(code);
    if (!companies.Close() || !found) return Fail("no company " + code + " in the company file");
    const records::CompanyRecord& company = found->second;

    engine::RecordFile<records::CustomerRecord> file(
        engine, records::RecordTypeOf(records::RecordKind::Customer).Describe(company.code()),
        prompts);
    std::vector<records::CustomerRecord> customers;
    if (file.OpenReadOnly()) {
        const engine::ErrorClass outcome =
            file.ForEach(1, [&](const auto& entry) { customers.push_back(entry.record); });
        // A list cut short by a damaged index must not pass for the whole list.
        if (outcome != engine::ErrorClass::None)
            return Fail(engine::ErrorText(outcome, engine.error()));
        if (!file.Close()) return Fail(FileError(file, engine::ErrorClass::Fatal));
    } else if (engine.error() != engine::err::kFileNotFound) {
        // A company without a customer file has no customers yet; any other failure is reported.
        return Fail(FileError(file, engine::ErrorClass::Fatal));
    }

    const std::string text =
        options->csv
            ? customers::CustomerListCsv(customers, options->addresses)
            : ForTerminal(customers::CustomerListReport(
                  company.name(), customers, options->addresses, base::SystemClock().Now()));
    std::fputs(base::Win1252ToUtf8(text).c_str(), stdout);
    engine.ExitEngine();
    return 0;
}

}  // namespace tool

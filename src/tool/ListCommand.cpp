// list DIR KIND [--company CODE] [--addresses] [--csv]: one company's list as its window's list
// report, or as CSV, on standard output. Nothing in the data folder is written.

#include "tool/ListCommand.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <optional>

#include "base/Text.h"
#include "tool/Commands.h"
#include "tool/CompanyLookup.h"

namespace tool {
namespace {

struct ListOptions {
    std::string dir;
    const ListKind* kind = nullptr;
    std::optional<std::string> company;
    bool csv = false;
    bool addresses = false;
};

const ListKind* FindKind(std::string_view name) {
    for (const ListKind& kind : ListKinds())
        if (kind.name == name) return &kind;
    return nullptr;
}

std::optional<ListOptions> ParseOptions(const Args& args) {
    ListOptions options;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--company" && i + 1 < args.size()) {
            options.company = base::Trim(args[++i]);
        } else if (args[i] == "--csv") {
            options.csv = true;
        } else if (args[i] == "--addresses") {
            options.addresses = true;
        } else if (args[i].starts_with("--")) {
            return std::nullopt;
        } else {
            words.push_back(args[i]);
        }
    }
    if (words.size() != 2) return std::nullopt;
    options.dir = words[0];
    options.kind = FindKind(words[1]);
    if (!options.kind) return std::nullopt;
    return options;
}

}  // namespace

const std::vector<ListKind>& ListKinds() {
    static const std::vector<ListKind> kinds = {{"customers", &ListCustomers},
                                                {"products", &ListProducts}};
    return kinds;
}

int ListCommand(const Args& args) {
    const std::optional<ListOptions> options = ParseOptions(args);
    if (!options) {
        std::string kinds;
        for (const ListKind& kind : ListKinds())
            kinds += (kinds.empty() ? "" : "|") + std::string(kind.name);
        std::fprintf(stderr,
                     "usage: kt-invorra-tool list DIR %s [--company CODE] [--addresses] [--csv]\n",
                     kinds.c_str());
        return 2;
    }
    if (chdir(options->dir.c_str()) != 0) {
        std::fprintf(stderr, "cannot open the data folder %s\n", options->dir.c_str());
        return 2;
    }
    engine::Engine engine;
    engine.InitEngine(0, 30);
    const std::optional<records::CompanyRecord> company = ReadCompany(engine, options->company);
    if (!company) return 2;
    ListRun run{engine, *company, base::SystemClock().Now(), options->csv, options->addresses};
    const ListOutput output = options->kind->list(run);
    engine.ExitEngine();
    if (!output.ok) {
        std::fprintf(stderr, "%s\n", output.text.c_str());
        return 1;
    }
    // Reports end their lines with CR LF as the list window saves them; a terminal wants LF. CSV
    // keeps CR LF, as spreadsheets expect.
    std::string text = output.text;
    if (!options->csv) std::erase(text, '\r');
    std::cout << text;
    return 0;
}

}  // namespace tool

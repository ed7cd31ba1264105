// list DIR KIND [--company CODE] [--addresses] [--csv]: one company's list as its window's list
// report, or as CSV, on standard output. Nothing in the data folder is written.
// list DIR customers --queue [--aging 1..4 | --over 1..3]: a queue list file of the customers.

#include "tool/ListCommand.h"

#include <cstdio>
#include <iostream>
#include <optional>

#include "base/Text.h"
#include "tool/CompanyOptions.h"
#include "tool/ConsolePrompts.h"

namespace tool {
namespace {

const ListKind* FindKind(std::string_view name) {
    for (const ListKind& kind : ListKinds())
        if (kind.name == name) return &kind;
    return nullptr;
}

}  // namespace

const std::vector<ListKind>& ListKinds() {
    static const std::vector<ListKind> kinds = {{"customers", &ListCustomers},
                                                {"products", &ListProducts}};
    return kinds;
}

int ListCommand(const Args& args) {
    const std::optional<CompanyOptions> options =
        ParseCompanyOptions(args, {"--csv", "--addresses", "--queue"}, {"--aging", "--over"});
    const auto number = [&](const char* name, int most) {
        if (!options || !options->values.contains(name)) return 0;
        const auto value = base::ParseWholeNumber(options->values.at(name));
        return value && *value >= 1 && *value <= most ? static_cast<int>(*value) : -1;
    };
    const int aging = number("--aging", 4);
    const int over = number("--over", 3);
    const bool queueWrong = options && (aging < 0 || over < 0 || (aging > 0 && over > 0) ||
                                        ((aging > 0 || over > 0) && !options->has("--queue")));
    const ListKind* kind =
        options && options->words.size() == 2 ? FindKind(options->words[1]) : nullptr;
    if (!kind || queueWrong) {
        std::string kinds;
        for (const ListKind& each : ListKinds())
            kinds += (kinds.empty() ? "" : "|") + std::string(each.name);
        std::fprintf(stderr,
                     "usage: kt-invorra-tool list DIR %s [--company CODE] [--addresses] [--csv]\n"
                     "       kt-invorra-tool list DIR customers --queue [--aging 1..4 | --over "
                     "1..3] [--company CODE]\n",
                     kinds.c_str());
        return 2;
    }
    const bool csv = options->has("--csv");
    engine::Engine engine;
    const std::optional<std::string> code = EnterCompany(engine, *options);
    if (!code) return 2;
    ConsolePrompts prompts;
    const std::optional<records::CompanyRecord> company = ReadCompanyOnFile(engine, prompts, *code);
    if (!company) {
        std::fprintf(stderr, "no company %s in the company file\n", code->c_str());
        return 2;
    }
    ListRun run{engine,
                *company,
                base::SystemClock().Now(),
                csv,
                options->has("--addresses"),
                options->has("--queue"),
                aging,
                over};
    const ListOutput output = kind->list(run);
    engine.ExitEngine();
    if (!output.ok) {
        std::fprintf(stderr, "%s\n", output.text.c_str());
        return 1;
    }
    // Reports end their lines with CR LF as the list window saves them; a terminal wants LF. CSV
    // and queue list files keep CR LF, as spreadsheets and the Label Wizard expect.
    std::string text = output.text;
    if (!csv && !run.queue) std::erase(text, '\r');
    std::cout << text;
    return 0;
}

}  // namespace tool

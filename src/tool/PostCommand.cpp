// post DIR [--company CODE] [--today YYYY-MM-DD] [--answer yes|no]: runs the operations read from
// standard input, one JSON object per line, and answers each line with one JSON object on
// standard output, in order. A refused line changes nothing; the lines after it still run.

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "engine/Engine.h"
#include "tool/CompanyOptions.h"
#include "tool/PostLine.h"

namespace tool {
namespace {

// Messages are UTF-8, but one built from a record's text carries its Windows-1252 bytes; such a
// text is converted, so the reply is always valid JSON.
std::string JsonText(const std::string& text) {
    try {
        (void)nlohmann::json(text).dump();
        return text;
    } catch (const nlohmann::json::type_error&) {
        return base::Win1252ToUtf8(text);
    }
}

nlohmann::ordered_json ReplyJson(const PostReply& reply, const PostPrompts& prompts) {
    nlohmann::ordered_json json;
    json["ok"] = reply.ok;
    if (!reply.ok) json["message"] = JsonText(reply.message);
    for (const auto& [key, value] : reply.results.items()) json[key] = value;
    json["prompts"] = nlohmann::ordered_json::array();
    for (const RecordedPrompt& p : prompts.shown())
        json["prompts"].push_back(
            {{"caption", JsonText(p.caption)}, {"text", JsonText(p.text)}, {"answer", p.answer}});
    return json;
}

}  // namespace

int PostCommand(const Args& args) {
    const std::optional<CompanyOptions> options = ParseCompanyOptions(args, {});
    if (!options || options->words.size() != 1) {
        std::fputs(
            "usage: kt-invorra-tool post DIR [--company CODE] [--today YYYY-MM-DD] "
            "[--answer yes|no] < ops.jsonl\n",
            stderr);
        return 2;
    }
    const std::filesystem::path startFolder = std::filesystem::current_path();
    engine::Engine engine;
    const std::optional<std::string> companyCode = EnterCompany(engine, *options);
    if (!companyCode) return 2;
    const CommandClock commandClock(options->today);
    const base::Clock& clock = commandClock.clock();
    PostPrompts prompts(options->answerYes);
    PostSession session{engine, prompts, clock, *companyCode, startFolder};

    bool allOk = true;
    std::string text;
    while (std::getline(std::cin, text)) {
        if (base::Trim(text).empty()) continue;
        const PostReply reply = RunPostLine(text, session);
        allOk = allOk && reply.ok;
        // A result text that is no UTF-8 shows replacement characters rather than end the run.
        std::cout << ReplyJson(reply, prompts)
                         .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
                  << '\n'
                  << std::flush;
    }
    engine.ExitEngine();
    if (!engine.ok()) {
        std::fprintf(stderr, "the data files could not be closed: err %d\n", engine.error());
        return 1;
    }
    return allOk ? 0 : 1;
}

}  // namespace tool

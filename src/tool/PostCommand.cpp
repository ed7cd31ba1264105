// post DIR [--company CODE] [--today YYYY-MM-DD] [--answer yes|no]: runs the operations read from
// standard input, one JSON object per line, and answers each line with one JSON object on
// standard output, in order. A refused line changes nothing; the lines after it still run.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "engine/Engine.h"
#include "tool/CompanyOptions.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

const PostOperation* FindOperation(const std::string& name) {
    for (const PostOperation& op : PostOperations())
        if (op.name == name) return &op;
    return nullptr;
}

// The line's own answers to the questions its operation asks.
std::optional<std::vector<base::PromptAnswer>> LineAnswers(const nlohmann::json& line) {
    std::vector<base::PromptAnswer> answers;
    const auto it = line.find("answers");
    if (it == line.end()) return answers;
    if (!it->is_array()) return std::nullopt;
    for (const nlohmann::json& word : *it) {
        const auto answer = word.is_string() ? ParseAnswer(word.get<std::string>()) : std::nullopt;
        if (!answer) return std::nullopt;
        answers.push_back(*answer);
    }
    return answers;
}

PostReply RunLine(const std::string& text, PostSession& session) {
    session.prompts.Begin({});
    const nlohmann::json line = nlohmann::json::parse(text, nullptr, false);
    if (line.is_discarded() || !line.is_object())
        return PostReply::Refused("The line is not a JSON object");
    const auto name = line.find("op");
    if (name == line.end() || !name->is_string())
        return PostReply::Refused("The line names no \"op\"");
    const PostOperation* op = FindOperation(name->get<std::string>());
    if (!op) return PostReply::Refused("Unknown op \"" + name->get<std::string>() + "\"");
    for (const auto& [field, value] : line.items()) {
        if (field == "op" || field == "answers") continue;
        if (std::find(op->fields.begin(), op->fields.end(), field) == op->fields.end())
            return PostReply::Refused("Unknown field \"" + field + "\" for " +
                                      std::string(op->name));
    }
    const auto answers = LineAnswers(line);
    if (!answers)
        return PostReply::Refused(
            "\"answers\" must be a list of \"yes\", \"no\", \"ok\" or \"cancel\"");
    session.prompts.Begin(*answers);
    PostRequest request(line);
    return op->run(request, session);
}

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
        const PostReply reply = RunLine(text, session);
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

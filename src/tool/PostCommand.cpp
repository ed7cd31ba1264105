// post DIR [--company CODE] [--today YYYY-MM-DD] [--answer yes|no]: runs the operations read from
// standard input, one JSON object per line, and answers each line with one JSON object on
// standard output, in order. A refused line changes nothing; the lines after it still run.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "base/Dates.h"
#include "base/Text.h"
#include "company/LastCompany.h"
#include "engine/Engine.h"
#include "tool/Commands.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

struct PostOptions {
    std::string dir;
    std::optional<std::string> company;
    std::optional<base::Date> today;
    bool answerYes = false;
};

std::optional<PostOptions> ParseOptions(const Args& args) {
    PostOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool hasValue = i + 1 < args.size();
        if (word == "--company" && hasValue) {
            options.company = base::Trim(args[++i]);
        } else if (word == "--today" && hasValue) {
            std::string date = args[++i];
            std::replace(date.begin(), date.end(), '-', '/');
            options.today = base::ParseDate(date, base::DateOrder::YearFirst);
            if (!options.today) return std::nullopt;
        } else if (word == "--answer" && hasValue) {
            const std::string answer = args[++i];
            if (answer != "yes" && answer != "no") return std::nullopt;
            options.answerYes = answer == "yes";
        } else if (options.dir.empty() && !word.starts_with("--")) {
            options.dir = word;
        } else {
            return std::nullopt;
        }
    }
    if (options.dir.empty()) return std::nullopt;
    return options;
}

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

nlohmann::ordered_json ReplyJson(const PostReply& reply, const PostPrompts& prompts) {
    nlohmann::ordered_json json;
    json["ok"] = reply.ok;
    if (!reply.ok) json["message"] = reply.message;
    for (const auto& [key, value] : reply.results.items()) json[key] = value;
    json["prompts"] = nlohmann::ordered_json::array();
    for (const RecordedPrompt& p : prompts.shown())
        json["prompts"].push_back({{"caption", p.caption}, {"text", p.text}, {"answer", p.answer}});
    return json;
}

}  // namespace

int PostCommand(const Args& args) {
    const std::optional<PostOptions> options = ParseOptions(args);
    if (!options) {
        std::fputs(
            "usage: kt-invorra-tool post DIR [--company CODE] [--today YYYY-MM-DD] "
            "[--answer yes|no] < ops.jsonl\n",
            stderr);
        return 2;
    }
    if (chdir(options->dir.c_str()) != 0) {
        std::fprintf(stderr, "cannot open the data folder %s\n", options->dir.c_str());
        return 2;
    }
    engine::Engine engine;
    std::string companyCode;
    if (options->company) {
        companyCode = *options->company;
    } else {
        records::CompanyRecord last;
        if (!company::ReadLastCompany(engine.fileSystem(), last)) {
            std::fprintf(stderr, "no company given and %s cannot be read\n",
                         company::kLastCompanyFile);
            return 2;
        }
        companyCode = last.code();
    }

    base::FixedClock fixedToday({options->today.value_or(base::Date{}), 0, 0, 0});
    const base::Clock& clock = options->today ? fixedToday : base::SystemClock();
    engine.InitEngine(0, 30);
    PostPrompts prompts(options->answerYes);
    PostSession session{engine, prompts, clock, companyCode};

    bool allOk = true;
    std::string text;
    while (std::getline(std::cin, text)) {
        if (base::Trim(text).empty()) continue;
        const PostReply reply = RunLine(text, session);
        allOk = allOk && reply.ok;
        std::cout << ReplyJson(reply, prompts).dump() << '\n' << std::flush;
    }
    engine.ExitEngine();
    if (!engine.ok()) {
        std::fprintf(stderr, "the data files could not be closed: err %d\n", engine.error());
        return 1;
    }
    return allOk ? 0 : 1;
}

}  // namespace tool

#include "tool/PostLine.h"

#include <algorithm>
#include <optional>
#include <vector>

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

}  // namespace

PostReply RunPostLine(const std::string& text, PostSession& session) {
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

}  // namespace tool

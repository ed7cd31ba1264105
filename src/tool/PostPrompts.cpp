#include "tool/PostPrompts.h"

#include "base/Windows1252.h"

namespace tool {

using base::PromptAnswer;
using base::PromptButtons;

void PostPrompts::Begin(std::vector<PromptAnswer> answers) {
    answers_.assign(answers.begin(), answers.end());
    shown_.clear();
}

PromptAnswer PostPrompts::Message(std::string_view caption, std::string_view text, base::PromptIcon,
                                  PromptButtons buttons) {
    const PromptAnswer answer = NextAnswer(buttons);
    shown_.push_back({std::string(caption), std::string(text), AnswerWord(answer)});
    return answer;
}

// A given answer that the box does not offer counts as its nearest button: "yes" OKs an OK/Cancel
// box, "cancel" says No where there is no Cancel.
PromptAnswer PostPrompts::NextAnswer(PromptButtons buttons) {
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    bool yes = defaultYes_;
    bool cancel = false;
    if (!answers_.empty()) {
        const PromptAnswer given = answers_.front();
        answers_.pop_front();
        yes = given == PromptAnswer::Yes || given == PromptAnswer::Ok;
        cancel = given == PromptAnswer::Cancel;
    }
    switch (buttons) {
        case PromptButtons::OkCancel:
            return yes ? PromptAnswer::Ok : PromptAnswer::Cancel;
        case PromptButtons::YesNoCancel:
            if (cancel) return PromptAnswer::Cancel;
            [[fallthrough]];
        case PromptButtons::YesNo:
        case PromptButtons::Ok:
            break;
    }
    return yes ? PromptAnswer::Yes : PromptAnswer::No;
}

std::optional<PromptAnswer> ParseAnswer(std::string_view word) {
    const std::string upper = base::Win1252Upper(word);
    if (upper == "YES") return PromptAnswer::Yes;
    if (upper == "NO") return PromptAnswer::No;
    if (upper == "OK") return PromptAnswer::Ok;
    if (upper == "CANCEL") return PromptAnswer::Cancel;
    return std::nullopt;
}

const char* AnswerWord(PromptAnswer answer) {
    switch (answer) {
        case PromptAnswer::Ok:
            return "ok";
        case PromptAnswer::Cancel:
            return "cancel";
        case PromptAnswer::Yes:
            return "yes";
        case PromptAnswer::No:
            break;
    }
    return "no";
}

}  // namespace tool

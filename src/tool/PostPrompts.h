#pragma once
// The prompt service of `post`: nobody is at a screen, so every message and question an operation
// raises is recorded for its reply, and questions are answered from the line's "answers" in order,
// then with the command's default answer. Boxes with only an OK button are answered OK.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/PromptService.h"

namespace tool {

struct RecordedPrompt {
    std::string caption;
    std::string text;
    std::string answer;  // "ok", "cancel", "yes" or "no"
};

class PostPrompts : public base::UnattendedPromptService {
public:
    explicit PostPrompts(bool defaultYes) : defaultYes_(defaultYes) {}

    // Starts the next operation: its own answers, and an empty record.
    void Begin(std::vector<base::PromptAnswer> answers);
    const std::vector<RecordedPrompt>& shown() const { return shown_; }

    base::PromptAnswer Message(std::string_view caption, std::string_view text, base::PromptIcon,
                               base::PromptButtons buttons) override;

private:
    base::PromptAnswer NextAnswer(base::PromptButtons buttons);

    bool defaultYes_;
    std::deque<base::PromptAnswer> answers_;
    std::vector<RecordedPrompt> shown_;
};

// "yes", "no", "ok" or "cancel" (any case); nothing for another word.
std::optional<base::PromptAnswer> ParseAnswer(std::string_view word);
const char* AnswerWord(base::PromptAnswer answer);

}  // namespace tool

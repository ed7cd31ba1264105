#pragma once
// A prompt service that answers every question Yes and records what was shown, for runs whose
// messages are not the point (failures injected at every write, random postings).

#include <string>
#include <string_view>
#include <vector>

#include "base/PromptService.h"

namespace testsupport {

class AnsweringPrompts : public base::UnattendedPromptService {
public:
    base::PromptAnswer Message(std::string_view caption, std::string_view text, base::PromptIcon,
                               base::PromptButtons buttons) override {
        shown.push_back(std::string(caption) + ": " + std::string(text));
        return buttons == base::PromptButtons::Ok ? base::PromptAnswer::Ok
                                                  : base::PromptAnswer::Yes;
    }
    std::vector<std::string> shown;
};

}  // namespace testsupport

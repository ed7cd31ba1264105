#pragma once
// The prompt service of the command-line tool: nobody is there to answer, so every message is
// written to standard error and answered the way that keeps a batch job safe and moving: OK,
// and Yes to the engine's questions ("Index file is defective.  Rebuild?" rebuilds, "Cannot get
// a lock.  Abort?" gives up).

#include <cstdio>
#include <string>

#include "base/PromptService.h"

namespace tool {

class ConsolePrompts : public base::UnattendedPromptService {
public:
    base::PromptAnswer Message(std::string_view caption, std::string_view text, base::PromptIcon,
                               base::PromptButtons buttons) override {
        std::fprintf(stderr, "%s: %s\n", std::string(caption).c_str(), std::string(text).c_str());
        return buttons == base::PromptButtons::Ok || buttons == base::PromptButtons::OkCancel
                   ? base::PromptAnswer::Ok
                   : base::PromptAnswer::Yes;
    }
};

}  // namespace tool

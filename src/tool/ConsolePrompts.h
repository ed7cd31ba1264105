#pragma once
// The prompt service of the command-line tool: nobody is there to answer, so every message is
// written to standard error and answered the way that keeps a batch job safe and moving: OK,
// and Yes to the engine's questions ("Index file is defective.  Rebuild?" rebuilds, "Cannot get
// a lock.  Abort?" gives up). Dialogs are cancelled.

#include <cstdio>
#include <string>

#include "base/PromptService.h"

namespace tool {

class ConsolePrompts : public base::PromptService {
public:
    base::PromptAnswer Message(std::string_view caption, std::string_view text, base::PromptIcon,
                               base::PromptButtons buttons) override {
        std::fprintf(stderr, "%s: %s\n", std::string(caption).c_str(), std::string(text).c_str());
        return buttons == base::PromptButtons::Ok || buttons == base::PromptButtons::OkCancel
                   ? base::PromptAnswer::Ok
                   : base::PromptAnswer::Yes;
    }
    std::optional<std::string> OpenFileName(std::string_view, std::string_view,
                                            std::string_view) override {
        return std::nullopt;
    }
    std::optional<std::string> SaveFileName(std::string_view, std::string_view,
                                            std::string_view) override {
        return std::nullopt;
    }
    std::optional<base::FontChoice> ChooseFont(const base::FontChoice&, bool) override {
        return std::nullopt;
    }
    std::optional<uint32_t> ChooseColor(uint32_t) override { return std::nullopt; }
    std::optional<base::Date> PickDate(std::string_view, base::Date) override {
        return std::nullopt;
    }
    bool PrintDialog(std::string_view) override { return false; }
    bool PrinterSetup() override { return false; }
};

}  // namespace tool

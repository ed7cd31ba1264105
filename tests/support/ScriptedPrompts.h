#pragma once
// A strict prompt service: the test scripts every prompt it expects, in order, with its answer.
// Anything unexpected, different or left waiting at destruction (or Verify()) fails the test.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/PromptService.h"

namespace testsupport {

enum class PromptKind { Message, OpenFile, SaveFile, Font, Color, Date, Print, PrinterSetup };

struct ShownPrompt {
    PromptKind kind = PromptKind::Message;
    std::string caption;
    std::string text;    // a file dialog's directory or proposed name
    std::string filter;  // file dialogs only
    base::PromptIcon icon = base::PromptIcon::None;
    base::PromptButtons buttons = base::PromptButtons::Ok;
    base::FontChoice initialFont;  // font dialog only
};

class ScriptedPrompts : public base::PromptService {
public:
    ~ScriptedPrompts() override { Verify(); }

    // Icon and buttons are checked only when given.
    ScriptedPrompts& ExpectMessage(std::string caption, std::string text, base::PromptAnswer answer,
                                   std::optional<base::PromptIcon> icon = std::nullopt,
                                   std::optional<base::PromptButtons> buttons = std::nullopt);
    ScriptedPrompts& ExpectInform(std::string caption, std::string text) {
        return ExpectMessage(std::move(caption), std::move(text), base::PromptAnswer::Ok,
                             base::PromptIcon::Information, base::PromptButtons::Ok);
    }
    ScriptedPrompts& ExpectWarn(std::string caption, std::string text) {
        return ExpectMessage(std::move(caption), std::move(text), base::PromptAnswer::Ok,
                             base::PromptIcon::Warning, base::PromptButtons::Ok);
    }
    ScriptedPrompts& ExpectYesNo(std::string caption, std::string text, bool yes,
                                 base::PromptIcon icon = base::PromptIcon::Question) {
        return ExpectMessage(std::move(caption), std::move(text),
                             yes ? base::PromptAnswer::Yes : base::PromptAnswer::No, icon,
                             base::PromptButtons::YesNo);
    }

    // A missing answer means the user cancelled.
    ScriptedPrompts& ExpectOpenFile(std::optional<std::string> answer,
                                    std::optional<std::string> caption = std::nullopt);
    ScriptedPrompts& ExpectSaveFile(std::optional<std::string> answer,
                                    std::optional<std::string> caption = std::nullopt,
                                    std::optional<std::string> proposedName = std::nullopt);

    ScriptedPrompts& ExpectFont(std::optional<base::FontChoice> answer);

    // The print dialog of a job with this title; `print` false means the user cancelled.
    ScriptedPrompts& ExpectPrint(bool print, std::optional<std::string> title = std::nullopt);

    const std::vector<ShownPrompt>& shown() const { return shown_; }
    void Verify();

    base::PromptAnswer Message(std::string_view caption, std::string_view text,
                               base::PromptIcon icon, base::PromptButtons buttons) override;
    std::optional<std::string> OpenFileName(std::string_view caption, std::string_view directory,
                                            std::string_view filter) override;
    std::optional<std::string> SaveFileName(std::string_view caption, std::string_view proposedName,
                                            std::string_view filter) override;
    std::optional<base::FontChoice> ChooseFont(const base::FontChoice& initial,
                                               bool fixedPitchOnly) override;
    // The date picker with this caption; a missing answer means the user cancelled.
    ScriptedPrompts& ExpectDate(std::string caption, std::optional<base::Date> answer);
    // Colour and printer set-up dialogs are never scripted: showing one fails.
    std::optional<uint32_t> ChooseColor(uint32_t initial) override;
    std::optional<base::Date> PickDate(std::string_view caption, base::Date initial) override;
    bool PrintDialog(std::string_view title) override;
    bool PrinterSetup() override;

private:
    struct Expectation {
        PromptKind kind = PromptKind::Message;
        std::optional<std::string> caption;
        std::optional<std::string> text;
        std::optional<base::PromptIcon> icon;
        std::optional<base::PromptButtons> buttons;
        base::PromptAnswer answer = base::PromptAnswer::Ok;
        std::optional<std::string> fileAnswer;
        std::optional<base::FontChoice> fontAnswer;
        std::optional<base::Date> dateAnswer;
    };

    // Nothing when the prompt was unexpected: the caller then answers as a user who cancels.
    std::optional<Expectation> Take(const ShownPrompt& prompt);
    ScriptedPrompts& Expect(Expectation e);

    std::deque<Expectation> script_;
    std::vector<ShownPrompt> shown_;
};

}  // namespace testsupport

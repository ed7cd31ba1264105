#pragma once
// A strict prompt service for tests. The test scripts every prompt it expects, in order: the
// message box's caption and text (and, when it matters, icon and buttons) with the button to
// press, or the answer of a file, font, colour, date or print dialog. Every prompt shown is
// recorded. A prompt nobody expected, a prompt of another kind, a caption or text that differs,
// an answer the box cannot give, and an expectation still waiting when the object is destroyed
// (or Verify() is called) each fail the running test with ADD_FAILURE.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/PromptService.h"

namespace testsupport {

enum class PromptKind { Message, OpenFile, SaveFile, Font, Color, Date, Print, PrinterSetup };

// One prompt as the code under test showed it.
struct ShownPrompt {
    PromptKind kind = PromptKind::Message;
    std::string caption;  // message caption, dialog caption or print job title
    // The message text; a file dialog's directory or proposed name; a colour dialog's colour.
    std::string text;
    std::string filter;  // file dialogs only
    base::PromptIcon icon = base::PromptIcon::None;
    base::PromptButtons buttons = base::PromptButtons::Ok;
    base::FontChoice initialFont;  // font dialog only
    bool fixedPitchOnly = false;   // font dialog only
};

class ScriptedPrompts : public base::PromptService {
public:
    ScriptedPrompts() = default;
    ~ScriptedPrompts() override;
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    // A message box with this caption and text, answered by `answer`; icon and buttons are
    // checked only when given.
    ScriptedPrompts& ExpectMessage(std::string caption, std::string text, base::PromptAnswer answer,
                                   std::optional<base::PromptIcon> icon = std::nullopt,
                                   std::optional<base::PromptButtons> buttons = std::nullopt);
    // Shorthands: an information box with OK, a warning box with OK, a Yes/No question with the
    // given icon (Question unless stated).
    ScriptedPrompts& ExpectInform(std::string caption, std::string text);
    ScriptedPrompts& ExpectWarn(std::string caption, std::string text);
    ScriptedPrompts& ExpectYesNo(std::string caption, std::string text, bool yes,
                                 base::PromptIcon icon = base::PromptIcon::Question);

    // File dialogs; the caption and the proposed name (or directory) are checked when given.
    // A missing answer means the user cancelled.
    ScriptedPrompts& ExpectOpenFile(std::optional<std::string> answer,
                                    std::optional<std::string> caption = std::nullopt);
    ScriptedPrompts& ExpectSaveFile(std::optional<std::string> answer,
                                    std::optional<std::string> caption = std::nullopt,
                                    std::optional<std::string> proposedName = std::nullopt);

    ScriptedPrompts& ExpectFont(std::optional<base::FontChoice> answer);
    ScriptedPrompts& ExpectColor(std::optional<uint32_t> answer);
    ScriptedPrompts& ExpectDate(std::optional<base::Date> answer,
                                std::optional<std::string> caption = std::nullopt);
    ScriptedPrompts& ExpectPrintDialog(bool answer,
                                       std::optional<std::string> title = std::nullopt);
    ScriptedPrompts& ExpectPrinterSetup(bool answer);

    const std::vector<ShownPrompt>& shown() const { return shown_; }
    // Fails the test for every expectation still waiting, and forgets them.
    void Verify();

    base::PromptAnswer Message(std::string_view caption, std::string_view text,
                               base::PromptIcon icon, base::PromptButtons buttons) override;
    std::optional<std::string> OpenFileName(std::string_view caption, std::string_view directory,
                                            std::string_view filter) override;
    std::optional<std::string> SaveFileName(std::string_view caption, std::string_view proposedName,
                                            std::string_view filter) override;
    std::optional<base::FontChoice> ChooseFont(const base::FontChoice& initial,
                                               bool fixedPitchOnly) override;
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
        std::optional<uint32_t> colorAnswer;
        std::optional<base::Date> dateAnswer;
        bool boolAnswer = false;
    };

    // Records the prompt and takes the next expectation; nothing when the prompt was unexpected
    // (the caller then answers as a user who cancels).
    std::optional<Expectation> Take(const ShownPrompt& prompt);
    ScriptedPrompts& Expect(Expectation e);

    std::deque<Expectation> script_;
    std::vector<ShownPrompt> shown_;
};

}  // namespace testsupport

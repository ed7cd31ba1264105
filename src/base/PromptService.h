#pragma once
// Every message box, question and common dialog the program shows goes through a PromptService.
// The program answers with real Qt dialogs; tests answer with a script that checks each question
// (caption and text) before giving its answer. Texts are UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"

namespace base {

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// A font as the dialogs and printed forms use it. Colour is 0x00BBGGRR.
struct FontChoice {
    std::string family;
    int pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    uint32_t color = 0;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

class PromptService {
public:
    virtual ~PromptService() = default;

    // A modal message box; the answer names the button the user chose (closing the box without a
    // choice answers Cancel, or No when the box has no Cancel button).
    virtual PromptAnswer Message(std::string_view caption, std::string_view text, PromptIcon icon,
                                 PromptButtons buttons) = 0;

    // The same box with the button that Enter chooses named (otherwise the first button is).
    // Implementations without a notion of a default button answer as Message does.
    virtual PromptAnswer MessageWithDefault(std::string_view caption, std::string_view text,
                                            PromptIcon icon, PromptButtons buttons,
                                            PromptAnswer defaultButton) {
        (void)defaultButton;
        return Message(caption, text, icon, buttons);
    }

    // File dialogs; nothing when the user cancels. `filter` uses Qt's "Text files (*.txt)" form.
    virtual std::optional<std::string> OpenFileName(std::string_view caption,
                                                    std::string_view directory,
                                                    std::string_view filter) = 0;
    virtual std::optional<std::string> SaveFileName(std::string_view caption,
                                                    std::string_view proposedName,
                                                    std::string_view filter) = 0;

    // Font dialog; nothing when cancelled.
    virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial,
                                                 bool fixedPitchOnly) = 0;

    // Colour dialog (0x00BBGGRR); nothing when cancelled.
    virtual std::optional<uint32_t> ChooseColor(uint32_t initial) = 0;

    // The date picker; nothing when cancelled.
    virtual std::optional<Date> PickDate(std::string_view caption, Date initial) = 0;

    // The print dialog before a print job and the printer set-up command; false when cancelled.
    virtual bool PrintDialog(std::string_view title) = 0;
    virtual bool PrinterSetup() = 0;

    // Shorthands for the message boxes the program shows most.
    void Inform(std::string_view caption, std::string_view text) {
        Message(caption, text, PromptIcon::Information, PromptButtons::Ok);
    }
    void Warn(std::string_view caption, std::string_view text) {
        Message(caption, text, PromptIcon::Warning, PromptButtons::Ok);
    }
    bool AskYesNo(std::string_view caption, std::string_view text,
                  PromptIcon icon = PromptIcon::Question) {
        return Message(caption, text, icon, PromptButtons::YesNo) == PromptAnswer::Yes;
    }
};

// A prompt service for programs with nobody at the screen (the command-line tool, benchmarks):
// they decide how to answer messages; every dialog counts as cancelled.
class UnattendedPromptService : public PromptService {
public:
    std::optional<std::string> OpenFileName(std::string_view, std::string_view,
                                            std::string_view) override {
        return std::nullopt;
    }
    std::optional<std::string> SaveFileName(std::string_view, std::string_view,
                                            std::string_view) override {
        return std::nullopt;
    }
    std::optional<FontChoice> ChooseFont(const FontChoice&, bool) override { return std::nullopt; }
    std::optional<uint32_t> ChooseColor(uint32_t) override { return std::nullopt; }
    std::optional<Date> PickDate(std::string_view, Date) override { return std::nullopt; }
    bool PrintDialog(std::string_view) override { return false; }
    bool PrinterSetup() override { return false; }
};

}  // namespace base

#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <utility>

// Designated initializers leave the other fields at their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace testsupport {

namespace {

std::string Describe(PromptKind kind, const std::optional<std::string>& caption,
                     const std::optional<std::string>& text) {
    static const char* const kinds[] = {"message box",  "open-file dialog", "save-file dialog",
                                        "font dialog",  "colour dialog",    "date picker",
                                        "print dialog", "printer set-up"};
    std::string out = kinds[static_cast<int>(kind)];
    if (caption) out += " \"" + *caption + "\"";
    if (text) out += ": \"" + *text + "\"";
    return out;
}

bool Offers(base::PromptButtons buttons, base::PromptAnswer answer) {
    using A = base::PromptAnswer;
    using B = base::PromptButtons;
    switch (answer) {
        case A::Ok:
            return buttons == B::Ok || buttons == B::OkCancel;
        case A::Cancel:
            return buttons == B::OkCancel || buttons == B::YesNoCancel;
        case A::Yes:
        case A::No:
            return buttons == B::YesNo || buttons == B::YesNoCancel;
    }
    return false;
}

}  // namespace

ScriptedPrompts& ScriptedPrompts::Expect(Expectation e) {
    script_.push_back(std::move(e));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::ExpectMessage(std::string caption, std::string text,
                                                base::PromptAnswer answer,
                                                std::optional<base::PromptIcon> icon,
                                                std::optional<base::PromptButtons> buttons) {
    return Expect({.kind = PromptKind::Message,
                   .caption = std::move(caption),
                   .text = std::move(text),
                   .icon = icon,
                   .buttons = buttons,
                   .answer = answer});
}

ScriptedPrompts& ScriptedPrompts::ExpectOpenFile(std::optional<std::string> answer,
                                                 std::optional<std::string> caption) {
    return Expect({.kind = PromptKind::OpenFile,
                   .caption = std::move(caption),
                   .fileAnswer = std::move(answer)});
}

ScriptedPrompts& ScriptedPrompts::ExpectSaveFile(std::optional<std::string> answer,
                                                 std::optional<std::string> caption,
                                                 std::optional<std::string> proposedName) {
    return Expect({.kind = PromptKind::SaveFile,
                   .caption = std::move(caption),
                   .text = std::move(proposedName),
                   .fileAnswer = std::move(answer)});
}

ScriptedPrompts& ScriptedPrompts::ExpectDate(std::string caption,
                                             std::optional<base::Date> answer) {
    return Expect({.kind = PromptKind::Date, .caption = std::move(caption), .dateAnswer = answer});
}

ScriptedPrompts& ScriptedPrompts::ExpectFont(std::optional<base::FontChoice> answer) {
    return Expect({.kind = PromptKind::Font, .fontAnswer = std::move(answer)});
}

ScriptedPrompts& ScriptedPrompts::ExpectPrint(bool print, std::optional<std::string> title) {
    return Expect({.kind = PromptKind::Print,
                   .caption = std::move(title),
                   .answer = print ? base::PromptAnswer::Ok : base::PromptAnswer::Cancel});
}

void ScriptedPrompts::Verify() {
    for (const Expectation& e : script_)
        ADD_FAILURE() << "Expected " << Describe(e.kind, e.caption, e.text) << " was never shown";
    script_.clear();
}

std::optional<ScriptedPrompts::Expectation> ScriptedPrompts::Take(const ShownPrompt& prompt) {
    shown_.push_back(prompt);
    const std::string shownAs = Describe(prompt.kind, prompt.caption, prompt.text);
    if (script_.empty() || script_.front().kind != prompt.kind) {
        const std::string waiting =
            script_.empty()
                ? "nothing"
                : Describe(script_.front().kind, script_.front().caption, script_.front().text);
        ADD_FAILURE() << "Unexpected " << shownAs << "; the script waits for " << waiting;
        return std::nullopt;
    }
    Expectation e = std::move(script_.front());
    script_.pop_front();
    if ((e.caption && *e.caption != prompt.caption) || (e.text && *e.text != prompt.text))
        ADD_FAILURE() << shownAs << " differs from the expected "
                      << Describe(e.kind, e.caption, e.text);
    if (e.icon && *e.icon != prompt.icon)
        ADD_FAILURE() << shownAs << " shows icon " << int(prompt.icon) << ", not " << int(*e.icon);
    if (e.buttons && *e.buttons != prompt.buttons)
        ADD_FAILURE() << shownAs << " shows buttons " << int(prompt.buttons) << ", not "
                      << int(*e.buttons);
    return e;
}

base::PromptAnswer ScriptedPrompts::Message(std::string_view caption, std::string_view text,
                                            base::PromptIcon icon, base::PromptButtons buttons) {
    const ShownPrompt p{.kind = PromptKind::Message,
                        .caption = std::string(caption),
                        .text = std::string(text),
                        .icon = icon,
                        .buttons = buttons};
    // Closing a box without choosing answers Cancel, or No when the box has no Cancel button.
    const base::PromptAnswer closed =
        buttons == base::PromptButtons::YesNo ? base::PromptAnswer::No : base::PromptAnswer::Cancel;
    std::optional<Expectation> e = Take(p);
    if (!e) return closed;
    if (!Offers(buttons, e->answer)) {
        ADD_FAILURE() << "The script answers " << Describe(p.kind, p.caption, p.text)
                      << " with a button it does not have";
        return closed;
    }
    return e->answer;
}

std::optional<std::string> ScriptedPrompts::OpenFileName(std::string_view caption,
                                                         std::string_view directory,
                                                         std::string_view filter) {
    const auto e = Take({.kind = PromptKind::OpenFile,
                         .caption = std::string(caption),
                         .text = std::string(directory),
                         .filter = std::string(filter)});
    return e ? e->fileAnswer : std::nullopt;
}

std::optional<std::string> ScriptedPrompts::SaveFileName(std::string_view caption,
                                                         std::string_view proposedName,
                                                         std::string_view filter) {
    const auto e = Take({.kind = PromptKind::SaveFile,
                         .caption = std::string(caption),
                         .text = std::string(proposedName),
                         .filter = std::string(filter)});
    return e ? e->fileAnswer : std::nullopt;
}

std::optional<base::FontChoice> ScriptedPrompts::ChooseFont(const base::FontChoice& initial, bool) {
    const auto e = Take({.kind = PromptKind::Font, .initialFont = initial});
    return e ? e->fontAnswer : std::nullopt;
}

std::optional<uint32_t> ScriptedPrompts::ChooseColor(uint32_t) {
    Take({.kind = PromptKind::Color});
    return std::nullopt;
}

std::optional<base::Date> ScriptedPrompts::PickDate(std::string_view caption, base::Date) {
    const auto e = Take({.kind = PromptKind::Date, .caption = std::string(caption)});
    return e ? e->dateAnswer : std::nullopt;
}

bool ScriptedPrompts::PrintDialog(std::string_view title) {
    const auto e = Take({.kind = PromptKind::Print, .caption = std::string(title)});
    return e && e->answer == base::PromptAnswer::Ok;
}

bool ScriptedPrompts::PrinterSetup() {
    Take({.kind = PromptKind::PrinterSetup});
    return false;
}

}  // namespace testsupport

#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <utility>

// Prompts and expectations are built with designated initializers: the fields left out keep their
// defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace testsupport {

namespace {

const char* KindName(PromptKind kind) {
    static const char* const names[] = {"message box",  "open-file dialog", "save-file dialog",
                                        "font dialog",  "colour dialog",    "date picker",
                                        "print dialog", "printer set-up"};
    return names[static_cast<int>(kind)];
}

const char* IconName(base::PromptIcon icon) {
    static const char* const names[] = {"no icon", "Information", "Warning", "Error", "Question"};
    return names[static_cast<int>(icon)];
}

const char* ButtonsName(base::PromptButtons buttons) {
    static const char* const names[] = {"OK", "OK/Cancel", "Yes/No", "Yes/No/Cancel"};
    return names[static_cast<int>(buttons)];
}

std::string Describe(PromptKind kind, const std::optional<std::string>& caption,
                     const std::optional<std::string>& text) {
    std::string out = KindName(kind);
    if (caption) out += " \"" + *caption + "\"";
    if (text) out += ": \"" + *text + "\"";
    return out;
}

// Whether a box with these buttons can be answered this way.
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

ScriptedPrompts::~ScriptedPrompts() {
    Verify();
}

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

ScriptedPrompts& ScriptedPrompts::ExpectInform(std::string caption, std::string text) {
    return ExpectMessage(std::move(caption), std::move(text), base::PromptAnswer::Ok,
                         base::PromptIcon::Information, base::PromptButtons::Ok);
}

ScriptedPrompts& ScriptedPrompts::ExpectWarn(std::string caption, std::string text) {
    return ExpectMessage(std::move(caption), std::move(text), base::PromptAnswer::Ok,
                         base::PromptIcon::Warning, base::PromptButtons::Ok);
}

ScriptedPrompts& ScriptedPrompts::ExpectYesNo(std::string caption, std::string text, bool yes,
                                              base::PromptIcon icon) {
    return ExpectMessage(std::move(caption), std::move(text),
                         yes ? base::PromptAnswer::Yes : base::PromptAnswer::No, icon,
                         base::PromptButtons::YesNo);
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

ScriptedPrompts& ScriptedPrompts::ExpectFont(std::optional<base::FontChoice> answer) {
    return Expect({.kind = PromptKind::Font, .fontAnswer = std::move(answer)});
}

ScriptedPrompts& ScriptedPrompts::ExpectColor(std::optional<uint32_t> answer) {
    return Expect({.kind = PromptKind::Color, .colorAnswer = answer});
}

ScriptedPrompts& ScriptedPrompts::ExpectDate(std::optional<base::Date> answer,
                                             std::optional<std::string> caption) {
    return Expect({.kind = PromptKind::Date, .caption = std::move(caption), .dateAnswer = answer});
}

ScriptedPrompts& ScriptedPrompts::ExpectPrintDialog(bool answer, std::optional<std::string> title) {
    return Expect({.kind = PromptKind::Print, .caption = std::move(title), .boolAnswer = answer});
}

ScriptedPrompts& ScriptedPrompts::ExpectPrinterSetup(bool answer) {
    return Expect({.kind = PromptKind::PrinterSetup, .boolAnswer = answer});
}

void ScriptedPrompts::Verify() {
    for (const Expectation& e : script_)
        ADD_FAILURE() << "Expected " << Describe(e.kind, e.caption, e.text) << " was never shown";
    script_.clear();
}

std::optional<ScriptedPrompts::Expectation> ScriptedPrompts::Take(const ShownPrompt& prompt) {
    shown_.push_back(prompt);
    const std::string shownAs = Describe(prompt.kind, prompt.caption, prompt.text);
    if (script_.empty()) {
        ADD_FAILURE() << "Unexpected " << shownAs;
        return std::nullopt;
    }
    if (script_.front().kind != prompt.kind) {
        const Expectation& next = script_.front();
        ADD_FAILURE() << "Unexpected " << shownAs << "; the script waits for "
                      << Describe(next.kind, next.caption, next.text);
        return std::nullopt;
    }
    Expectation e = std::move(script_.front());
    script_.pop_front();
    if (e.caption && *e.caption != prompt.caption)
        ADD_FAILURE() << KindName(prompt.kind) << " caption \"" << prompt.caption
                      << "\" differs from the expected \"" << *e.caption << "\"";
    if (e.text && *e.text != prompt.text)
        ADD_FAILURE() << KindName(prompt.kind) << " text \"" << prompt.text
                      << "\" differs from the expected \"" << *e.text << "\"";
    if (e.icon && *e.icon != prompt.icon)
        ADD_FAILURE() << shownAs << " shows icon " << IconName(prompt.icon) << " instead of "
                      << IconName(*e.icon);
    if (e.buttons && *e.buttons != prompt.buttons)
        ADD_FAILURE() << shownAs << " shows buttons " << ButtonsName(prompt.buttons)
                      << " instead of " << ButtonsName(*e.buttons);
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

std::optional<base::FontChoice> ScriptedPrompts::ChooseFont(const base::FontChoice& initial,
                                                            bool fixedPitchOnly) {
    const auto e =
        Take({.kind = PromptKind::Font, .initialFont = initial, .fixedPitchOnly = fixedPitchOnly});
    return e ? e->fontAnswer : std::nullopt;
}

std::optional<uint32_t> ScriptedPrompts::ChooseColor(uint32_t initial) {
    const auto e = Take({.kind = PromptKind::Color, .text = std::to_string(initial)});
    return e ? e->colorAnswer : std::nullopt;
}

std::optional<base::Date> ScriptedPrompts::PickDate(std::string_view caption, base::Date) {
    const auto e = Take({.kind = PromptKind::Date, .caption = std::string(caption)});
    return e ? e->dateAnswer : std::nullopt;
}

bool ScriptedPrompts::PrintDialog(std::string_view title) {
    const auto e = Take({.kind = PromptKind::Print, .caption = std::string(title)});
    return e && e->boolAnswer;
}

bool ScriptedPrompts::PrinterSetup() {
    const auto e = Take({.kind = PromptKind::PrinterSetup});
    return e && e->boolAnswer;
}

}  // namespace testsupport

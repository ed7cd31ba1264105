#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <utility>

namespace testsupport {

namespace {

const char* KindName(PromptKind kind) {
    switch (kind) {
        case PromptKind::Message:
            return "message box";
        case PromptKind::OpenFile:
            return "open-file dialog";
        case PromptKind::SaveFile:
            return "save-file dialog";
        case PromptKind::Font:
            return "font dialog";
        case PromptKind::Color:
            return "colour dialog";
        case PromptKind::Date:
            return "date picker";
        case PromptKind::Print:
            return "print dialog";
        case PromptKind::PrinterSetup:
            return "printer set-up";
    }
    return "prompt";
}

const char* IconName(base::PromptIcon icon) {
    switch (icon) {
        case base::PromptIcon::None:
            return "no icon";
        case base::PromptIcon::Information:
            return "Information";
        case base::PromptIcon::Warning:
            return "Warning";
        case base::PromptIcon::Error:
            return "Error";
        case base::PromptIcon::Question:
            return "Question";
    }
    return "?";
}

const char* ButtonsName(base::PromptButtons buttons) {
    switch (buttons) {
        case base::PromptButtons::Ok:
            return "OK";
        case base::PromptButtons::OkCancel:
            return "OK/Cancel";
        case base::PromptButtons::YesNo:
            return "Yes/No";
        case base::PromptButtons::YesNoCancel:
            return "Yes/No/Cancel";
    }
    return "?";
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

ScriptedPrompts& ScriptedPrompts::ExpectMessage(std::string caption, std::string text,
                                                base::PromptAnswer answer,
                                                std::optional<base::PromptIcon> icon,
                                                std::optional<base::PromptButtons> buttons) {
    Expectation e;
    e.kind = PromptKind::Message;
    e.caption = std::move(caption);
    e.text = std::move(text);
    e.icon = icon;
    e.buttons = buttons;
    e.answer = answer;
    script_.push_back(std::move(e));
    return *this;
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
    Expectation e;
    e.kind = PromptKind::OpenFile;
    e.caption = std::move(caption);
    e.fileAnswer = std::move(answer);
    script_.push_back(std::move(e));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::ExpectSaveFile(std::optional<std::string> answer,
                                                 std::optional<std::string> caption,
                                                 std::optional<std::string> proposedName) {
    Expectation e;
    e.kind = PromptKind::SaveFile;
    e.caption = std::move(caption);
    e.text = std::move(proposedName);
    e.fileAnswer = std::move(answer);
    script_.push_back(std::move(e));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::ExpectFont(std::optional<base::FontChoice> answer) {
    Expectation e;
    e.kind = PromptKind::Font;
    e.fontAnswer = std::move(answer);
    script_.push_back(std::move(e));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::ExpectColor(std::optional<uint32_t> answer) {
    Expectation e;
    e.kind = PromptKind::Color;
    e.colorAnswer = answer;
    script_.push_back(std::move(e));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::ExpectDate(std::optional<base::Date> answer,
                                             std::optional<std::string> caption) {
    Expectation e;
    e.kind = PromptKind::Date;
    e.caption = std::move(caption);
    e.dateAnswer = answer;
    script_.push_back(std::move(e));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::ExpectPrintDialog(bool answer, std::optional<std::string> title) {
    Expectation e;
    e.kind = PromptKind::Print;
    e.caption = std::move(title);
    e.boolAnswer = answer;
    script_.push_back(std::move(e));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::ExpectPrinterSetup(bool answer) {
    Expectation e;
    e.kind = PromptKind::PrinterSetup;
    e.boolAnswer = answer;
    script_.push_back(std::move(e));
    return *this;
}

std::vector<std::string> ScriptedPrompts::messageTexts() const {
    std::vector<std::string> texts;
    for (const ShownPrompt& p : shown_)
        if (p.kind == PromptKind::Message) texts.push_back(p.text);
    return texts;
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
    ShownPrompt p;
    p.kind = PromptKind::Message;
    p.caption = caption;
    p.text = text;
    p.icon = icon;
    p.buttons = buttons;
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
    ShownPrompt p;
    p.kind = PromptKind::OpenFile;
    p.caption = caption;
    p.text = directory;
    p.filter = filter;
    std::optional<Expectation> e = Take(p);
    return e ? e->fileAnswer : std::nullopt;
}

std::optional<std::string> ScriptedPrompts::SaveFileName(std::string_view caption,
                                                         std::string_view proposedName,
                                                         std::string_view filter) {
    ShownPrompt p;
    p.kind = PromptKind::SaveFile;
    p.caption = caption;
    p.text = proposedName;
    p.filter = filter;
    std::optional<Expectation> e = Take(p);
    return e ? e->fileAnswer : std::nullopt;
}

std::optional<base::FontChoice> ScriptedPrompts::ChooseFont(const base::FontChoice& initial,
                                                            bool fixedPitchOnly) {
    ShownPrompt p;
    p.kind = PromptKind::Font;
    p.initialFont = initial;
    p.fixedPitchOnly = fixedPitchOnly;
    std::optional<Expectation> e = Take(p);
    return e ? e->fontAnswer : std::nullopt;
}

std::optional<uint32_t> ScriptedPrompts::ChooseColor(uint32_t initial) {
    ShownPrompt p;
    p.kind = PromptKind::Color;
    p.text = std::to_string(initial);
    std::optional<Expectation> e = Take(p);
    return e ? e->colorAnswer : std::nullopt;
}

std::optional<base::Date> ScriptedPrompts::PickDate(std::string_view caption, base::Date) {
    ShownPrompt p;
    p.kind = PromptKind::Date;
    p.caption = caption;
    std::optional<Expectation> e = Take(p);
    return e ? e->dateAnswer : std::nullopt;
}

bool ScriptedPrompts::PrintDialog(std::string_view title) {
    ShownPrompt p;
    p.kind = PromptKind::Print;
    p.caption = title;
    std::optional<Expectation> e = Take(p);
    return e && e->boolAnswer;
}

bool ScriptedPrompts::PrinterSetup() {
    ShownPrompt p;
    p.kind = PromptKind::PrinterSetup;
    std::optional<Expectation> e = Take(p);
    return e && e->boolAnswer;
}

}  // namespace testsupport

// The RTF reader: a single pass over the text with a stack of groups, each carrying the
// character formatting in force and what its text is for (the letter, the font or colour table,
// or nothing the document model holds).

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "base/RichText.h"
#include "base/Windows1252.h"

namespace base {
namespace {

// Deeper groups are read as if they held nothing; real documents nest a few levels.
constexpr size_t kDeepestGroup = 200;
constexpr int kLargestIndent = 31680;  // 22 inches
constexpr int kLargestPointSize = 1638;

enum class Destination { Text, FontTable, ColorTable, Skip };

struct CharState {
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int color = 0;
    int skipAfterUnicode = 1;  // \ucN
};

struct Group {
    CharState chars;
    Destination destination = Destination::Text;
};

// Destinations whose text is no part of the letter.
bool IsSkippedDestination(std::string_view word) {
    static constexpr std::string_view kSkipped[] = {"stylesheet",
                                                    "info",
                                                    "pict",
                                                    "object",
                                                    "header",
                                                    "headerl",
                                                    "headerr",
                                                    "headerf",
                                                    "footer",
                                                    "footerl",
                                                    "footerr",
                                                    "footerf",
                                                    "footnote",
                                                    "fldinst",
                                                    "annotation",
                                                    "listtable",
                                                    "listoverridetable",
                                                    "rsidtbl",
                                                    "generator",
                                                    "themedata",
                                                    "colorschememapping",
                                                    "latentstyles",
                                                    "datastore",
                                                    "xmlnstbl",
                                                    "pn",
                                                    "pntext",
                                                    "listtext",
                                                    "shppict",
                                                    "nonshppict",
                                                    "bkmkstart",
                                                    "bkmkend",
                                                    "revtbl",
                                                    "mmathPr",
                                                    "pgdsctbl"};
    return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

class Reader {
public:
    explicit Reader(std::string_view rtf) : rtf_(rtf) {}

    RichDocument Read() {
        groups_.push_back(Group{});
        while (at_ < rtf_.size()) {
            const char c = rtf_[at_++];
            if (c == '{') {
                OpenGroup();
            } else if (c == '}') {
                CloseGroup();
            } else if (c == '\\') {
                Control();
            } else if (c != '\r' && c != '\n') {
                Character(Win1252ToCodePoint(static_cast<uint8_t>(c)));
            }
        }
        if (!paragraph_.runs.empty()) EndParagraph();
        return std::move(document_);
    }

private:
    Group& top() { return groups_.back(); }
    bool skipping() const {
        return overflow_ > 0 || groups_.back().destination == Destination::Skip;
    }

    void OpenGroup() {
        if (overflow_ > 0 || groups_.size() >= kDeepestGroup) {
            ++overflow_;
            return;
        }
        groups_.push_back(groups_.back());
        groupStart_ = true;
    }

    void CloseGroup() {
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (top().destination == Destination::FontTable) FinishFont();
        if (groups_.size() > 1) groups_.pop_back();
        groupStart_ = false;
    }

    // A control word or symbol after its backslash.
    void Control() {
        if (at_ >= rtf_.size()) return;
        const char c = rtf_[at_];
        if (!IsLetter(c)) {
            ++at_;
            ControlSymbol(c);
            return;
        }
        const size_t start = at_;
        while (at_ < rtf_.size() && IsLetter(rtf_[at_]) && at_ - start < 32) ++at_;
        const std::string_view word = rtf_.substr(start, at_ - start);
        std::optional<int> parameter;
        bool negative = false;
        if (at_ < rtf_.size() && rtf_[at_] == '-') {
            negative = true;
            ++at_;
        }
        long long value = 0;
        size_t digits = 0;
        while (at_ < rtf_.size() && rtf_[at_] >= '0' && rtf_[at_] <= '9') {
            if (digits++ < 10) value = value * 10 + (rtf_[at_] - '0');
            ++at_;
        }
        if (digits > 0) {
            value = std::clamp(negative ? -value : value, -2147483647LL, 2147483647LL);
            parameter = static_cast<int>(value);
        }
        if (at_ < rtf_.size() && rtf_[at_] == ' ') ++at_;
        const bool first = groupStart_;
        groupStart_ = false;
        Word(word, parameter, first);
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    void ControlSymbol(char c) {
        groupStart_ = false;
        switch (c) {
            case '\\':
            case '{':
            case '}':
                Character(static_cast<unsigned char>(c));
                break;
            case '~':
                Character(0xA0);
                break;
            case '_':
                Character('-');
                break;
            case '*':
                if (overflow_ == 0) top().destination = Destination::Skip;
                break;
            case '\'':
                Character(Win1252ToCodePoint(HexByte()));
                break;
            case '\r':
            case '\n':
                Word("par", std::nullopt, false);
                break;
            default:
                break;  // \- (optional hyphen) and the rest show nothing
        }
    }

    uint8_t HexByte() {
        int value = 0;
        for (int k = 0; k < 2 && at_ < rtf_.size(); ++k) {
            const char h = rtf_[at_];
            int digit = -1;
            if (h >= '0' && h <= '9') digit = h - '0';
            if (h >= 'a' && h <= 'f') digit = h - 'a' + 10;
            if (h >= 'A' && h <= 'F') digit = h - 'A' + 10;
            if (digit < 0) break;
            value = value * 16 + digit;
            ++at_;
        }
        return static_cast<uint8_t>(value);
    }

    void Word(std::string_view word, std::optional<int> parameter, bool groupStart) {
        if (word == "pnlvlblt" || word == "pntext" || word == "listtext") paragraph_.bullet = true;
        if (word == "bin") {
            // Binary data of the given length follows; it is passed over whole.
            at_ += std::min<size_t>(rtf_.size() - at_, std::max(0, parameter.value_or(0)));
            return;
        }
        if (overflow_ > 0) return;
        if (groupStart && IsSkippedDestination(word)) {
            top().destination = Destination::Skip;
            return;
        }
        if (word == "fonttbl") {
            top().destination = Destination::FontTable;
            return;
        }
        if (word == "colortbl") {
            top().destination = Destination::ColorTable;
            color_ = {};
            return;
        }
        const int n = parameter.value_or(1);
        CharState& chars = top().chars;
        switch (top().destination) {
            case Destination::FontTable:
                if (word == "f") fontNumber_ = n;
                return;
            case Destination::ColorTable:
                if (word == "red") color_.red = n;
                if (word == "green") color_.green = n;
                if (word == "blue") color_.blue = n;
                return;
            case Destination::Skip:
                return;
            case Destination::Text:
                break;
        }
        if (word == "deff")
            defaultFont_ = n;
        else if (word == "plain")
            chars =
                CharState{defaultFont_, 24, false, false, false, false, 0, chars.skipAfterUnicode};
        else if (word == "f")
            chars.font = n;
        else if (word == "fs")
            chars.halfPoints = n;
        else if (word == "b")
            chars.bold = n != 0;
        else if (word == "i")
            chars.italic = n != 0;
        else if (word == "ul")
            chars.underline = n != 0;
        else if (word == "ulnone")
            chars.underline = false;
        else if (word == "strike")
            chars.strikeOut = n != 0;
        else if (word == "cf")
            chars.color = n;
        else if (word == "uc")
            chars.skipAfterUnicode = std::clamp(n, 0, 10);
        else if (word == "u")
            Unicode(parameter.value_or(0));
        else if (word == "pard")
            ResetParagraph();
        else if (word == "ql" || word == "qj")
            paragraph_.alignment = ParagraphAlignment::Left;
        else if (word == "qc")
            paragraph_.alignment = ParagraphAlignment::Center;
        else if (word == "qr")
            paragraph_.alignment = ParagraphAlignment::Right;
        else if (word == "fi")
            paragraph_.firstIndent = Indent(n);
        else if (word == "li")
            paragraph_.leftIndent = Indent(n);
        else if (word == "ri")
            paragraph_.rightIndent = Indent(n);
        else if (word == "par" || word == "row")
            EndParagraph();
        else if (word == "line")
            Character('\n');
        else if (word == "tab" || word == "cell")
            Character('\t');
        else if (word == "bullet")
            Character(0x2022);
        else if (word == "emdash")
            Character(0x2014);
        else if (word == "endash")
            Character(0x2013);
        else if (word == "lquote")
            Character(0x2018);
        else if (word == "rquote")
            Character(0x2019);
        else if (word == "ldblquote")
            Character(0x201C);
        else if (word == "rdblquote")
            Character(0x201D);
    }

    static int Indent(int twips) { return std::clamp(twips, -kLargestIndent, kLargestIndent); }

    void Unicode(int value) {
        char32_t c = static_cast<char32_t>(static_cast<uint16_t>(value));
        if (c >= 0xD800 && c < 0xDC00) {
            highSurrogate_ = c;
            c = 0;
        } else if (c >= 0xDC00 && c < 0xE000) {
            c = highSurrogate_ ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (c - 0xDC00) : 0;
            highSurrogate_ = 0;
        }
        if (c != 0) Character(c);
        SkipFallback(top().chars.skipAfterUnicode);
    }

    // The characters standing in for a \uN for readers without Unicode.
    void SkipFallback(int count) {
        while (count-- > 0 && at_ < rtf_.size()) {
            const char c = rtf_[at_];
            if (c == '{' || c == '}') return;
            if (c == '\\') {
                if (at_ + 1 < rtf_.size() && rtf_[at_ + 1] == '\'') {
                    at_ += 2;
                    HexByte();
                    continue;
                }
                return;  // a control word ends the fallback
            }
            ++at_;
        }
    }

    void Character(char32_t c) {
        groupStart_ = false;
        if (c < 0x20 && c != '\t' && c != '\n') return;  // no place in a document
        switch (skipping() ? Destination::Skip : top().destination) {
            case Destination::FontTable:
                if (c == ';')
                    FinishFont();
                else if (c >= 0x20)  // a font's name is one line
                    AppendUtf8(fontName_, c);
                return;
            case Destination::ColorTable:
                if (c == ';') {
                    colors_.push_back(static_cast<uint32_t>(
                        (std::clamp(color_.red, 0, 255)) | (std::clamp(color_.green, 0, 255) << 8) |
                        (std::clamp(color_.blue, 0, 255) << 16)));
                    color_ = {};
                }
                return;
            case Destination::Skip:
                return;
            case Destination::Text:
                break;
        }
        std::string text;
        AppendUtf8(text, c);
        AppendRun(text);
    }

    void AppendRun(std::string_view text) {
        const FontChoice font = CurrentFont();
        std::vector<TextRun>& runs = paragraph_.runs;
        if (!runs.empty() && runs.back().font == font)
            runs.back().text += text;
        else
            runs.push_back(TextRun{std::string(text), font});
    }

    FontChoice CurrentFont() const {
        const CharState& chars = groups_.back().chars;
        FontChoice font;
        const auto named = fonts_.find(chars.font);
        if (named != fonts_.end()) font.family = named->second;
        font.pointSize = std::clamp(chars.halfPoints / 2, 1, kLargestPointSize);
        font.bold = chars.bold;
        font.italic = chars.italic;
        font.underline = chars.underline;
        font.strikeOut = chars.strikeOut;
        // \cfN counts the colour table's entries from 0; the first is usually the automatic
        // colour, an empty entry, read as black.
        if (chars.color > 0 && static_cast<size_t>(chars.color) < colors_.size())
            font.color = colors_[static_cast<size_t>(chars.color)];
        return font;
    }

    void FinishFont() {
        if (fontNumber_ && !fontName_.empty()) {
            std::string name = fontName_;
            while (!name.empty() && name.back() == ' ') name.pop_back();
            while (!name.empty() && name.front() == ' ') name.erase(name.begin());
            fonts_.emplace(*fontNumber_, name);
        }
        fontNumber_.reset();
        fontName_.clear();
    }

    void ResetParagraph() {
        paragraph_.alignment = ParagraphAlignment::Left;
        paragraph_.firstIndent = 0;
        paragraph_.leftIndent = 0;
        paragraph_.rightIndent = 0;
        paragraph_.bullet = false;
    }

    void EndParagraph() {
        if (paragraph_.runs.empty()) paragraph_.runs.push_back(TextRun{"", CurrentFont()});
        Paragraph& added = document_.AddParagraph(paragraph_.alignment);
        added = paragraph_;
        // Paragraph formatting lasts until the next \pard; the text starts afresh.
        paragraph_.runs.clear();
    }

    struct Rgb {
        int red = 0;
        int green = 0;
        int blue = 0;
    };

    std::string_view rtf_;
    size_t at_ = 0;
    std::vector<Group> groups_;
    size_t overflow_ = 0;
    bool groupStart_ = false;
    int defaultFont_ = 0;
    std::map<int, std::string> fonts_;
    std::optional<int> fontNumber_;
    std::string fontName_;
    std::vector<uint32_t> colors_;
    Rgb color_;
    char32_t highSurrogate_ = 0;
    Paragraph paragraph_;
    RichDocument document_;
};

}  // namespace

std::optional<RichDocument> FromRtf(std::string_view rtf) {
    const size_t start = rtf.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || rtf.substr(start, 5) != "{\\rtf") return std::nullopt;
    return Reader(rtf.substr(start)).Read();
}

}  // namespace base

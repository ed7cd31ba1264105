#include "base/RichText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>

#include "base/Windows1252.h"

namespace base {

namespace {

// Decodes one UTF-8 sequence at `i` (advancing it); malformed bytes give U+FFFD.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t c = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        c = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (byte(i) & 0xC0) != 0x80) return 0xFFFD;
        c = (c << 6) | (byte(i++) & 0x3F);
    }
    return c;
}

void AppendUnicodeEscape(std::string& out, char32_t c) {
    // RTF's \uN takes a signed 16-bit number and is followed by one fallback character (\uc1).
    const auto unit = [&](uint16_t u) {
        out += "\\u" + std::to_string(static_cast<int16_t>(u)) + "?";
    };
    if (c > 0xFFFF) {
        c -= 0x10000;
        unit(static_cast<uint16_t>(0xD800 + (c >> 10)));
        unit(static_cast<uint16_t>(0xDC00 + (c & 0x3FF)));
    } else {
        unit(static_cast<uint16_t>(c));
    }
}

void AppendEscapedText(std::string& out, std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == '\n') {
            out += "\\line ";
        } else if (c < 0x20) {
            continue;  // other control characters have no place in a document
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (const std::optional<uint8_t> b = CodePointToWin1252(c)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", *b);
            out += hex;
        } else {
            AppendUnicodeEscape(out, c);
        }
    }
}

// Font names may not hold the table's own delimiters.
std::string EscapedFontName(const std::string& family) {
    std::string out;
    AppendEscapedText(out, family);
    out.erase(std::remove(out.begin(), out.end(), ';'), out.end());
    return out;
}

template <typename T>
int IndexOf(std::vector<T>& table, const T& value) {
    auto it = std::find(table.begin(), table.end(), value);
    if (it == table.end()) it = table.insert(table.end(), value);
    return static_cast<int>(it - table.begin());
}

const char* AlignmentWord(ParagraphAlignment alignment) {
    switch (alignment) {
        case ParagraphAlignment::Left:
            return "\\ql";
        case ParagraphAlignment::Center:
            return "\\qc";
        case ParagraphAlignment::Right:
            return "\\qr";
    }
    return "\\ql";
}

}  // namespace

std::string Paragraph::Text() const {
    std::string text;
    for (const TextRun& run : runs) text += run.text;
    return text;
}

RichDocument RichDocument::FromPlainText(std::string_view text, const FontChoice& font) {
    RichDocument document;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        document.AddParagraph().runs.push_back(TextRun{std::string(line), font});
        start = end + 1;
    }
    return document;
}

Paragraph& RichDocument::AddParagraph(ParagraphAlignment alignment) {
    paragraphs_.push_back(Paragraph{{}, alignment});
    return paragraphs_.back();
}

void RichDocument::AppendText(std::string_view text, const FontChoice& font) {
    if (paragraphs_.empty()) AddParagraph();
    std::vector<TextRun>& runs = paragraphs_.back().runs;
    if (!runs.empty() && runs.back().font == font)
        runs.back().text += text;
    else
        runs.push_back(TextRun{std::string(text), font});
}

std::string RichDocument::PlainText() const {
    std::string text;
    for (size_t i = 0; i < paragraphs_.size(); ++i) {
        if (i > 0) text += '\n';
        text += paragraphs_[i].Text();
    }
    return text;
}

std::string ToRtf(const RichDocument& document) {
    // Font and colour tables are collected first: RTF declares them before the text.
    std::vector<std::string> fonts;
    std::vector<uint32_t> colors;
    for (const Paragraph& paragraph : document.paragraphs())
        for (const TextRun& run : paragraph.runs) {
            IndexOf(fonts, run.font.family);
            IndexOf(colors, run.font.color & 0xFFFFFFu);
        }
    if (fonts.empty()) fonts.push_back("Courier New");

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i)
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 " + EscapedFontName(fonts[i]) + ";}";
    out += "}\r\n{\\colortbl ;";
    for (uint32_t color : colors)
        out += "\\red" + std::to_string(color & 0xFF) + "\\green" +
               std::to_string((color >> 8) & 0xFF) + "\\blue" +
               std::to_string((color >> 16) & 0xFF) + ";";
    out += "}\r\n";

    for (const Paragraph& paragraph : document.paragraphs()) {
        out += "\\pard";
        out += AlignmentWord(paragraph.alignment);
        if (paragraph.firstIndent != 0) out += "\\fi" + std::to_string(paragraph.firstIndent);
        if (paragraph.leftIndent != 0) out += "\\li" + std::to_string(paragraph.leftIndent);
        if (paragraph.rightIndent != 0) out += "\\ri" + std::to_string(paragraph.rightIndent);
        // Old-style list text first, for readers without lists; then the bullet itself.
        if (paragraph.bullet)
            out += "{\\pntext\\bullet\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\bullet}}";
        // Character formatting stays open up to \par, so that the paragraph mark (and with it the
        // height of an empty line) takes the last run's font.
        for (const TextRun& run : paragraph.runs) {
            const FontChoice& f = run.font;
            out += "\\plain\\f" + std::to_string(IndexOf(fonts, f.family)) + "\\fs" +
                   std::to_string(std::max(1, f.pointSize) * 2) + "\\cf" +
                   std::to_string(IndexOf(colors, f.color & 0xFFFFFFu) + 1);
            if (f.bold) out += "\\b";
            if (f.italic) out += "\\i";
            if (f.underline) out += "\\ul";
            if (f.strikeOut) out += "\\strike";
            out += ' ';
            AppendEscapedText(out, run.text);
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

bool SaveRtf(const RichDocument& document, const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    const std::string rtf = ToRtf(document);
    file.write(rtf.data(), static_cast<std::streamsize>(rtf.size()));
    file.close();
    return !file.fail();
}

}  // namespace base

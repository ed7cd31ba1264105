#include "correspondence/LetterFile.h"

#include <algorithm>
#include <cctype>

#include "base/Windows1252.h"

namespace correspondence {
namespace {

bool IsUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80             ? 0
                          : (lead & 0xE0) == 0xC0 ? 1
                          : (lead & 0xF0) == 0xE0 ? 2
                          : (lead & 0xF8) == 0xF0 ? 3
                                                  : -1;
        if (extra < 0 || i + extra >= text.size()) return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace

base::RichDocument LetterFromFile(std::string_view contents, const base::FontChoice& font) {
    if (std::optional<base::RichDocument> rich = base::FromRtf(contents)) return *rich;
    const std::string text =
        IsUtf8(contents) ? std::string(contents) : base::Win1252ToUtf8(contents);
    return base::RichDocument::FromPlainText(text, font);
}

bool IsTextLetterName(std::string_view path) {
    if (path.size() < 4) return false;
    std::string suffix(path.substr(path.size() - 4));
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return suffix == ".TXT";
}

std::string LetterFileContents(const base::RichDocument& letter, bool plainText) {
    if (!plainText) return base::ToRtf(letter);
    std::string text;
    for (const base::Paragraph& paragraph : letter.paragraphs()) text += paragraph.Text() + "\r\n";
    return text;
}

}  // namespace correspondence

#include "records/FontSpec.h"

#include "base/Windows1252.h"

namespace records {

base::FontChoice FontSpec::ToChoice() const {
    base::FontChoice choice;
    choice.family = base::Win1252ToUtf8(name);
    choice.pointSize = size;
    choice.color = color;
    choice.bold = style & kBold;
    choice.italic = style & kItalic;
    choice.underline = style & kUnderline;
    choice.strikeOut = style & kStrikeOut;
    return choice;
}

std::optional<FontSpec> FontSpec::FromChoice(const base::FontChoice& choice) {
    std::optional<std::string> name = base::Utf8ToWin1252(choice.family);
    if (!name) return std::nullopt;
    FontSpec font;
    font.name = std::move(*name);
    font.size = choice.pointSize;
    font.color = choice.color;
    font.style = (choice.bold ? kBold : 0) | (choice.italic ? kItalic : 0) |
                 (choice.underline ? kUnderline : 0) | (choice.strikeOut ? kStrikeOut : 0);
    return font;
}

FontSpec ReadFont(const uint8_t* record, int nameOffset, int nameSize) {
    const int sizeOffset = FontSizeOffset(nameOffset, nameSize);
    FontSpec font;
    font.name = base::ReadText(record, nameOffset, nameSize);
    font.size = base::ReadInt32(record, sizeOffset);
    font.color = static_cast<uint32_t>(base::ReadInt32(record, sizeOffset + 4));
    font.style = record[sizeOffset + 8];
    return font;
}

void WriteFont(uint8_t* record, int nameOffset, int nameSize, const FontSpec& font) {
    const int sizeOffset = FontSizeOffset(nameOffset, nameSize);
    base::WriteText(record, nameOffset, nameSize, font.name);
    base::WriteInt32(record, sizeOffset, font.size);
    base::WriteInt32(record, sizeOffset + 4, static_cast<int32_t>(font.color));
    record[sizeOffset + 8] = font.style;
}

}  // namespace records

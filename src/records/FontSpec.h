#pragma once
// A font as the company record stores it: name (1+n text), size in points, colour (0x00BBGGRR)
// and a style byte (bit 0 bold, bit 1 italic, bit 2 underline, bit 3 strike-out).
//
// The record keeps fonts in two shapes with one rule: the name at some offset, then the size as
// a 32-bit integer at the next multiple of four after the name, the colour 4 bytes later and the
// style 8 bytes later. The 48-byte `FontSpec` block of the printed-form fonts is that shape with
// a 32-character name at its start:
//   OFFSET SIZE FIELD
//        0 1+32 name
//       33    3 padding
//       36    4 size
//       40    4 colour
//       44    1 style
//       45    3 padding

#include <cstdint>
#include <optional>
#include <string>

#include "base/PromptService.h"
#include "base/RecordField.h"

namespace records {

enum FontStyle : uint8_t { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kBlue = 0xFF0000;

struct FontSpec {
    std::string name;  // Windows-1252
    int32_t size = 0;
    uint32_t color = 0;
    uint8_t style = 0;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;

    base::FontChoice ToChoice() const;
    // Nothing when the family name holds a character the record's code page cannot hold.
    static std::optional<FontSpec> FromChoice(const base::FontChoice& choice);
};

constexpr int kFontSpecSize = 48;
constexpr int kFontSpecNameSize = 32;

// Where the size of a font whose name field starts at `nameOffset` lies.
constexpr int FontSizeOffset(int nameOffset, int nameSize) {
    return (nameOffset + 1 + nameSize + 3) / 4 * 4;
}

FontSpec ReadFont(const uint8_t* record, int nameOffset, int nameSize);
// The name is cut to `nameSize` characters; padding bytes stay as they are.
void WriteFont(uint8_t* record, int nameOffset, int nameSize, const FontSpec& font);

}  // namespace records

#define KT_RECORD_ACCESSOR_Font(getter, setter, offset, size) \
    records::FontSpec getter() const {                        \
        return records::ReadFont(data(), offset, size);       \
    }                                                         \
    void setter(const records::FontSpec& font) {              \
        records::WriteFont(data(), offset, size, font);       \
    }

#pragma once
// A mailing-label layout and its file: one record of 444 bytes, zero-filled before it is written.
// Texts are length-prefixed (one length byte, then at most the field's characters, Windows-1252).
//   OFFSET SIZE FIELD
//        0 1+50 description
//       51  1+3 left margin          (digits; the six sizes are printer dots)
//       55  1+3 top margin
//       59  1+1 columns across
//       61  1+2 rows down
//       64  1+4 label width
//       69  1+4 label height
//       74 1+32 font name
//      107    1 filler
//      108    4 font size in points, signed little-endian
//      112    4 font colour 0x00BBGGRR
//      116    1 font style bits: 1 bold, 2 italic, 4 underline, 8 strike-out
//      117    1 use the shipping address, 0 or 1
//      118    1 print the company's return address, 0 or 1
//      119 1+255 bitmap of the return address; a single blank when the return address is off
//      375   51 reserved
//      426    1 print a line between the addresses, 0 or 1; 0 when the return address is off
//      427  1+1 line width (a digit)
//      429    2 reserved
//      431 1+10 send-to caption
//      442    2 reserved
//
// The last layout opened or saved is remembered in "Lastlbl.DAT": 256 bytes, a length-prefixed
// path of at most 255 characters.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "records/FontSpec.h"

namespace correspondence {

inline constexpr size_t kLabelLayoutSize = 444;
inline constexpr size_t kLastLayoutSize = 256;
inline constexpr char kLastLayoutFile[] = "Lastlbl.DAT";
// A copy of the layout opened last, for programs that print labels without the wizard.
inline constexpr char kLayoutCopyFile[] = "Label.Dat";

// The layout as the wizard's fields hold it: the six sizes stay the texts typed.
struct LabelLayout {
    std::string description;
    std::string leftMargin;
    std::string topMargin;
    std::string columnsAcross;
    std::string rowsDown;
    std::string labelWidth;
    std::string labelHeight;
    records::FontSpec font;
    bool shippingAddress = false;
    bool returnAddress = false;
    std::string bitmap;
    bool printLine = false;
    std::string lineWidth;
    std::string sendToCaption;
    friend bool operator==(const LabelLayout&, const LabelLayout&) = default;
};

// The layout as it is stored: without the return address there is no bitmap (a single blank)
// and no line between the addresses.
LabelLayout StoredForm(LabelLayout layout);

// The 444 bytes of the layout's file; texts longer than their fields are cut.
std::string LabelLayoutBytes(const LabelLayout& layout);
// The layout a file holds; nothing for a file of another length, a text whose length byte is
// above its field, or a flag other than 0 or 1.
std::optional<LabelLayout> ReadLabelLayout(std::string_view bytes);

// Why a file was refused as a layout.
std::string NotALayoutText(std::string_view path);

// "Lastlbl.DAT" naming `path`; nothing for a path longer than 255 characters, which the file
// cannot hold.
std::optional<std::string> LastLayoutBytes(std::string_view path);
// The path "Lastlbl.DAT" names; nothing when the file is damaged or names none.
std::optional<std::string> ReadLastLayout(std::string_view bytes);

}  // namespace correspondence

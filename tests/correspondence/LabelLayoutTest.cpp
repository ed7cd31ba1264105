#include <gtest/gtest.h>

#include <string>

#include "correspondence/LabelLayout.h"

namespace correspondence {
namespace {

LabelLayout Sample() {
    LabelLayout layout;
    layout.description = "Address labels 3 x 10";
    layout.leftMargin = "90";
    layout.topMargin = "150";
    layout.columnsAcross = "3";
    layout.rowsDown = "10";
    layout.labelWidth = "1650";
    layout.labelHeight = "600";
    layout.font = {"Arial", 10, 0x0000FF, records::kBold | records::kItalic};
    layout.shippingAddress = true;
    layout.returnAddress = true;
    layout.bitmap = "/home/desk/logo.bmp";
    layout.printLine = true;
    layout.lineWidth = "2";
    layout.sendToCaption = "Send To:";
    return layout;
}

// The file written from the offset table, field by field.
std::string ExpectedBytes() {
    std::string bytes(444, '\0');
    const auto text = [&](size_t offset, std::string_view value) {
        bytes[offset] = static_cast<char>(value.size());
        bytes.replace(offset + 1, value.size(), value);
    };
    text(0, "Address labels 3 x 10");
    text(51, "90");
    text(55, "150");
    text(59, "3");
    text(61, "10");
    text(64, "1650");
    text(69, "600");
    text(74, "Arial");
    bytes[108] = 10;      // size, little-endian
    bytes[112] = '\xFF';  // colour 0x000000FF
    bytes[116] = 3;       // bold, italic
    bytes[117] = 1;       // shipping address
    bytes[118] = 1;       // return address
    text(119, "/home/desk/logo.bmp");
    bytes[426] = 1;  // line between addresses
    text(427, "2");
    text(431, "Send To:");
    return bytes;
}

TEST(LabelLayoutTest, FileMatchesTheOffsetTableByteForByte) {
    EXPECT_EQ(LabelLayoutBytes(Sample()), ExpectedBytes());
}

TEST(LabelLayoutTest, ReadingTheFileGivesTheLayoutBack) {
    EXPECT_EQ(ReadLabelLayout(LabelLayoutBytes(Sample())), Sample());
}

TEST(LabelLayoutTest, WithoutReturnAddressTheBitmapIsOneBlankAndNoLineIsKept) {
    LabelLayout layout = Sample();
    layout.returnAddress = false;
    const std::string bytes = LabelLayoutBytes(layout);
    EXPECT_EQ(bytes.substr(119, 3), std::string("\x01 \0", 3));
    EXPECT_EQ(bytes[426], 0);
    const LabelLayout read = *ReadLabelLayout(bytes);
    EXPECT_EQ(read.bitmap, " ");
    EXPECT_FALSE(read.printLine);
}

TEST(LabelLayoutTest, DamagedFilesAreRefused) {
    const std::string good = LabelLayoutBytes(Sample());
    struct Case {
        const char* name;
        std::string bytes;
    };
    const auto patched = [&](size_t offset, char value) {
        std::string bytes = good;
        bytes[offset] = value;
        return bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"short", good.substr(0, 443)},
        {"long", good + '\0'},
        {"description length above 50", patched(0, 51)},
        {"columns length above 1", patched(59, 2)},
        {"font name length above 32", patched(74, 33)},
        {"caption length above 10", patched(431, 11)},
        {"line width length above 1", patched(427, 2)},
        {"shipping flag 2", patched(117, 2)},
        {"line flag 0xFF", patched(426, '\xFF')},
    };
    for (const Case& c : cases) EXPECT_FALSE(ReadLabelLayout(c.bytes)) << c.name;
}

TEST(LabelLayoutTest, LastLayoutFileHoldsOnePathOf255CharactersAtMost) {
    const std::string path = "/data/labels/3x10.LBL";
    const std::optional<std::string> bytes = LastLayoutBytes(path);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 256u);
    EXPECT_EQ(static_cast<unsigned char>((*bytes)[0]), path.size());
    EXPECT_EQ(ReadLastLayout(*bytes), path);

    EXPECT_TRUE(LastLayoutBytes(std::string(255, 'a')));
    EXPECT_FALSE(LastLayoutBytes(std::string(256, 'a')));
    EXPECT_FALSE(LastLayoutBytes(""));
    EXPECT_FALSE(ReadLastLayout(bytes->substr(0, 255)));
    EXPECT_FALSE(ReadLastLayout(std::string(256, '\0')));
}

}  // namespace
}  // namespace correspondence

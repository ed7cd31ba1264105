#include <gtest/gtest.h>

#include <string>

#include "base/RichText.h"

namespace base {
namespace {

FontChoice Font(std::string family, int size, uint32_t color = 0) {
    FontChoice font;
    font.family = std::move(family);
    font.pointSize = size;
    font.color = color;
    return font;
}

RichDocument Letter() {
    RichDocument document;
    FontChoice bold = Font("Arial", 12);
    bold.bold = true;
    FontChoice styled = Font("Times New Roman", 11, 0x0000FF);
    styled.italic = true;
    styled.underline = true;
    styled.strikeOut = true;
    document.AddParagraph(ParagraphAlignment::Center);
    document.AppendText("Dear ", Font("Arial", 12));
    document.AppendText("ZRCST", bold);
    document.AppendText("NAME,", Font("Arial", 12));
    Paragraph& right = document.AddParagraph(ParagraphAlignment::Right);
    right.leftIndent = 720;
    right.rightIndent = 360;
    right.firstIndent = -360;
    document.AppendText("Caf\u00e9 \u20ac5 \u0141\u00f3d\u017a \U0001F600 {braces} back\\slash",
                        styled);
    Paragraph& bullet = document.AddParagraph();
    bullet.bullet = true;
    bullet.leftIndent = 360;
    document.AppendText("first point\tand a tab\nnext line", Font("Arial", 10));
    document.AddParagraph().runs.push_back(TextRun{"", Font("Arial", 10)});
    return document;
}

TEST(RichTextReader, WhatTheWriterWritesReadsBackTheSame) {
    const std::optional<RichDocument> read = FromRtf(ToRtf(Letter()));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->paragraphs(), Letter().paragraphs());
    EXPECT_EQ(ToRtf(*read), ToRtf(Letter()));
}

TEST(RichTextReader, OtherWritersFilesGiveTheirTextAndFormatting) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
        "{\\f1\\froman Times New Roman{\\*\\panose 02020603050405020304};}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Secret}{\\author Someone}}"
        "{\\*\\generator Writer;}\\viewkind4\r\n"
        "\\pard\\qc\\f0\\fs28\\b Hello\\b0  {\\i W}orld\\par\r\n"
        "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}\\fi-360\\li720"
        "\\cf1\\f1\\fs20 Euro \\u8364? and \\'e9t\\'e9\\par\r\n"
        "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}\\par}";
    const std::optional<RichDocument> read = FromRtf(rtf);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->paragraphs().size(), 3u);
    const Paragraph& first = read->paragraphs()[0];
    EXPECT_EQ(first.Text(), "Hello World");
    EXPECT_EQ(first.alignment, ParagraphAlignment::Center);
    ASSERT_EQ(first.runs.size(), 4u);
    EXPECT_TRUE(first.runs[0].font.bold);
    EXPECT_EQ(first.runs[0].font.family, "Arial");
    EXPECT_EQ(first.runs[0].font.pointSize, 14);
    EXPECT_TRUE(first.runs[2].font.italic);
    const Paragraph& second = read->paragraphs()[1];
    EXPECT_EQ(second.Text(), "Euro \u20ac and \u00e9t\u00e9");
    EXPECT_TRUE(second.bullet);
    EXPECT_EQ(second.firstIndent, -360);
    EXPECT_EQ(second.leftIndent, 720);
    EXPECT_EQ(second.runs[0].font.family, "Times New Roman");
    EXPECT_EQ(second.runs[0].font.color, 0x0000FFu);
    EXPECT_EQ(read->paragraphs()[2].Text(), "link");
}

TEST(RichTextReader, TextThatIsNoRtfIsRefused) {
    EXPECT_FALSE(FromRtf(""));
    EXPECT_FALSE(FromRtf("Dear customer,\n"));
    EXPECT_FALSE(FromRtf("{\\rt"));
    EXPECT_TRUE(FromRtf("  {\\rtf1 x}"));
}

TEST(RichTextReader, HostileInputIsReadWithoutHarm) {
    struct Case {
        const char* name;
        std::string rtf;
        std::string text;
    };
    const Case cases[] = {
        {"groups nested a million deep",
         "{\\rtf1 a" + std::string(1'000'000, '{') + "b" + std::string(1'000'000, '}') + "c}",
         "ac"},
        {"more closing than opening braces", "{\\rtf1 a}}}}}b", "ab"},
        {"huge numbers", "{\\rtf1\\fs99999999999999999999\\li-99999999999 x\\par}", "x"},
        {"binary data longer than the file", "{\\rtf1 a\\bin999999999 bcd}", "a"},
        {"cut off escape", "{\\rtf1 a\\'", "a"},
        {"cut off control word", "{\\rtf1 a\\", "a"},
        {"lone surrogate", "{\\rtf1 a\\u-10240?b}", "ab"},
        {"unicode skip past the end", "{\\rtf1\\uc9 \\u65", "A"},
        {"font table without end", "{\\rtf1{\\fonttbl{\\f0 Ari", ""},
        {"colour index beyond the table", "{\\rtf1{\\colortbl;}\\cf77 x}", "x"},
    };
    for (const Case& c : cases) {
        const std::optional<RichDocument> read = FromRtf(c.rtf);
        ASSERT_TRUE(read) << c.name;
        EXPECT_EQ(read->PlainText(), c.text) << c.name;
    }
    const RichDocument sizes = *FromRtf("{\\rtf1\\fs0 a\\fs999999 b}");
    EXPECT_EQ(sizes.paragraphs()[0].runs[0].font.pointSize, 1);
    EXPECT_EQ(sizes.paragraphs()[0].runs[1].font.pointSize, 1638);
}

}  // namespace
}  // namespace base

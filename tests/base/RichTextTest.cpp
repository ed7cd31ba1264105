#include "base/RichText.h"

#include <gtest/gtest.h>

#include <string>

#include "support/CommandOutput.h"
#include "support/TempDir.h"

namespace {

using base::FontChoice;
using base::RichDocument;

FontChoice Courier() {
    return FontChoice{"Courier New", 10, false, false, false, false, 0};
}

std::string OutputOf(const std::string& command) {
    return testsupport::RunCommand(command + " 2>/dev/null").output;
}

// The text another RTF reader finds in the file: `unrtf --text` without its banner, its Latin-1
// output turned into UTF-8.
std::string TextSeenByUnrtf(const std::string& path) {
    const std::string out = OutputOf("unrtf --text '" + path + "'");
    const std::string rule = "-----------------\n";
    const size_t body = out.find(rule);
    if (body == std::string::npos) return {};
    std::string text;
    for (unsigned char c : out.substr(body + rule.size())) {
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

// unrtf folds runs of blanks into one, so both sides are compared with blanks folded.
std::string FoldBlanks(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out += c;
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

TEST(RichText, AnotherReaderFindsTheSameReportText) {
    testsupport::TempDir dir;
    const std::string text =
        "Customer List for Müller & Söhne\r\n"
        "Name                               Number    Balance\r\n"
        "\r\n"
        "Brace {Co} \\ Backslash Ltd       C-1        1,234.56\r\n"
        "Café Ærø ß Ü ÿ ½\r\n"
        "--------------------------------------------------";
    const RichDocument document = RichDocument::FromPlainText(text, Courier());
    const std::string path = dir.file("LIST.RTF");
    ASSERT_TRUE(base::SaveRtf(document, path));

    std::string expected = text;
    for (size_t at; (at = expected.find('\r')) != std::string::npos;) expected.erase(at, 1);
    EXPECT_EQ(FoldBlanks(TextSeenByUnrtf(path)), FoldBlanks(expected));
}

TEST(RichText, TypographicCharactersReadBackAsThemselves) {
    // unrtf's text output holds Latin-1 only; its HTML output names the rest.
    testsupport::TempDir dir;
    const std::string path = dir.file("QUOTES.RTF");
    ASSERT_TRUE(base::SaveRtf(RichDocument::FromPlainText("“Q” – €5 …", Courier()), path));
    const std::string html = OutputOf("unrtf --html '" + path + "'");
    EXPECT_NE(html.find("&ldquo;Q&rdquo; &ndash; &euro;5 &hellip;"), std::string::npos) << html;
}

TEST(RichText, StylesColoursAndFontsAreDeclaredAndUsed) {
    RichDocument document;
    document.AppendText("plain ", Courier());
    FontChoice heading{"Arial", 14, true, true, true, false, 0x0000FF};  // red (0x00BBGGRR)
    document.AppendText("Heading", heading);
    document.AddParagraph(base::ParagraphAlignment::Center);
    document.AppendText("centred", Courier());
    const std::string rtf = base::ToRtf(document);

    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    EXPECT_NE(rtf.find("{\\f0\\fnil\\fcharset0 Courier New;}{\\f1\\fnil\\fcharset0 Arial;}"),
              std::string::npos);
    EXPECT_NE(rtf.find("{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"),
              std::string::npos);
    // Sizes in half-points; colour indexes count from 1 (0 is the reader's automatic colour).
    EXPECT_NE(rtf.find("\\plain\\f1\\fs28\\cf2\\b\\i\\ul Heading"), std::string::npos);
    EXPECT_NE(rtf.find("\\plain\\f0\\fs20\\cf1 plain "), std::string::npos);
    EXPECT_NE(rtf.find("\\pard\\qc\\plain\\f0\\fs20\\cf1 centred\\par"), std::string::npos);
}

TEST(RichText, TextOutsideTheCodePageIsEscapedNotLost) {
    RichDocument document;
    // Cyrillic Zhe, an emoji (two UTF-16 units), a malformed byte, and a control character.
    document.AppendText("\xD0\x96|\xF0\x9F\x98\x80|\xFF|\x01|\xC3\xA9", Courier());
    const std::string rtf = base::ToRtf(document);
    EXPECT_NE(rtf.find("\\u1046?|\\u-10179?\\u-8704?|\\u-3?||\\'e9"), std::string::npos);
    for (unsigned char c : rtf) EXPECT_LT(c, 0x80);
}

TEST(RichText, PlainTextSplitsIntoParagraphsAndJoinsBack) {
    const RichDocument document = RichDocument::FromPlainText("one\r\n\r\nthree\nfour", Courier());
    ASSERT_EQ(document.paragraphs().size(), 4u);
    EXPECT_EQ(document.paragraphs()[1].runs.size(), 1u);  // a blank line keeps its font
    EXPECT_EQ(document.PlainText(), "one\n\nthree\nfour");
    EXPECT_TRUE(RichDocument::FromPlainText("", Courier()).paragraphs().empty());
}

TEST(RichText, SavingToAnUnwritablePlaceFails) {
    testsupport::TempDir dir;
    EXPECT_FALSE(base::SaveRtf(RichDocument{}, dir.file("missing/folder/LIST.RTF")));
}

}  // namespace

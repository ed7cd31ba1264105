#include "base/Text.h"

#include <gtest/gtest.h>

#include "base/Csv.h"
#include "base/Windows1252.h"

namespace base {
namespace {

TEST(Text, TrimTreatsEveryControlByteAsBlank) {
    EXPECT_EQ(Trim(" \t\r\n abc \x01\x1f"), "abc");
    EXPECT_EQ(Trim(std::string("\0x\0", 3)), "x");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("a b"), "a b");
}

TEST(Text, PaddingNeverLosesTextOnTheRightButCutsOnTheLeft) {
    EXPECT_EQ(PadRight("ab", 5), "ab   ");
    EXPECT_EQ(PadRight("ab", 5, '-'), "ab---");
    EXPECT_EQ(PadRight("abcdef", 3), "abcdef");
    EXPECT_EQ(PadLeft(" 12 ", 5), "   12");
    EXPECT_EQ(PadLeft("1,234,567.00", 8), "1,234,56");
    EXPECT_EQ(PadLeft("x", 0), "");
    EXPECT_EQ(CutTo("abcdef", 4), "abcd");
    EXPECT_EQ(CutTo("ab", 4), "ab");
    EXPECT_EQ(RemoveCommas("1,500,000.00"), "1500000.00");
}

TEST(Text, WholeNumbersAreWholeTextsButLeadingNumbersStopAtTheFirstOtherCharacter) {
    EXPECT_EQ(ParseWholeNumber(" 42 "), 42);
    EXPECT_EQ(ParseWholeNumber("-7"), -7);
    EXPECT_EQ(ParseWholeNumber("007"), 7);
    EXPECT_FALSE(ParseWholeNumber("4 2"));
    EXPECT_FALSE(ParseWholeNumber("12a"));
    EXPECT_FALSE(ParseWholeNumber(""));
    EXPECT_FALSE(ParseWholeNumber("-"));
    EXPECT_FALSE(ParseWholeNumber("99999999999999999999"));
    EXPECT_EQ(ParseWholeNumber("-9223372036854775808"), INT64_MIN);

    EXPECT_EQ(LeadingNumber("  12AB"), 12);
    EXPECT_EQ(LeadingNumber("-3x"), -3);
    EXPECT_EQ(LeadingNumber("AB12"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
}

TEST(Windows1252, EveryByteSurvivesTheTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = Win1252ToUtf8(all);
    EXPECT_EQ(Utf8ToWin1252(utf8), all);
    EXPECT_EQ(Win1252ToUtf8("\x80\xe9\x9f"), "\u20ac\u00e9\u0178");
    EXPECT_EQ(Utf8ToWin1252("Caf\u00e9 \u2013 \u20ac5"),
              "Caf\xe9 \x96 \x80"
              "5");
}

TEST(Windows1252, TextTheCodePageCannotHoldIsRefusedNotChanged) {
    EXPECT_FALSE(Utf8ToWin1252("\u4e2d"));        // a character outside the code page
    EXPECT_FALSE(Utf8ToWin1252("\xc3"));          // cut short
    EXPECT_FALSE(Utf8ToWin1252("\xc0\xaf"));      // overlong form of '/'
    EXPECT_FALSE(Utf8ToWin1252("\xed\xa0\x80"));  // a surrogate
    EXPECT_FALSE(Utf8ToWin1252("\xff"));
}

TEST(Windows1252, UpperCaseMovesOnlyLettersOfTheKeyAlphabet) {
    EXPECT_EQ(Win1252Upper("acme co 9"), "ACME CO 9");
    EXPECT_EQ(Win1252Upper("\xe0\xe9\xfe"), "\xc0\xc9\xde");
    EXPECT_EQ(Win1252Upper("\xf7\xff\x9a\xdf"), "\xf7\xff\x9a\xdf");  // ÷ ÿ š ß stay
}

}  // namespace
}  // namespace base

namespace base {
namespace {

TEST(Csv, OnlyFieldsThatNeedItAreQuotedAndQuotesAreDoubled) {
    EXPECT_EQ(CsvRecord({"Acme", "1,500.00", "say \"hi\"", "two\r\nlines", ""}),
              "Acme,\"1,500.00\",\"say \"\"hi\"\"\",\"two\r\nlines\",\r\n");
}

}  // namespace
}  // namespace base

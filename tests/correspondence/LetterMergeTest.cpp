#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "correspondence/LetterMerge.h"
#include "support/Samples.h"

namespace correspondence {
namespace {

base::FontChoice Plain() {
    return {"Arial", 11};
}
base::FontChoice Bold() {
    base::FontChoice font = Plain();
    font.bold = true;
    return font;
}

records::CustomerRecord Customer() {
    records::CustomerRecord customer = testsupport::SampleCustomer(" c12 ", "  Able & Co  ");
    customer.setNotes("Pays late");
    customer.setLastPaymentDate("1/2/2026  ");
    customer.setBilling1("1 Main St");
    return customer;
}

std::string Merged(std::string_view text, const records::CustomerRecord& customer = Customer()) {
    const auto values = MergeValues(customer, testsupport::SampleCompany("1"));
    return MergeLetter(base::RichDocument::FromPlainText(text, Plain()), values).PlainText();
}

TEST(LetterMergeTest, KeywordsAreReplacedAsWholeCaseSensitiveWords) {
    struct Case {
        const char* letter;
        const char* merged;
    };
    const Case cases[] = {
        {"Dear ZRCSTNAME,", "Dear Able & Co,"},
        {"ZRCSTNOTES", "Pays late"},     // not the number followed by "TES"
        {"ZRCSTNO/ZRCSTNO", "c12/c12"},  // trimmed, as typed
        {"zrcstname ZrCstName", "zrcstname ZrCstName"},
        {"XZRCSTNAME ZRCSTNAMES ZRCSTNAME_1", "XZRCSTNAME ZRCSTNAMES ZRCSTNAME_1"},
        {"paid ZRCSTLPMT.", "paid 1/2/2026  ."},  // the payment date is not trimmed
        {"(ZRCSTADD1)", "(1 Main St)"},
        {"caf\u00e9ZRCSTNO", "caf\u00e9ZRCSTNO"},
    };
    for (const Case& c : cases) EXPECT_EQ(Merged(c.letter), c.merged) << c.letter;
}

TEST(LetterMergeTest, AValueHoldingAKeywordIsInsertedAsItIsAndTheMergeEnds) {
    records::CustomerRecord customer = Customer();
    customer.setNotes("see ZRCSTNOTES and ZRCMPNAME {\\b x}");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Merged("Note: ZRCSTNOTES", customer), "Note: see ZRCSTNOTES and ZRCMPNAME {\\b x}");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(LetterMergeTest, AKeywordSplitAcrossFormattingStillMatchesAndKeepsItsFirstLettersFont) {
    base::RichDocument letter;
    letter.AppendText("Dear ", Plain());
    letter.AppendText("ZRCST", Bold());
    letter.AppendText("NAME, thanks", Plain());
    const base::RichDocument merged =
        MergeLetter(letter, MergeValues(Customer(), testsupport::SampleCompany("1")));
    const std::vector<base::TextRun> expected = {
        {"Dear ", Plain()}, {"Able & Co", Bold()}, {", thanks", Plain()}};
    EXPECT_EQ(merged.paragraphs()[0].runs, expected);
}

TEST(LetterMergeTest, TheLetterItselfIsLeftAsItWas) {
    const base::RichDocument letter =
        base::RichDocument::FromPlainText("ZRCSTNAME\n\nBye", Plain());
    const base::RichDocument copy = letter;
    MergeLetter(letter, MergeValues(Customer(), testsupport::SampleCompany("1")));
    EXPECT_EQ(letter.paragraphs(), copy.paragraphs());
}

TEST(LetterMergeTest, ThirtyOneKeywordsAndThirtyListed) {
    EXPECT_EQ(MergeKeywords().size(), 31u);
    EXPECT_EQ(MergeKeywords()[0], "ZRCSTNO");
    EXPECT_EQ(MergeKeywords()[30], "ZRCMPADD5");
    ASSERT_EQ(KeywordListEntries().size(), 30u);
    EXPECT_EQ(KeywordListEntries().front(), "ZRCMPADD1 - Default Company Address Line 1");
    EXPECT_EQ(KeywordListEntries().back(), "ZRCSTTYPE - Customer Type");
}

}  // namespace
}  // namespace correspondence

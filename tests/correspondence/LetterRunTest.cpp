#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "correspondence/LetterPage.h"
#include "correspondence/LetterRun.h"
#include "support/RecordingCanvas.h"
#include "support/Samples.h"

namespace correspondence {
namespace {

using testsupport::RecordingCanvas;

base::FontChoice Font() {
    return {"Courier New", 10};
}

TEST(LetterRunTest, AnEmptyQueueThenAnEmptyLetterStopTheMerge) {
    const base::RichDocument letter = base::RichDocument::FromPlainText("Hi", Font());
    const base::RichDocument blank = base::RichDocument::FromPlainText(" \n ", Font());
    EXPECT_EQ(LetterCheck(letter, 0), kLetterEmptyQueueText);
    EXPECT_EQ(LetterCheck(blank, 0), kLetterEmptyQueueText);
    EXPECT_EQ(LetterCheck(blank, 2), kLetterEmptyText);
    EXPECT_FALSE(LetterCheck(letter, 1));
}

TEST(LetterRunTest, OneJobPerQueuedCustomerAndTheMissingOneIsReported) {
    const base::RichDocument letter =
        base::RichDocument::FromPlainText("Dear ZRCSTNAME,\nYours, ZRCMPNAME", Font());
    const std::vector<company::QueuedCustomer> items = {
        {"A1", "", "", ""}, {"B1", "", "", ""}, {"C1", "", "", ""}};
    const std::vector<std::optional<records::CustomerRecord>> customers = {
        testsupport::SampleCustomer("A1", "Able"), std::nullopt,
        testsupport::SampleCustomer("C1", "Cole")};
    RecordingCanvas canvas;
    std::vector<std::string> progress;
    const LetterRunResult result =
        PrintLetters(canvas, letter, testsupport::SampleCompany("1"), items, customers,
                     [&](const std::string& text) { progress.push_back(text); });
    EXPECT_EQ(result.printed, 2);
    EXPECT_EQ(result.skipped, std::vector<std::string>{"Customer B1 is no longer on file."});
    EXPECT_EQ(canvas.documents(), (std::vector<std::string>{"Form Letter", "Form Letter"}));
    EXPECT_EQ(progress, (std::vector<std::string>{"Processing letter 1 of 3...",
                                                  "Processing letter 2 of 3...",
                                                  "Processing letter 3 of 3..."}));
    EXPECT_EQ(canvas.texts().back().text, "Yours, " + testsupport::SampleCompany("1").name());
}

TEST(LetterRunTest, LinesWrapAlignAndBreakPages) {
    base::RichDocument letter;
    letter.AddParagraph(base::ParagraphAlignment::Right);
    letter.AppendText("right", Font());
    // Each word is 10 characters of 50 dots: 9 fit in the 4500 dots between the margins.
    letter.AddParagraph();
    std::string words;
    for (int i = 0; i < 20; ++i) words += "abcdefghi ";
    letter.AppendText(words, Font());
    for (int i = 0; i < 60; ++i) letter.AddParagraph().runs.push_back({"line", Font()});
    RecordingCanvas canvas;
    canvas.BeginDocument("Form Letter");
    DrawLetter(canvas, letter);
    const auto& texts = canvas.texts();
    EXPECT_EQ(texts[0].x, 5100 - 300 - 5 * 50);
    EXPECT_EQ(texts[0].y, 300);
    EXPECT_EQ(texts[1].text,
              "abcdefghi abcdefghi abcdefghi abcdefghi abcdefghi abcdefghi "
              "abcdefghi abcdefghi abcdefghi");
    EXPECT_EQ(texts[1].x, 300);
    EXPECT_EQ(texts[2].y, 300 + 2 * 100);
    // 6000 dots of page between the margins hold 60 lines of 100.
    EXPECT_EQ(canvas.pages(), 2);
    EXPECT_EQ(canvas.TextsOnPage(2).size(), 4u);
}

}  // namespace
}  // namespace correspondence

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "correspondence/LabelSheet.h"
#include "support/RecordingCanvas.h"

namespace correspondence {
namespace {

using testsupport::RecordingCanvas;

LabelLayout Layout(std::string columns, std::string rows) {
    LabelLayout layout;
    layout.leftMargin = "100";
    layout.topMargin = "200";
    layout.columnsAcross = std::move(columns);
    layout.rowsDown = std::move(rows);
    layout.labelWidth = "1600";
    layout.labelHeight = "600";
    layout.font = {"Arial", 10, 0, 0};
    layout.lineWidth = "1";
    return layout;
}

LabelPlan Plan(const LabelLayout& layout, std::string_view start = "1",
               std::string_view copies = "1") {
    auto plan = PlanLabels(layout, start, copies);
    EXPECT_TRUE(std::holds_alternative<LabelPlan>(plan)) << std::get<std::string>(plan);
    return std::get<LabelPlan>(plan);
}

std::vector<LabelAddress> Customers(int n) {
    std::vector<LabelAddress> addresses;
    for (int i = 1; i <= n; ++i)
        addresses.push_back({"Customer " + std::to_string(i), {"1 Main St", "Town", "", ""}});
    return addresses;
}

const std::array<std::string, 5> kCompany = {"Smith & Sons", "4 High Road", "Leeds", "LS1 4AB", ""};

// Where each customer name was printed: page, x, y.
std::vector<std::array<int, 3>> NamePositions(const RecordingCanvas& canvas) {
    std::vector<std::array<int, 3>> out;
    for (const auto& t : canvas.texts())
        if (t.text.starts_with("Customer ")) out.push_back({t.page, t.x, t.y});
    return out;
}

TEST(LabelSheetTest, LayoutsThatCannotPrintAreRefusedWithTheirMessage) {
    struct Case {
        const char* name;
        std::function<void(LabelLayout&)> change;
        std::string_view start;
        std::string_view copies;
        std::string message;
    };
    const std::string bad =
        "Your layout definition holds a value that cannot be printed: the margins must be whole "
        "numbers of 0 or more, and columns, rows, label width and height whole numbers of 1 or "
        "more. Unable to print.";
    const Case cases[] = {
        {"empty top margin", [](LabelLayout& l) { l.topMargin = " "; }, "1", "1",
         kEmptyLayoutFieldText},
        {"empty height", [](LabelLayout& l) { l.labelHeight = ""; }, "1", "1",
         kEmptyLayoutFieldText},
        {"negative margin", [](LabelLayout& l) { l.leftMargin = "-5"; }, "1", "1", bad},
        {"letters", [](LabelLayout& l) { l.labelWidth = "12a"; }, "1", "1", bad},
        {"no columns", [](LabelLayout& l) { l.columnsAcross = "0"; }, "1", "1", bad},
        {"no rows", [](LabelLayout& l) { l.rowsDown = "00"; }, "1", "1", bad},
        {"font size 0", [](LabelLayout& l) { l.font.size = 0; }, "1", "1",
         "The label font size must be from 1 to 200 points. Unable to print."},
        {"font size 10000", [](LabelLayout& l) { l.font.size = 10000; }, "1", "1",
         "The label font size must be from 1 to 200 points. Unable to print."},
        {"start past the sheet", [](LabelLayout&) {}, "31", "1",
         "The start label must be a number from 1 to 30 (the labels on one sheet)."},
        {"start not a number", [](LabelLayout&) {}, "x", "1",
         "The start label must be a number from 1 to 30 (the labels on one sheet)."},
        {"copies not a number", [](LabelLayout&) {}, "1", "two",
         "Copies of each label must be a number from 1 to 999."},
        {"copies 1000", [](LabelLayout&) {}, "1", "1000",
         "Copies of each label must be a number from 1 to 999."},
    };
    for (const Case& c : cases) {
        LabelLayout layout = Layout("3", "10");
        c.change(layout);
        const auto plan = PlanLabels(layout, c.start, c.copies);
        ASSERT_TRUE(std::holds_alternative<std::string>(plan)) << c.name;
        EXPECT_EQ(std::get<std::string>(plan), c.message) << c.name;
    }
}

TEST(LabelSheetTest, EmptyOrZeroStartAndCopiesMeanOne) {
    for (const char* text : {"", " ", "0", "07"}) {
        const LabelPlan plan = Plan(Layout("3", "10"), text, text);
        EXPECT_EQ(plan.start, 1) << text;
        EXPECT_EQ(plan.copies, 1) << text;
    }
}

TEST(LabelSheetTest, StartLabelFiveOnAThreeAcrossSheetBeginsInRowTwoColumnTwo) {
    RecordingCanvas canvas;
    EXPECT_EQ(PrintLabels(canvas, Plan(Layout("3", "10"), "5"), kCompany, Customers(3)), 3);
    const std::vector<std::array<int, 3>> expected = {
        {1, 100 + 1600, 200 + 600}, {1, 100 + 3200, 200 + 600}, {1, 100, 200 + 1200}};
    EXPECT_EQ(NamePositions(canvas), expected);
    EXPECT_EQ(canvas.documents(), std::vector<std::string>{"Mailing Labels"});
}

TEST(LabelSheetTest, PagesBreakOnlyWhenAnotherLabelFollows) {
    struct Case {
        const char* name;
        std::string columns, rows, start;
        int copies, customers, pages;
    };
    const Case cases[] = {
        {"2 copies of 3 on 1 x 2", "1", "2", "1", 2, 3, 3},
        {"one label a sheet", "1", "1", "1", 1, 3, 3},
        {"last label of the sheet", "3", "10", "30", 1, 1, 1},
        {"start 30 then one more", "3", "10", "30", 1, 2, 2},
        {"exactly one sheet", "3", "10", "1", 1, 30, 1},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        const int printed =
            PrintLabels(canvas, Plan(Layout(c.columns, c.rows), c.start, std::to_string(c.copies)),
                        kCompany, Customers(c.customers));
        EXPECT_EQ(printed, c.copies * c.customers) << c.name;
        EXPECT_EQ(canvas.pages(), c.pages) << c.name;
        EXPECT_TRUE(canvas.ended()) << c.name;
    }
}

TEST(LabelSheetTest, CopiesFollowEachOtherAndAPageHoldsTwo) {
    RecordingCanvas canvas;
    PrintLabels(canvas, Plan(Layout("1", "2"), "1", "2"), kCompany, Customers(3));
    const std::vector<std::array<int, 3>> expected = {{1, 100, 200}, {1, 100, 800}, {2, 100, 200},
                                                      {2, 100, 800}, {3, 100, 200}, {3, 100, 800}};
    EXPECT_EQ(NamePositions(canvas), expected);
    const std::vector<std::string> page2 = canvas.TextsOnPage(2);
    EXPECT_EQ(page2.front(), "Customer 2");  // the second copy of customer 1 ended page 1
}

TEST(LabelSheetTest, ReturnAddressCaptionAndLineSitAboveTheCustomer) {
    LabelLayout layout = Layout("3", "10");
    layout.returnAddress = true;
    layout.printLine = true;
    layout.lineWidth = "3";
    layout.sendToCaption = "To:";
    RecordingCanvas canvas;
    PrintLabels(canvas, Plan(layout), kCompany, Customers(1));
    const int h = 10 * 600 * 12 / 720;                 // the recording canvas's line height
    const int captionOffset = 4 * 10 * 600 * 6 / 720;  // "To:X"
    std::vector<std::tuple<int, int, std::string>> texts;
    for (const auto& t : canvas.texts()) texts.emplace_back(t.x, t.y, t.text);
    const std::vector<std::tuple<int, int, std::string>> expected = {
        {100, 200, "Smith & Sons"},
        {100, 200 + h, "4 High Road"},
        {100, 200 + 2 * h, "Leeds"},
        {100, 200 + 3 * h, "LS1 4AB"},
        {100, 200 + 4 * h, ""},
        {100, 200 + 6 * h, "To:"},
        {100 + captionOffset, 200 + 6 * h, "Customer 1"},
        {100 + captionOffset, 200 + 7 * h, "1 Main St"},
        {100 + captionOffset, 200 + 8 * h, "Town"},
        {100 + captionOffset, 200 + 9 * h, ""},
        {100 + captionOffset, 200 + 10 * h, ""},
    };
    EXPECT_EQ(texts, expected);
    ASSERT_EQ(canvas.lines().size(), 1u);
    const auto& line = canvas.lines()[0];
    EXPECT_EQ(std::tie(line.x1, line.y1, line.x2, line.y2, line.penWidth),
              std::make_tuple(75, 200 + 5 * h + 20, 100 + 160 * 8, 200 + 5 * h + 20, 3));
}

TEST(LabelSheetTest, TheSampleLayoutsPrintTheirSheets) {
    struct Case {
        const char* file;
        int columns, rows, width, height;
    };
    for (const Case& c :
         {Case{"Address-3x10.LBL", 3, 10, 1650, 600}, Case{"Shipping-2x7.LBL", 2, 7, 2513, 800}}) {
        std::ifstream file(std::string(KT_SOURCE_DIR) + "/share/labels/" + c.file,
                           std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        const std::optional<LabelLayout> layout = ReadLabelLayout(bytes);
        ASSERT_TRUE(layout) << c.file;
        const LabelPlan plan = Plan(*layout);
        EXPECT_EQ(std::tie(plan.columns, plan.rows, plan.width, plan.height),
                  std::tie(c.columns, c.rows, c.width, c.height));
        // On a Letter page at 600 dots per inch the last column has room for two inches of
        // text and the last row ends on the page.
        EXPECT_LE(plan.leftMargin + (plan.columns - 1) * plan.width + 2 * 600, 8.5 * 600) << c.file;
        EXPECT_LE(plan.topMargin + plan.rows * plan.height, 11 * 600) << c.file;
    }
}

TEST(LabelSheetTest, CalibrationRulerHasSixtyOneTicksEachWayAndItsTwoLines) {
    RecordingCanvas canvas;
    ASSERT_TRUE(PrintCalibrationRuler(canvas));
    EXPECT_EQ(canvas.pages(), 1);
    int vertical = 0, horizontal = 0, thick = 0;
    for (const auto& line : canvas.lines()) {
        if (line.y1 == line.y2) ++vertical;
        if (line.x1 == line.x2) ++horizontal;
        if (line.penWidth == 3) ++thick;
    }
    EXPECT_EQ(vertical, 61);
    EXPECT_EQ(horizontal, 61);
    EXPECT_EQ(thick, 2 * 16);
    const auto& texts = canvas.texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2].x, 300);
    EXPECT_EQ(texts[texts.size() - 2].y, 2525);
    EXPECT_EQ(texts.back().text,
              "Be sure to include any spacing between labels in your height and width "
              "measurements.");
}

}  // namespace
}  // namespace correspondence

// report through the tool process: its words, dates and presets, the text and CSV it prints, and
// the exit code of a report with nothing to show.
#include <gtest/gtest.h>

#include "tool/DataFolderTest.h"

namespace tooltest {
namespace {

class ReportCommand : public DataFolderTest {
protected:
    ReportCommand() {
        Post({R"({"op": "set-company", "name": "Acme Supply", "next_invoice": "1001"})",
              R"({"op": "add-customer", "number": "A1", "name": "Ames Hardware"})",
              R"({"op": "add-invoice", "customer": "A1", "date": "12/01/2026", "lines": [)"
              R"({"code": "P1", "quantity": "2", "description": "Widget", "price": "1000"}]})",
              R"({"op": "add-invoice", "customer": "A1", "date": "11/15/2026", "lines": [)"
              R"({"code": "P2", "quantity": "1", "description": "Nut", "price": "0.50"}]})"});
    }

    ToolResult Report(std::vector<std::string> words) {
        words.insert(words.begin(), {"report", dir.string()});
        return RunTool(words, parent.path());
    }
};

TEST_F(ReportCommand, PrintsTheTextFileOrTheCsv) {
    const ToolResult text = Report({"invoice-register", "--from", "2026-11-01", "--to",
                                    "12/31/2026", "--today", "2026-12-06"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    const std::vector<std::string> lines = text.lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Invoice Register");
    EXPECT_EQ(lines[1], "Acme Supply");
    EXPECT_EQ(lines[2], "Date: Sunday, December 6, 2026, 12:00 AM");
    EXPECT_EQ(lines[3], "Selected records from 11/01/2026 to 12/31/2026");
    EXPECT_NE(text.out.find("2,000.00"), std::string::npos);

    const ToolResult csv = Report({"invoice-register", "--preset", "current-year", "--csv",
                                   "--today", "2026-12-06", "--sort", "2", "--no-subtotals"});
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_EQ(csv.lines(), (std::vector<std::string>{
                               "row,Invoice#,Year/Mo/Dy,Short Name,Customer#,Net Amount,Tax "
                               "Amount,Grand Total,Type\r",
                               "item,1001,2026/12/01,AHardware,A1,2000.00,0.00,2000.00,I\r",
                               "item,1002,2026/11/15,AHardware,A1,0.50,0.00,0.50,I\r",
                               "grand,,,,Grand Total,2000.50,0.00,2000.50,\r"}));
}

TEST_F(ReportCommand, NothingToShowSaysSoAndExitsOne) {
    const ToolResult none = Report({"sales", "--from", "2020-01-01", "--to", "2020-01-31"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "No matching records found for the dates entered.\n");
    EXPECT_EQ(Report({"repeat-list"}).err, "No repeat billing master invoices were found.\n");
}

TEST_F(ReportCommand, BadWordsAreRefusedBeforeAnythingIsRead) {
    struct Case {
        std::vector<std::string> words;
        std::string error;  // the start of standard error
    };
    const Case cases[] = {
        {{"profits"}, "usage: kt-invorra-tool report"},
        {{"sales", "--csv", "--txt"}, "usage: kt-invorra-tool report"},
        {{"sales", "--from", "2026-01-01"}, "usage: kt-invorra-tool report"},
        {{"sales", "--from", "2026-01-01", "--to", "2026-01-31", "--preset", "last-30-days"},
         "usage: kt-invorra-tool report"},
        {{"sales", "--preset", "custom-dates"}, "report: no date preset custom-dates"},
        {{"sales", "--from", "2026-02-30", "--to", "2026-03-01"},
         "FROM Date: You have an invalid beginning date."},
        {{"sales", "--from", "2026-03-02", "--to", "2026-03-01"},
         "FROM Date: Your beginning date is not older than your ending date."},
        {{"invoice-register", "--sort", "5"},
         "report: the Invoice Register can be ordered on columns 1 to 4"},
        {{"tax", "--sort", "x"}, "report: the Tax Report can be ordered on columns 1 to 5"},
    };
    for (const Case& c : cases) {
        const ToolResult result = Report(c.words);
        EXPECT_EQ(result.exitCode, 2) << c.words[0];
        EXPECT_TRUE(result.err.starts_with(c.error)) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

}  // namespace
}  // namespace tooltest

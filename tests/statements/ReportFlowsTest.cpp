// The wizard's View and the output window's commands, without windows: refused dates and their
// box, regrouping that refuses a column, printing page by page, and saving read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "statements/PostedCompany.h"
#include "statements/ReportFiles.h"
#include "statements/ReportOutputFlow.h"
#include "statements/ReportWizardFlow.h"
#include "support/RecordingCanvas.h"

namespace statements::testing {
namespace {

using ReportFlowsTest = PostedCompany;

std::string FileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(ReportFlowsTest, ViewSaysWhatIsWrongAndNamesTheBox) {
    state.currentCompany = Company();
    ReportWizardFlow flow(engine, prompts, clock, state);
    EXPECT_EQ(flow.DateLabel(), "Date Selection:");
    EXPECT_EQ(flow.Preset("Previous Month")->from, "11/01/2026");
    EXPECT_EQ(flow.Preset("Previous Month")->to, "11/30/2026");
    EXPECT_FALSE(flow.Preset(kCustomDates));

    prompts.ExpectWarn("TO Date",
                       "You have an invalid ending date. You can clear the date and then select "
                       "the calendar button.");
    // The dates are checked for a report that searches all dates too.
    EXPECT_EQ(flow.View(ReportKind::RepeatList, "11/01/2026", "  /  /    ").focus, DateField::To);
    prompts.ExpectInform("Sales Report", kNoMatchText);
    EXPECT_EQ(flow.View(ReportKind::Sales, "01/01/2020", "01/31/2020").focus, DateField::From);
    const ViewVerdict shown = flow.View(ReportKind::Sales, "11/01/2026", "11/30/2026");
    ASSERT_TRUE(shown.report);
    EXPECT_EQ(shown.report->rows.size(), 3u);
    EXPECT_EQ(shown.report->selection, "Selected records from 11/01/2026 to 11/30/2026");
}

TEST_F(ReportFlowsTest, DayFirstCompaniesTypeAndSeeDayFirstDates) {
    state.currentCompany = Company();
    state.currentCompany.setDateFormat("D");
    ReportWizardFlow flow(engine, prompts, clock, state);
    EXPECT_EQ(flow.DateLabel(), "Date Selection (dd/mm/yyyy):");
    EXPECT_EQ(flow.Preset("Month to Date")->from, "01/12/2026");
    const ViewVerdict shown = flow.View(ReportKind::InvoiceRegister, "02/12/2026", "03/12/2026");
    ASSERT_TRUE(shown.report);
    EXPECT_EQ(ColumnOf(*shown.report, 1), (std::vector<std::string>{"1004", "1005"}));
    EXPECT_EQ(shown.report->selection, "Selected records from 02/12/2026 to 03/12/2026");
}

TEST_F(ReportFlowsTest, RegroupingRefusesColumnsBeyondTheReportsLast) {
    ReportOutputFlow flow(Must(ReportKind::InvoiceRegister), prompts);
    EXPECT_TRUE(flow.SortOn(4));
    EXPECT_EQ(flow.grid().Text(0, 0), "Customer#");
    EXPECT_FALSE(flow.SortOn(5));
    EXPECT_EQ(flow.grid().chosenColumn(), 3);
    // Grid column 3 now shows the date: a double-click there goes back to the date order.
    EXPECT_TRUE(flow.RegroupOn(3));
    EXPECT_EQ(flow.grid().chosenColumn(), 0);
    EXPECT_FALSE(flow.RegroupOn(0));
    EXPECT_FALSE(flow.RegroupOn(4));
    flow.SetSubtotals(false);
    EXPECT_FALSE(flow.subtotals());
    EXPECT_EQ(flow.grid().rowCount(), 1 + 6 + 1);
    EXPECT_TRUE(flow.SortOn(2));
    EXPECT_FALSE(flow.subtotals());

    ReportOutputFlow sales(Must(ReportKind::Sales), prompts);
    EXPECT_TRUE(sales.RegroupOn(5));
    EXPECT_FALSE(sales.RegroupOn(6));
}

TEST_F(ReportFlowsTest, PrintingCountsTheRecordsAndContinuesOnNewPages) {
    ReportOutputFlow flow(Must(ReportKind::Sales), prompts);
    auto canvas = std::make_shared<testsupport::RecordingCanvas>();
    bool landscape = false;
    const auto printer = [&](bool across) {
        landscape = across;
        return canvas;
    };
    prompts.ExpectPrint(false, "Sales Report");
    EXPECT_FALSE(flow.Print(printer, {"Arial", 10}));
    prompts.ExpectPrint(true, "Sales Report");
    EXPECT_EQ(flow.Print(printer, {"Arial", 10}), "Report Complete. 7 records printed.");
    EXPECT_TRUE(landscape);
    EXPECT_EQ(canvas->pages(), 1);
    const std::vector<std::string> page = canvas->TextsOnPage(1);
    for (const char* text : {"Page 1", "Sales Report", "Product Description", "Month Total",
                             "Grand Total", "17.500", "295.00"})
        EXPECT_NE(std::find(page.begin(), page.end(), text), page.end()) << text;

    // Large enough to need more pages.
    Report many = Must(ReportKind::InvoiceRegister);
    for (int i = 0; i < 300; ++i) many.rows.push_back(many.rows[i % 6]);
    ReportOutputFlow long_(many, prompts);
    auto pages = std::make_shared<testsupport::RecordingCanvas>();
    prompts.ExpectPrint(true);
    EXPECT_EQ(long_.Print([&](bool) { return pages; }, {"Arial", 10}),
              "Report Complete. 306 records printed.");
    ASSERT_GT(pages->pages(), 2);
    const std::vector<std::string> first = pages->TextsOnPage(1);
    EXPECT_NE(std::find(first.begin(), first.end(), "Continued on page 2 ..."), first.end());
    const std::vector<std::string> second = pages->TextsOnPage(2);
    EXPECT_NE(std::find(second.begin(), second.end(), "Page 2"), second.end());
    EXPECT_NE(std::find(second.begin(), second.end(), "Invoice#"), second.end());
    const std::vector<std::string> last = pages->TextsOnPage(pages->pages());
    EXPECT_EQ(std::count_if(last.begin(), last.end(),
                            [](const std::string& t) { return t.starts_with("Continued"); }),
              0);
}

TEST_F(ReportFlowsTest, SavingWritesTextOrCsvAndAsksBeforeReplacing) {
    ReportOutputFlow flow(Must(ReportKind::InvoiceRegister), prompts);
    const std::filesystem::path text = dir.path() / "register.txt";
    prompts.ExpectSaveFile(text.string(), "Save As", "Invoice Register.TXT");
    EXPECT_EQ(flow.Save(), SaveOutcome::Saved);
    EXPECT_EQ(FileText(text), ReportText(flow.report(), flow.grid()));
    EXPECT_TRUE(FileText(text).starts_with("Invoice Register\n"));

    const std::filesystem::path csv = dir.path() / "register.CSV";
    prompts.ExpectSaveFile(csv.string());
    EXPECT_EQ(flow.Save(), SaveOutcome::Saved);
    EXPECT_EQ(FileText(csv), ReportCsv(flow.grid()));

    // A name without an extension becomes a text file; one already there is asked about.
    const std::filesystem::path bare = dir.path() / "register";
    std::ofstream(dir.path() / "register.TXT") << "old";
    prompts.ExpectSaveFile(bare.string())
        .ExpectYesNo(
            "Save As",
            (dir.path() / "register.TXT").string() + " already exists.\nDo you want to replace it?",
            false, base::PromptIcon::Warning);
    EXPECT_EQ(flow.Save(), SaveOutcome::Cancelled);
    EXPECT_EQ(FileText(dir.path() / "register.TXT"), "old");

    const std::filesystem::path nowhere = dir.path() / "missing" / "x.TXT";
    prompts.ExpectSaveFile(nowhere.string())
        .ExpectWarn("Save As", "The file " + nowhere.string() + " could not be written.");
    EXPECT_EQ(flow.Save(), SaveOutcome::Failed);
    prompts.ExpectSaveFile(std::nullopt);
    EXPECT_EQ(flow.Save(), SaveOutcome::Cancelled);
}

}  // namespace
}  // namespace statements::testing

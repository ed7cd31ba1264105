#include "widgets/ListWindow.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "support/CommandOutput.h"
#include "support/RecordingCanvas.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/ui/WindowDriving.h"
#include "widgets/PrinterCanvas.h"

namespace {

using widgets::TListWindow;

const base::FontChoice kManagersFont{"Courier New", 10, false, false, false, false, 0x800000};

std::string Report(int lines) {
    std::string text = "Customer List for Müller & Söhne\nDate: Monday, March 2, 2026, 09:15 AM\n";
    for (int i = 1; i <= lines; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "CUSTOMER %-26d     Number: %-8d    Balance: %d.00\n", i,
                      i, i * 10);
        text += line;
    }
    return text + std::string(80, '-');
}

class ListWindowTest : public ::testing::Test {
protected:
    ListWindowTest()
        : window_(prompts_, [this] {
              printed_ = std::make_shared<testsupport::RecordingCanvas>();
              return printed_;
          }) {}

    void Click(const char* name) { testsupport::Click(window_, name); }

    testsupport::TempDir dir_;
    testsupport::ScriptedPrompts prompts_;
    std::shared_ptr<testsupport::RecordingCanvas> printed_;  // the last print job's canvas
    TListWindow window_;
};

TEST_F(ListWindowTest, PrintsEveryLineUnderTheCaptionAndStartsNewPages) {
    window_.Prepare("Company List by Name", "Company", Report(120), kManagersFont);
    prompts_.ExpectPrint(true, "Company List by Name");
    Click("PrintBtn");
    ASSERT_NE(printed_, nullptr);
    EXPECT_EQ(printed_->documents(), (std::vector<std::string>{"Company List by Name"}));
    EXPECT_TRUE(printed_->ended());
    // 10-point lines of 100 dots on 6600 dots less two half-inch margins: 60 to a page.
    EXPECT_EQ(printed_->pages(), 3);
    ASSERT_EQ(printed_->TextsOnPage(1).size(), 60u);
    EXPECT_EQ(printed_->TextsOnPage(1).front(), "Customer List for Müller & Söhne");
    EXPECT_EQ(printed_->texts().front().x, 300);
    EXPECT_EQ(printed_->texts().front().y, 300);
    EXPECT_EQ(printed_->texts()[1].y, 400);
    EXPECT_EQ(printed_->texts().back().text, std::string(80, '-'));
    EXPECT_EQ(printed_->texts().size(), 123u);
}

TEST_F(ListWindowTest, CancelledPrintDialogPrintsNothing) {
    window_.Prepare("Company List by Name", "Company", Report(3), kManagersFont);
    prompts_.ExpectPrint(false, "Company List by Name");
    Click("PrintBtn");
    EXPECT_EQ(printed_, nullptr);
}

// The program's print path: the print dialog leaves the shared printer set to a printer or to a
// PDF file, and the window prints on a canvas over that printer.
class ListWindowPrinterTest : public ::testing::Test {
protected:
    ListWindowPrinterTest()
        : window_(prompts_, [this] { return std::make_shared<widgets::PrinterCanvas>(printer_); }) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
    }

    std::string PrintTo(const std::string& pdf) {
        printer_.setOutputFileName(QString::fromStdString(pdf));
        window_.Prepare("Customer List by Name", "Customer", Report(70), kManagersFont);
        window_.findChild<QPushButton*>("PrintBtn")->click();
        return testsupport::RunCommand("pdftotext -layout '" + pdf + "' - 2>/dev/null").output;
    }

    testsupport::TempDir dir_;
    testsupport::ScriptedPrompts prompts_;
    QPrinter printer_{QPrinter::HighResolution};
    TListWindow window_;
};

TEST_F(ListWindowPrinterTest, PrintToFileWritesEveryLineOfTheListToThePdf) {
    prompts_.ExpectPrint(true, "Customer List by Name");
    const std::string text = PrintTo(dir_.file("list.pdf"));
    for (const char* line : {"Customer List for Müller & Söhne", "CUSTOMER 1 ", "CUSTOMER 70",
                             "Number: 70", "Balance: 700.00"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2);  // two pages
}

TEST_F(ListWindowPrinterTest, PrinterThatCannotStartTheJobIsReported) {
    prompts_.ExpectPrint(true, "Customer List by Name");
    prompts_.ExpectWarn("Print",
                        "The list could not be printed. Check that the printer is ready, or print "
                        "to a file in a folder you can write to.");
    const std::string pdf = dir_.file("missing/list.pdf");
    PrintTo(pdf);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(ListWindowTest, FontDialogStartsFromTheViewFontAndRestylesTheView) {
    window_.Prepare("Company List by Name", "Company", Report(1), kManagersFont);
    window_.show();
    const base::FontChoice chosen{"Liberation Mono", 14, true, true, false, false, 0x0000FF};
    prompts_.ExpectFont(chosen);
    Click("FontBtn");
    ASSERT_EQ(prompts_.shown().size(), 1u);
    EXPECT_EQ(prompts_.shown()[0].initialFont, kManagersFont);
    EXPECT_EQ(window_.viewFont(), chosen);
    auto* view = window_.findChild<QPlainTextEdit*>("RichEdit1");
    EXPECT_TRUE(view->font().bold());
    EXPECT_EQ(view->palette().color(QPalette::Text), QColor(0xFF, 0, 0));
    prompts_.ExpectFont(std::nullopt);  // cancelled: nothing changes
    Click("FontBtn");
    EXPECT_EQ(window_.viewFont(), chosen);
}

TEST_F(ListWindowTest, SavedRichTextOpensInAnotherReaderWithTheSameText) {
    window_.Prepare("Customer List by Name", "Customer", Report(4), kManagersFont);
    const std::string chosen = dir_.file("customers");
    prompts_.ExpectSaveFile(chosen, "Save As", "Customer.RTF");
    Click("SaveBtn");
    EXPECT_EQ(prompts_.shown().at(0).filter, "Rich Text File (*.RTF)");
    ASSERT_TRUE(std::filesystem::exists(chosen + ".RTF"));  // the default extension

    const std::string seen =
        testsupport::RunCommand("unrtf --text '" + chosen + ".RTF' 2>/dev/null").output;
    // unrtf writes Latin-1 and folds runs of blanks; the report's lines come back in order.
    std::string expected = "Customer List for M\xFCller & S\xF6hne\n";
    EXPECT_NE(seen.find(expected), std::string::npos) << seen;
    EXPECT_NE(seen.find("CUSTOMER 4 Number: 4 Balance: 40.00\n" + std::string(80, '-')),
              std::string::npos)
        << seen;
}

TEST_F(ListWindowTest, ChosenExtensionDecidesBetweenRichTextAndCsv) {
    const std::string csv = "Number,Name\r\n1,\"Müller, Söhne\"\r\n";
    const std::string rtfOnly = "Rich Text File (*.RTF)";
    // The report's CSV, the name chosen, the file written and whether it holds the CSV.
    const std::vector<std::tuple<std::string, std::string, std::string, bool>> cases = {
        {csv, "a.csv", "a.csv", true},
        {csv, "B.CsV", "B.CsV", true},
        {csv, "c", "c.RTF", false},
        {csv, "d.rtf", "d.rtf", false},
        {"", "e.csv", "e.csv", false}};
    for (const auto& [reportCsv, chosen, written, asCsv] : cases) {
        window_.Prepare("Customer List by Name", "Customer", Report(2), kManagersFont, reportCsv);
        prompts_.ExpectSaveFile(dir_.file(chosen), "Save As", "Customer.RTF");
        Click("SaveBtn");
        EXPECT_EQ(prompts_.shown().back().filter,
                  reportCsv.empty() ? rtfOnly : rtfOnly + ";;Comma Separated Values (*.CSV)");
        std::ifstream file(dir_.file(written), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), {});
        EXPECT_EQ(asCsv ? bytes : bytes.substr(0, 6), asCsv ? csv : "{\\rtf1") << chosen;
    }
}

TEST_F(ListWindowTest, UnwritableFileIsReportedNotIgnored) {
    window_.Prepare("List", "Company", Report(1), kManagersFont, "Number\r\n");
    for (const char* name : {"missing/LIST.RTF", "missing/LIST.CSV"}) {
        const std::string path = dir_.file(name);
        prompts_.ExpectSaveFile(path, "Save As", "Company.RTF");
        prompts_.ExpectWarn("Save As", "The file " + path + " could not be written.");
        Click("SaveBtn");
    }
}

}  // namespace

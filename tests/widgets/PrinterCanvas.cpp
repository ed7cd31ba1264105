// PrinterCanvas: real PDF output read back with poppler's tools.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <string>

#include "support/CommandOutput.h"
#include "support/TempDir.h"
#include "widgets/PrinterCanvas.h"

namespace {

using widgets::PrinterCanvas;

std::string Capture(const std::string& command) {
    return testsupport::RunCommand(command).output;
}

int PageCount(const std::string& pdf) {
    const std::string info = Capture("pdfinfo '" + pdf + "'");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// PDF rasterising may move a channel by one step.
bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
           std::abs(a.blue() - b.blue()) <= 2;
}

QPageLayout Letter() {
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF());
}

TEST(PrinterCanvas, WritesTextOnEachPageOfAPdf) {
    testsupport::TempDir dir;
    const std::string pdf = dir.file("out.pdf");
    {
        PrinterCanvas canvas(QString::fromStdString(pdf), Letter(), 300);
        ASSERT_TRUE(canvas.BeginDocument("Invoice 100"));
        EXPECT_EQ(canvas.DotsPerInch(), 300);
        EXPECT_NEAR(canvas.PageWidth(), 8.5 * 300, 2);
        EXPECT_NEAR(canvas.PageHeight(), 11 * 300, 2);
        canvas.SetFont({"Liberation Sans", 12});
        canvas.TextOut(300, 300, "Caf\xc3\xa9 Amount Due");
        canvas.NewPage();
        canvas.TextOut(300, 300, "Second page");
        canvas.EndDocument();
    }
    EXPECT_EQ(PageCount(pdf), 2);
    const std::string text = Capture("pdftotext -layout '" + pdf + "' -");
    EXPECT_NE(text.find("Caf\xc3\xa9 Amount Due"), std::string::npos) << text;
    EXPECT_NE(text.find("Second page"), std::string::npos) << text;
}

// Joined documents share one job: the second starts a new page instead of replacing the file.
TEST(PrinterCanvas, JoinedDocumentsFollowEachOtherInOneFile) {
    testsupport::TempDir dir;
    const std::string pdf = dir.file("run.pdf");
    {
        PrinterCanvas canvas(QString::fromStdString(pdf), Letter(), 300);
        canvas.JoinDocuments();
        canvas.SetFont({"Liberation Sans", 12});
        for (const char* copy : {"Invoice copy", "Packing slip copy"}) {
            ASSERT_TRUE(canvas.BeginDocument(copy));
            canvas.TextOut(300, 300, copy);
            canvas.EndDocument();
        }
    }
    EXPECT_EQ(PageCount(pdf), 2);
    const std::string text = Capture("pdftotext -layout '" + pdf + "' -");
    EXPECT_LT(text.find("Invoice copy"), text.find("Packing slip copy")) << text;
}

TEST(PrinterCanvas, DrawsShapesAndImagesInTheRightPlaces) {
    testsupport::TempDir dir;
    const std::string pdf = dir.file("shapes.pdf");
    const std::string png = dir.file("logo.png");
    QImage logo(10, 8, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    ASSERT_TRUE(logo.save(QString::fromStdString(png)));
    {
        PrinterCanvas canvas(QString::fromStdString(pdf), Letter(), 100);
        ASSERT_TRUE(canvas.BeginDocument("shapes"));
        canvas.SetBrush(0x0000FF, base::BrushStyle::Solid);  // red in 0x00BBGGRR
        canvas.FillRect(0, 0, 200, 100);
        EXPECT_TRUE(canvas.DrawImage(400, 0, 500, 100, png));
        EXPECT_FALSE(canvas.DrawImage(0, 0, 10, 10, dir.file("missing.png")));
        const auto size = canvas.ImageSize(png);
        ASSERT_TRUE(size);
        EXPECT_EQ(std::pair(size->width, size->height), std::pair(10, 8));
        EXPECT_FALSE(canvas.ImageSize(dir.file("missing.png")));
        canvas.EndDocument();
    }
    Capture("pdftoppm -r 100 -png -singlefile '" + pdf + "' '" + dir.file("page") + "'");
    const QImage page(QString::fromStdString(dir.file("page.png")));
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(Near(page.pixelColor(100, 50), Qt::red));
    EXPECT_TRUE(Near(page.pixelColor(450, 50), Qt::blue));
    EXPECT_TRUE(Near(page.pixelColor(300, 50), Qt::white));
    EXPECT_TRUE(Near(page.pixelColor(100, 150), Qt::white));
}

// Records name Windows faces. A missing one must not turn a list's columns ragged, while a face
// that fontconfig maps to a metric twin keeps that twin, proportional or not.
TEST(PrinterCanvas, ColumnFontsWithoutAFaceFallBackToFixedPitch) {
    const struct {
        const char* family;
        bool fixedPitch;
    } cases[] = {
        {"Courier New", true},      {"Lucida Console", true}, {"No Such Face 1998", true},
        {"Liberation Mono", true},  {"Arial", false},         {"Times New Roman", false},
        {"Liberation Sans", false},
    };
    for (const auto& c : cases) {
        const QFont font = PrinterCanvas::ToColumnFont(base::FontChoice{.family = c.family});
        EXPECT_EQ(QFontInfo(font).fixedPitch(), c.fixedPitch) << c.family;
    }
}

}  // namespace

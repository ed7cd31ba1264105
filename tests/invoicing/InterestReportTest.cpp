// The printed "Interest Charges Report": its heading on every page, one line per invoice made,
// "Continued on page " where a page ends, and the totals last.
#include <gtest/gtest.h>

#include <algorithm>

#include "invoicing/InterestReport.h"
#include "support/RecordingCanvas.h"

namespace invoicing {
namespace {

bool Holds(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(InterestReportTest, PagesCarryTheHeadingAndTheTotalsComeLast) {
    InterestReport report;
    report.invoiceDate = "12/06/2026";
    report.settings.flat = true;
    report.settings.flatRate = "5";
    report.overdueCaption = "Over 60 Days";
    report.printed = {{2026, 12, 6}, 14, 5, 0};
    for (int i = 0; i < 120; ++i)
        report.rows.push_back({"C" + std::to_string(i), "Customer " + std::to_string(i),
                               *base::Decimal::Parse("1000"), *base::Decimal::Parse("5"),
                               i == 7 ? "" : std::to_string(2000 + i) + "I"});
    testsupport::RecordingCanvas canvas;
    int printed = 0;
    ASSERT_TRUE(DrawInterestReport(canvas, report, printed));
    EXPECT_EQ(printed, 119);  // no invoice was made for C7
    ASSERT_GT(canvas.pages(), 1);
    for (int page = 1; page <= canvas.pages(); ++page) {
        SCOPED_TRACE(page);
        const std::vector<std::string> texts = canvas.TextsOnPage(page);
        EXPECT_TRUE(Holds(texts, "Interest Charges Report"));
        EXPECT_TRUE(Holds(texts, "Page " + std::to_string(page)));
        EXPECT_TRUE(Holds(texts, "Date: Sunday, December 6, 2026, 02:05 PM"));
        EXPECT_TRUE(Holds(texts,
                          "Created Invoices Dated: 12/06/2026 and charged a flat rate of "
                          "5.00 as fee."));
        EXPECT_TRUE(Holds(texts, "Over 60 Days"));
        EXPECT_EQ(Holds(texts, "Continued on page " + std::to_string(page + 1)),
                  page < canvas.pages());
        EXPECT_EQ(Holds(texts, "Totals:"), page == canvas.pages());
    }
    const std::vector<std::string> last = canvas.TextsOnPage(canvas.pages());
    EXPECT_TRUE(Holds(last, "119,000.00"));
    EXPECT_TRUE(Holds(last, "595.00"));
    EXPECT_FALSE(Holds(canvas.TextsOnPage(1), "Customer 7"));
    EXPECT_EQ(InterestReportStatus(printed), "Report Complete. 119 records printed.");
}

}  // namespace
}  // namespace invoicing

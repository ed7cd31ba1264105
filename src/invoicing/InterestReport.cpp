#include "invoicing/InterestReport.h"

#include <algorithm>
#include <array>

#include "base/Dates.h"
#include "base/Text.h"

namespace invoicing {
namespace {

const base::FontChoice kTitleFont{.family = "Arial", .pointSize = 14, .bold = true};
const base::FontChoice kHeadingFont{.family = "Arial", .pointSize = 10, .bold = true};
const base::FontChoice kBodyFont{.family = "Arial", .pointSize = 10};

// Column starts as parts of the page width, and whether the column's texts align right.
struct Column {
    double start;
    double end;
    bool right;
};
constexpr std::array<Column, 5> kColumns{{{0.00, 0.40, false},
                                          {0.42, 0.56, false},
                                          {0.56, 0.72, true},
                                          {0.72, 0.86, true},
                                          {0.89, 1.00, false}}};

std::string Amount(base::Decimal amount) {
    return amount.Format(",0.00");
}

class ReportPage {
public:
    ReportPage(base::Canvas& canvas, const InterestReport& report)
        : canvas_(canvas), report_(report), width_(canvas.PageWidth()) {
        canvas_.SetFont(kBodyFont);
        lineHeight_ = canvas_.TextHeight("Xg") * 5 / 4;
    }

    void Heading() {
        y_ = 0;
        canvas_.SetFont(kTitleFont);
        const std::string title = "Interest Charges Report";
        canvas_.TextOut((width_ - canvas_.TextWidth(title)) / 2, y_, title);
        canvas_.SetFont(kBodyFont);
        const std::string page = "Page " + std::to_string(page_);
        canvas_.TextOut(width_ - canvas_.TextWidth(page), y_, page);
        y_ += lineHeight_ * 2;
        canvas_.TextOut(0, y_, "Date: " + base::FormatLongDateTime(report_.printed));
        y_ += lineHeight_;
        canvas_.TextOut(0, y_,
                        "Created Invoices Dated: " + report_.invoiceDate +
                            InterestChargedText(report_.settings));
        y_ += lineHeight_ * 2;
        canvas_.SetFont(kHeadingFont);
        Row({"Customer Name", "Customer#", report_.overdueCaption, "Interest Chg.", "Invoice#"});
        canvas_.SetPen(0, std::max(1, canvas_.DotsPerInch() / 100));
        canvas_.Line(0, y_ - lineHeight_ / 8, width_, y_ - lineHeight_ / 8);
        canvas_.SetFont(kBodyFont);
    }

    // Starts a new page when `lines` more lines do not fit.
    void Room(int lines) {
        if (y_ + lineHeight_ * (lines + 1) <= canvas_.PageHeight()) return;
        canvas_.TextOut(0, canvas_.PageHeight() - lineHeight_,
                        "Continued on page " + std::to_string(page_ + 1));
        canvas_.NewPage();
        ++page_;
        Heading();
    }

    void Row(const std::array<std::string, 5>& texts) {
        for (size_t i = 0; i < texts.size(); ++i) {
            const Column& column = kColumns[i];
            const int left = static_cast<int>(column.start * width_);
            const int right = static_cast<int>(column.end * width_);
            const int x = column.right ? right - canvas_.TextWidth(texts[i]) : left;
            canvas_.TextOut(x, y_, texts[i]);
        }
        y_ += lineHeight_;
    }

private:
    base::Canvas& canvas_;
    const InterestReport& report_;
    int width_;
    int lineHeight_ = 0;
    int y_ = 0;
    int page_ = 1;
};

}  // namespace

std::string InterestChargedText(const InterestSettings& settings) {
    if (settings.flat)
        return " and charged a flat rate of " +
               Amount(base::Decimal::ParseOrZero(settings.flatRate)) + " as fee.";
    return " and charged " + base::Trim(settings.rate) + " percent interest.";
}

bool DrawInterestReport(base::Canvas& canvas, const InterestReport& report, int& printedRows) {
    printedRows = 0;
    if (!canvas.BeginDocument("Interest Charges Report")) return false;
    ReportPage page(canvas, report);
    page.Heading();
    base::Decimal overdue;
    base::Decimal charged;
    for (const InterestRow& row : report.rows) {
        if (row.invoice.empty()) continue;  // no invoice was made for it
        page.Room(1);
        page.Row({row.name, row.customer, Amount(row.overdue), Amount(row.charge), row.invoice});
        overdue += row.overdue;
        charged += row.charge;
        ++printedRows;
    }
    page.Room(2);
    page.Row({"", "", "", "", ""});
    page.Row({"Totals:", "", Amount(overdue), Amount(charged), ""});
    canvas.EndDocument();
    return true;
}

std::string InterestReportStatus(int printedRows) {
    return "Report Complete. " + std::to_string(printedRows) + " records printed.";
}

}  // namespace invoicing

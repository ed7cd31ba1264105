// The printed invoice on the recording canvas: captions and markers of each copy, the packing
// slip without prices, the amounts of the totals and the table running over pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "invoicing/InvoiceForm.h"
#include "invoicing/OutputSamples.h"
#include "support/RecordingCanvas.h"

namespace invoicing::testing {
namespace {

using testsupport::RecordingCanvas;

bool Has(const RecordingCanvas& canvas, const std::string& text) {
    return std::ranges::any_of(canvas.texts(), [&](const auto& t) { return t.text == text; });
}

// The amount printed on the line of `label`.
std::string AmountBeside(const RecordingCanvas& canvas, const std::string& label) {
    const auto& texts = canvas.texts();
    const auto found = std::ranges::find_if(texts, [&](const auto& t) { return t.text == label; });
    if (found == texts.end() || found + 1 == texts.end() || (found + 1)->y != found->y) return "";
    return (found + 1)->text;
}

TEST(InvoiceForm, EachCopyPrintsItsCaptionMarkersAndAmounts) {
    struct Case {
        const char* name;
        DocumentKind kind;
        std::function<void(testsupport::SampleInvoice&, records::CompanyRecord&)> change;
        std::vector<std::string> shown;
        std::vector<std::string> hidden;
    } cases[] = {
        {"first print",
         DocumentKind::Invoice,
         [](auto&, auto&) {},
         {"INVOICE", "1001", "Acme Supply Co", "Ames Hardware", "Ship To:", "Date: 12/06/2026",
          "Number: 1001", "Account Number: A1", "Reference: PO 4471", "1,250.5", "3,126.25", "T",
          "Grand Total:", "3,385.70", "Thank you for your business!",
          "Account Status:", "Current 150.00", "Over 90: 0.00"},
         {"** Duplicate Invoice **", "C  R  E  D  I  T", "xxxxxxxxxx"}},
        {"reprint",
         DocumentKind::Invoice,
         [](auto& i, auto&) { i.header.setPrinted("Y"); },
         {"** Duplicate Invoice **"},
         {}},
        {"reprint without the marker",
         DocumentKind::Invoice,
         [](auto& i, auto& c) {
             i.header.setPrinted("Y");
             c.setPrintDuplicateInvoice(false);
         },
         {"INVOICE"},
         {"** Duplicate Invoice **"}},
        {"credit",
         DocumentKind::Invoice,
         [](auto& i, auto&) { i.header.setBalanceDue("-5.00"); },
         {"C  R  E  D  I  T", "-5.00"},
         {"INVOICE"}},
        {"repeat master",
         DocumentKind::Invoice,
         [](auto& i, auto&) { i.header.setTypeCode("R"); },
         {"REPEAT MASTER SETUP"},
         {"INVOICE"}},
        {"letterhead",
         DocumentKind::Invoice,
         [](auto&, auto& c) { c.setLetterheadStyle(true); },
         {"Ames Hardware"},
         {"INVOICE", "Acme Supply Co"}},
        {"packing slip",
         DocumentKind::PackingSlip,
         [](auto&, auto&) {},
         {"PACKING SLIP", "xxxxxxxxxx", "This is a packing slip. Please pay from invoice.",
          "Widget, large", "2.5"},
         {"1,250.5", "3,126.25", "Grand Total:", "Account Status:"}},
        {"file copy",
         DocumentKind::FileCopy,
         [](auto&, auto&) {},
         {"FILE COPY", "1,250.5", "Grand Total:"},
         {"INVOICE"}},
        {"customer note",
         DocumentKind::Invoice,
         [](auto&, auto&) {},
         {"Deliver to the side door."},
         {"Thank you for your business!"}},
        {"paid",
         DocumentKind::Invoice,
         [](auto& i, auto&) { i.header.setDatePaid("2026/12/07"); },
         {"Paid Date:", "12/07/2026"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        records::CompanyRecord company = OutputCompany();
        testsupport::SampleInvoice invoice = ProductInvoice(company);
        c.change(invoice, company);
        records::CustomerRecord customer = OutputCustomer();
        customer.setNotesOnInvoices(std::string(c.name) == "customer note");
        RecordingCanvas canvas;
        ASSERT_TRUE(
            PrintInvoiceForm(canvas, DocumentOf(invoice, company, customer), company, c.kind));
        EXPECT_TRUE(canvas.ended());
        EXPECT_EQ(canvas.pages(), 1);
        for (const std::string& text : c.shown) EXPECT_TRUE(Has(canvas, text)) << text;
        for (const std::string& text : c.hidden) EXPECT_FALSE(Has(canvas, text)) << text;
    }
}

TEST(InvoiceForm, TotalsShowTheAmountsBesideTheirLabels) {
    records::CompanyRecord company = OutputCompany();
    testsupport::SampleInvoice invoice = ProductInvoice(company);
    invoice.header.setTypeCode("Z");
    invoice.header.setPaid("0.00");
    invoice.header.setBalanceDue("385.70");
    RecordingCanvas canvas;
    ASSERT_TRUE(
        PrintInvoiceForm(canvas, DocumentOf(invoice, company), company, DocumentKind::Invoice));
    const std::pair<const char*, const char*> rows[] = {{"Total:", "3,127.78"},
                                                        {"Sales Tax:", "257.92"},
                                                        {"Grand Total:", "3,385.70"},
                                                        {"Paid Amount:", "3,000.00"},
                                                        {"Balance Due:", "385.70"}};
    for (const auto& [label, amount] : rows) EXPECT_EQ(AmountBeside(canvas, label), amount);
    EXPECT_EQ(canvas.documents(), std::vector<std::string>{"Invoice - 1001"});
}

// Rows "Item 1" .. "Item n" printed; the page each row landed on.
std::vector<int> RowPages(int rows, RecordingCanvas& canvas) {
    const records::CompanyRecord company = OutputCompany();
    std::vector<testsupport::SampleLine> lines;
    for (int k = 1; k <= rows; ++k)
        lines.push_back({"P", "1", "Item " + std::to_string(k), "1.00", false});
    const auto invoice =
        testsupport::SampleProductInvoice(company, OutputCustomer(), "1001", {2026, 12, 6}, lines);
    EXPECT_TRUE(
        PrintInvoiceForm(canvas, DocumentOf(invoice, company), company, DocumentKind::Invoice));
    std::vector<int> pages;
    for (int k = 1; k <= rows; ++k) {
        const auto& texts = canvas.texts();
        const auto found = std::ranges::find_if(
            texts, [&](const auto& t) { return t.text == "Item " + std::to_string(k); });
        pages.push_back(found == texts.end() ? 0 : found->page);
    }
    return pages;
}

TEST(InvoiceForm, RowsContinueOnTheNextPageButTheLastRowNeverOpensOne) {
    // The fewest rows that need a second page: the row before them filled the first page.
    int first = 0;
    for (int rows = 1; rows < 200 && !first; ++rows) {
        RecordingCanvas canvas;
        RowPages(rows, canvas);
        if (canvas.pages() > 1) first = rows;
    }
    ASSERT_GT(first, 1);

    RecordingCanvas full;
    const std::vector<int> fullPages = RowPages(first - 1, full);
    EXPECT_EQ(full.pages(), 1);
    EXPECT_FALSE(Has(full, "Continued on page number 2 ..."));
    EXPECT_EQ(std::ranges::count(fullPages, 1), first - 1);

    RecordingCanvas over;
    const std::vector<int> overPages = RowPages(first, over);
    EXPECT_EQ(over.pages(), 2);
    EXPECT_EQ(std::ranges::count(overPages, 1), first - 1);
    EXPECT_EQ(overPages.back(), 2);
    EXPECT_TRUE(Has(over, "Continued on page number 2 ..."));
    const std::vector<std::string> second = over.TextsOnPage(2);
    for (const char* heading : {"INVOICE", "page number 2", "Ames Hardware", "Number: 1001",
                                "Description", "Grand Total:"})
        EXPECT_NE(std::ranges::find(second, heading), second.end()) << heading;
}

}  // namespace
}  // namespace invoicing::testing

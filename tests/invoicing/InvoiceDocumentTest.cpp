// The invoice document: shown line columns, the paid amount and paid date, memo and deposit text.
// Reading it from the files is tested through print-invoice (tests/tool).
#include <gtest/gtest.h>

#include "invoicing/InvoiceDocument.h"
#include "invoicing/OutputSamples.h"

namespace invoicing::testing {
namespace {

TEST(InvoiceDocument, LinesKeepTheDecimalsTheirPricesWereTypedWith) {
    struct Case {
        testsupport::SampleLine typed;
        std::vector<std::string> shown;  // quantity, unit price, tax mark, extension
    } cases[] = {
        {{"P1", "2.5", "Widget", "1,250.5", true}, {"2.5", "1,250.5", "T", "3,126.25"}},
        {{"P2", "1", "Press", "1000", false}, {"1", "1,000", "", "1,000.00"}},
        {{"P3", "1", "Shim", "12.34567", false}, {"1", "12.3457", "", "12.35"}},
        {{"P4", "12", "Bolts", "0.1275", true}, {"12", "0.1275", "T", "1.53"}},
        {{"", "", "Thank you", "", false}, {"", "", "", ""}},
    };
    const records::CompanyRecord company = OutputCompany();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.unitPrice);
        const auto invoice = testsupport::SampleProductInvoice(company, OutputCustomer(), "1001",
                                                               {2026, 12, 6}, {c.typed});
        const InvoiceDocument document = DocumentOf(invoice, company);
        ASSERT_EQ(document.lines.size(), 1u);
        const DocumentLine& line = document.lines[0];
        EXPECT_EQ(line.productCode, c.typed.productCode);
        EXPECT_EQ(line.description, c.typed.description);
        EXPECT_EQ((std::vector{line.quantity, line.unitPrice, line.taxMark, line.extension}),
                  c.shown);
    }
}

TEST(InvoiceDocument, PaidIsWhatWasReceivedAndThePaidDateIsInTheCompanysOrder) {
    struct Case {
        const char* type;
        const char* paid;
        const char* balanceDue;
        const char* datePaid;
        const char* dateFormat;
        const char* shownPaid;
        const char* shownDate;
    } cases[] = {
        {"I", "10.00", "90.00", "", "M", "10.00", ""},
        {"I", "0.00", "100.00", " ", "M", "0.00", ""},
        {"Z", "10.00", "40.00", "", "M", "60.00", ""},
        {"Z", "0.00", "0.00", "2026/12/07", "M", "100.00", "12/07/2026"},
        {"Z", "0.00", "0.00", "2026/12/07", "D", "100.00", "07/12/2026"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.balanceDue + " " + c.dateFormat);
        records::CompanyRecord company = OutputCompany();
        company.setDateFormat(c.dateFormat);
        auto invoice = ProductInvoice(company);
        invoice.header.setTypeCode(c.type);
        invoice.header.setTotal("100.00");
        invoice.header.setPaid(c.paid);
        invoice.header.setBalanceDue(c.balanceDue);
        invoice.header.setDatePaid(c.datePaid);
        const InvoiceDocument document = DocumentOf(invoice, company);
        EXPECT_EQ(ShownAmount(document.paid), c.shownPaid);
        EXPECT_EQ(document.paidDate, c.shownDate);
    }
}

TEST(InvoiceDocument, MemoAndDepositFormsCarryTheirTextInsteadOfLines) {
    const records::CompanyRecord company = OutputCompany();
    const auto memo =
        testsupport::SampleMemoInvoice(company, OutputCustomer(), "1002", {2026, 12, 6}, "450.00",
                                       "Consulting", {"Shelving layout.", "", "Two visits."});
    const InvoiceDocument memoDocument = DocumentOf(memo, company);
    EXPECT_TRUE(memoDocument.IsMemo());
    EXPECT_TRUE(memoDocument.lines.empty());
    ASSERT_EQ(memoDocument.memo.size(), 25u);
    EXPECT_EQ((std::vector(memoDocument.memo.begin(), memoDocument.memo.begin() + 4)),
              (std::vector<std::string>{"Shelving layout.", "", "Two visits.", ""}));

    struct Case {
        const char* form;
        std::vector<std::string> memo;
    } cases[] = {{"D", {"Deposit on Account"}},
                 {"T", {"Deposit on Account - Offset against invoices."}},
                 {"P", {}}};
    for (const Case& c : cases) {
        auto invoice = ProductInvoice(company);
        invoice.header.setForm(c.form);
        const InvoiceDocument document = DocumentOf(invoice, company);
        EXPECT_EQ(document.memo, c.memo) << c.form;
        EXPECT_EQ(document.IsMemo(), !c.memo.empty()) << c.form;
        EXPECT_EQ(document.lines.size(), c.memo.empty() ? 3u : 0u) << c.form;
    }
}

}  // namespace
}  // namespace invoicing::testing

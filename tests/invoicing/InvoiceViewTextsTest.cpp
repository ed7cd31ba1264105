// The texts of the "View Invoice" window: which caption each kind of record gets, memo or list,
// the numbered rows under the company's headings and the totals with the tax caption.
#include <gtest/gtest.h>

#include "invoicing/InvoiceViewTexts.h"
#include "invoicing/OutputSamples.h"

namespace invoicing::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(InvoiceViewTexts, EachKindOfRecordGetsItsCaptionAndMemoOrList) {
    const char* kDeposit =
        "DEPOSIT ON ACCOUNT OF 1,500.00. (A zero amount indicates deposit has "
        "been offset).";
    const struct {
        const char* form;
        const char* type;
        Lines memo;
        const char* typeCaption;
        bool showsMemo;
        Lines memoShown;
    } cases[] = {
        {"P", "I", {}, "Product Code Invoice", false, {}},
        {"M", "I", {"Consulting", "", "  "}, "Memo Invoice", true, {"Consulting"}},
        {"M",
         "R",
         {"Monthly fee", "", "x"},
         "** REPEAT BILLING MASTER SETUP **",
         true,
         {"Monthly fee", "", "x"}},
        {"P", "G", {}, "** GENERATED BILLING **", false, {}},
        {"D", "D", {"Deposit on Account"}, kDeposit, true, {"Deposit on Account"}},
        {"T",
         "T",
         {"Deposit on Account - Offset against invoices."},
         kDeposit,
         true,
         {"Deposit on Account - Offset against invoices."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.form) + c.type);
        InvoiceDocument document;
        document.number = "1001";
        document.form = c.form;
        document.typeCode = c.type;
        document.paid = *base::Decimal::Parse("1500");
        document.memo = c.memo;
        const InvoiceViewTexts texts = ViewTextsOf(document, OutputCompany());
        EXPECT_EQ(texts.caption, "View Invoice# 1001");
        EXPECT_EQ(texts.typeCaption, c.typeCaption);
        EXPECT_EQ(texts.showsMemo, c.showsMemo);
        EXPECT_EQ(texts.memo, c.memoShown);
    }
}

TEST(InvoiceViewTexts, RowsAreNumberedUnderTheCompanysHeadingsAndTotalsNameTheTax) {
    records::CompanyRecord company = OutputCompany();
    InvoiceDocument document = DocumentOf(ProductInvoice(company), company);
    document.number = "  1001 ";
    document.paid = *base::Decimal::Parse("385.7");
    const InvoiceViewTexts texts = ViewTextsOf(document, company);
    EXPECT_EQ(texts.caption, "View Invoice# 1001");
    EXPECT_EQ(texts.headers, (ViewRow{"#", "Product Code", "Quantity", "Description", "Unit Price",
                                      "Sales Tax:", "Amount"}));
    EXPECT_EQ(texts.rows, (std::vector<ViewRow>{
                              {"01", "P1", "2.5", "Widget, large", "1,250.5", "T", "3,126.25"},
                              {"02", "B22", "12", "Brass bolts", "0.1275", "", "1.53"},
                              {"03", "", "", "Thank you for your order", "", "", ""}}));
    Lines totals;
    for (const ViewTotal& total : texts.totals) totals.push_back(total.caption + total.amount);
    EXPECT_EQ(totals, (Lines{"Net Amount:3,127.78", "Sales Tax:257.92", "Total:3,385.70",
                             "Paid Amount: 385.70", "Balance Due:3,385.70"}));

    company.setTaxHeading("  ");
    const InvoiceViewTexts untitled = ViewTextsOf(document, company);
    EXPECT_EQ(untitled.headers[5], "Tax:");
    EXPECT_EQ(untitled.totals[1].caption, "Tax:");
}

}  // namespace
}  // namespace invoicing::testing

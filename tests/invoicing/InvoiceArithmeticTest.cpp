// The amounts of a draft, its tax box on edit, the memo text's lines and the invoice numbers:
// plain values.
#include <gtest/gtest.h>

#include "invoicing/InvoiceDraft.h"
#include "invoicing/InvoiceNumbers.h"
#include "support/Samples.h"

namespace invoicing::testing {
namespace {

std::string Cents(base::Decimal amount) {
    return amount.Format("0.00");
}

TEST(InvoiceArithmetic, ExtensionsRoundHalfAwayFromZeroToCents) {
    const struct {
        const char* quantity;
        const char* price;
        const char* extension;
    } cases[] = {
        {"2.5", "0.25", "0.63"},      {"-2.5", "0.25", "-0.63"}, {"1", "1.005", "1.01"},
        {"1,000", "1.50", "1500.00"}, {"", "9.99", "0.00"},      {"3", "abc", "0.00"},
        {"0.333", "3", "1.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.quantity) + " x " + c.price);
        EXPECT_EQ(Cents(Extension(c.quantity, c.price)), c.extension);
    }
}

InvoiceDraft Product(std::vector<DraftLine> lines, std::string paid = "0.00", bool tax = true) {
    InvoiceDraft draft;
    draft.lines = std::move(lines);
    draft.paid = std::move(paid);
    draft.tax = tax;
    return draft;
}

InvoiceDraft MemoOf(DraftMemo memo, std::string paid) {
    InvoiceDraft draft;
    draft.form = InvoiceForm::Memo;
    draft.memo = std::move(memo);
    draft.paid = std::move(paid);
    return draft;
}

TEST(InvoiceArithmetic, TotalsOfProductAndMemoInvoices) {
    records::CompanyRecord company = testsupport::SampleCompany();
    company.setTaxRate("10");
    const struct {
        const char* name;
        InvoiceDraft draft;
        std::vector<std::string> totals;  // net, tax, total, paid, balance due
    } cases[] = {
        {"tax on 1.05",
         Product({{"A", "1", "x", "1.05", "Y"}}),
         {"1.05", "0.11", "1.16", "0.00", "1.16"}},
        {"only taxed rows",
         Product({{"A", "2", "x", "5", "Y"}, {"B", "1", "y", "3", "N"}}, "4.005"),
         {"13.00", "1.00", "14.00", "4.01", "9.99"}},
        {"tax unticked",
         Product({{"A", "1", "x", "1.05", "Y"}}, "0.00", false),
         {"1.05", "0.00", "1.05", "0.00", "1.05"}},
        {"negative paid",
         Product({{"A", "1", "x", "10", "N"}}, "-5"),
         {"10.00", "0.00", "10.00", "-5.00", "15.00"}},
        {"memo, typed amounts rounded",
         MemoOf({"t", "d", "1", "100.005", "8.124"}, "50"),
         {"100.01", "8.12", "108.13", "50.00", "58.13"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const InvoiceTotals t = ComputeTotals(c.draft, company);
        EXPECT_EQ((std::vector<std::string>{Cents(t.net), Cents(t.tax), Cents(t.total),
                                            Cents(t.paid), Cents(t.balanceDue)}),
                  c.totals);
    }
}

TEST(InvoiceArithmetic, TaxBoxOfAnEditedInvoiceStartsFromWhatWasSaved) {
    const struct {
        SavedTaxing saved;
        bool ticked;
    } cases[] = {
        {{.taxSaved = true, .taxedLines = true, .companyTaxes = true, .customerExempt = false},
         true},
        {{.taxSaved = true, .taxedLines = true, .companyTaxes = false, .customerExempt = false},
         true},
        // Saved with no taxed row: rows marked taxed now are taxed when the company taxes.
        {{.taxSaved = false, .taxedLines = false, .companyTaxes = true, .customerExempt = false},
         true},
        {{.taxSaved = false, .taxedLines = false, .companyTaxes = false, .customerExempt = false},
         false},
        // Taxed rows saved without tax: the user took the tax off.
        {{.taxSaved = false, .taxedLines = true, .companyTaxes = true, .customerExempt = false},
         false},
        {{.taxSaved = true, .taxedLines = true, .companyTaxes = true, .customerExempt = true},
         false},
        {{.taxSaved = false, .taxedLines = false, .companyTaxes = true, .customerExempt = true},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "saved " << c.saved.taxSaved << ", taxed rows " << c.saved.taxedLines
                     << ", company " << c.saved.companyTaxes << ", exempt "
                     << c.saved.customerExempt);
        EXPECT_EQ(TaxBoxOnEdit(c.saved), c.ticked);
    }
}

TEST(InvoiceArithmetic, AmountsFitTheirFieldsOrAreRefused) {
    EXPECT_TRUE(FitsField(*base::Decimal::Parse("9999999.99")));
    EXPECT_TRUE(FitsField(*base::Decimal::Parse("-999999.99")));
    EXPECT_FALSE(FitsField(*base::Decimal::Parse("-9999999.99")));
    EXPECT_FALSE(TypedAmount("12a"));
    EXPECT_EQ(Cents(*TypedAmount("")), "0.00");
}

TEST(InvoiceArithmetic, MemoTextIsWrappedAtWordsWithin74Characters) {
    const std::string word10 = "abcdefghi ";
    std::string paragraph;
    for (int i = 0; i < 8; ++i) paragraph += word10;  // 80 characters
    const std::vector<std::string> lines =
        MemoLines(paragraph + "\r\n\nshort\n" + std::string(80, 'x'));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], paragraph.substr(0, 69));  // seven words, the blank after them dropped
    EXPECT_EQ(lines[1], "abcdefghi ");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "short");
    EXPECT_EQ(lines[4], std::string(74, 'x'));
    EXPECT_EQ(lines[5], std::string(6, 'x'));
}

TEST(InvoiceNumbers, NextNumberAfterATypedNumber) {
    const struct {
        const char* typed;
        bool dated;
        const char* next;
    } cases[] = {
        {"1001", false, "1002"},     {"0099", false, "100"},     {"A100", false, "500"},
        {"999999999", false, "500"}, {"2412105", true, "106"},   {"99 1105", true, "106"},
        {"2412", true, "500"},       {"241299999", true, "500"}, {"24121x", true, "500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(NextInvoiceNumber(c.typed, c.dated, "500"), c.next);
    }
}

TEST(InvoiceNumbers, ADatedNumberIsPrefixedWithYearAndMonth) {
    records::CompanyRecord company = testsupport::SampleCompany();
    company.setNextInvoiceNumber("106");
    EXPECT_EQ(ProposedInvoiceNumber(company, {2024, 12, 3}), "106");
    company.setYearMonthPrefix(true);
    EXPECT_EQ(ProposedInvoiceNumber(company, {2024, 12, 3}), "2412106");
}

}  // namespace
}  // namespace invoicing::testing

#include <gtest/gtest.h>

#include "records/InvoiceLineRecord.h"
#include "records/InvoiceMemoRecord.h"
#include "support/FieldLayout.h"

namespace records {
namespace {

using testsupport::BytesAt;
using testsupport::Prefixed;

TEST(InvoiceLineRecord, FieldsTileTheRecordAroundTheUnusedAreas) {
    testsupport::ExpectFieldsTile(InvoiceLineRecord::Fields(), InvoiceLineRecord::kSize,
                                  {{0, 4}, {130, 132}});
}

TEST(InvoiceLineRecord, FieldsLandAtTheirOffsets) {
    InvoiceLineRecord r;
    r.setKind("P");
    r.setCompanyCode("12");
    r.setInvoiceNumber("a100");
    r.setInvoiceDate("2024/03/05");
    r.setProductCode("W-1");
    r.setCustomerNumber("C7");
    r.setShortName("SMITH");
    EXPECT_EQ(BytesAt(r, 70, 2), Prefixed("P"));
    EXPECT_EQ(BytesAt(r, 72, 3), Prefixed("12"));
    EXPECT_EQ(BytesAt(r, 78, 5), Prefixed("a100"));
    EXPECT_EQ(BytesAt(r, 88, 11), Prefixed("2024/03/05"));
    EXPECT_EQ(BytesAt(r, 99, 4), Prefixed("W-1"));
    EXPECT_EQ(BytesAt(r, 110, 3), Prefixed("C7"));
    EXPECT_EQ(BytesAt(r, 119, 6), Prefixed("SMITH"));
}

TEST(InvoiceLineRecord, LineTextKeepsItsFixedColumns) {
    InvoiceLineRecord r;
    r.setColumns({"1,000", "Widget, large", "2.5", "Y", "2,500.00"});
    EXPECT_EQ(r.lineText(), "1000      Widget, large                   2.5       Y2500.00   ");
    EXPECT_EQ(r.lineText().size(), 63u);
    EXPECT_EQ(r.data()[4], 63);
    EXPECT_EQ(r.columns(), (LineColumns{"1000", "Widget, large", "2.5", "Y", "2500.00"}));

    // An over-long piece is cut to its column instead of pushing the others out of place.
    r.setColumns({"12345678901234", std::string(40, 'd'), "1", "M", "99999999.99"});
    EXPECT_EQ(r.columns(),
              (LineColumns{"1234567890", std::string(32, 'd'), "1", "M", "99999999.9"}));

    r.setLineText("5");  // a short text stored elsewhere still splits safely
    EXPECT_EQ(r.columns(), (LineColumns{"5", "", "", "", ""}));
}

TEST(InvoiceLineRecord, KeysAreTheDateAndTheUpperCasedNumber) {
    InvoiceLineRecord r;
    r.setInvoiceDate("2024/03/05");
    r.setInvoiceNumber("a100 ");
    EXPECT_EQ(r.key(1), "2024/03/05");
    EXPECT_EQ(r.key(2), "A100     ");
    EXPECT_EQ(r.key(3), "");
}

TEST(InvoiceMemoRecord, FieldsTileTheRecordAroundTheUnusedAreas) {
    testsupport::ExpectFieldsTile(InvoiceMemoRecord::Fields(), InvoiceMemoRecord::kSize,
                                  {{0, 4}, {1889, 1892}});
    EXPECT_STREQ(InvoiceMemoRecord::Fields().back().name, "line25");
}

TEST(InvoiceMemoRecord, KeepsTwentyFiveLinesOfSeventyFourCharacters) {
    std::vector<std::string> text;
    for (int i = 0; i < 26; ++i) text.push_back("line " + std::to_string(i + 1));
    text[3] = std::string(80, 'x');
    InvoiceMemoRecord r;
    r.setInvoiceNumber("a100");
    r.setLines(text);
    EXPECT_EQ(BytesAt(r, 4, 5), Prefixed("a100"));
    EXPECT_EQ(BytesAt(r, 14, 7), Prefixed("line 1"));
    EXPECT_EQ(BytesAt(r, 14 + 75 * 24, 8), Prefixed("line 25"));
    EXPECT_EQ(r.data()[14 + 75 * 3], 74);
    EXPECT_EQ(r.line(3), std::string(74, 'x'));
    EXPECT_EQ(r.lines().size(), 25u);
    EXPECT_EQ(r.lines()[24], "line 25");
    EXPECT_EQ(r.line(25), "");  // beyond the last line

    r.setLines({"only"});
    EXPECT_EQ(r.line(0), "only");
    EXPECT_EQ(r.line(1), "");
    EXPECT_EQ(r.data()[14 + 75 * 24], 0);
    EXPECT_EQ(r.data()[1889], 0);
}

TEST(InvoiceMemoRecord, KeyIsTheUpperCasedNumber) {
    InvoiceMemoRecord r;
    r.setInvoiceNumber(" a100");
    EXPECT_EQ(r.key(1), "A100     ");
    EXPECT_EQ(r.key(2), "");
}

}  // namespace
}  // namespace records

#include "records/CompanyRecord.h"

#include <gtest/gtest.h>

#include "base/RecordField.h"
#include "support/FieldLayout.h"

namespace records {
namespace {

using testsupport::BytesAt;
using testsupport::Prefixed;

int32_t IntAt(const CompanyRecord& r, int offset) {
    return base::ReadInt32(r.data(), offset);
}

TEST(CompanyRecord, FieldsTileTheRecordAroundTheReservedAreas) {
    // Engine word, padding and reserved areas; the font blocks' inner padding included.
    testsupport::ExpectFieldsTile(
        CompanyRecord::Fields(), CompanyRecord::kSize,
        {{0, 4},       {270, 272},   {872, 874},   {930, 933},   {945, 951},   {995, 996},
         {1617, 1620}, {1629, 1632}, {1665, 1668}, {1677, 1680}, {1713, 1716}, {1725, 1728},
         {1761, 1764}, {1773, 1776}, {1809, 1812}, {1821, 1824}, {1857, 1860}, {1869, 1872},
         {1989, 2000}, {2051, 2052}, {2085, 2088}, {2097, 2100}, {2142, 2153}, {2155, 2156},
         {2158, 2159}, {2210, 2261}, {2312, 2363}, {2365, 2548}, {2574, 2611}, {2619, 2674},
         {2686, 2690}, {2723, 2736}});
}

TEST(CompanyRecord, FieldsLandAtTheirOffsets) {
    CompanyRecord r;
    r.setName("Acme co");
    r.setNumber("12");
    r.setEditorFont({"Arial", 10, kBlue, kBold});
    r.setManagersFont({"Courier New", 9, 0x123456, kItalic});
    r.setBodyFont({"Times", 11, 0x00FF00, kUnderline});
    r.setSalesMessageFont({"Verdana", 12, 7, kStrikeOut});
    r.setEnvelopeFont({"Arial", -14, 0xABCDEF, kBold | kItalic});
    r.setShowHints(true);
    r.setPrintReturnAddress(true);
    r.setAgingCaption3("61-90:");
    EXPECT_EQ(BytesAt(r, 4, 8), Prefixed("Acme co"));
    EXPECT_EQ(BytesAt(r, 40, 3), Prefixed("12"));
    EXPECT_EQ(BytesAt(r, 237, 6), Prefixed("Arial"));
    EXPECT_EQ(IntAt(r, 272), 10);
    EXPECT_EQ(IntAt(r, 276), 0xFF0000);
    EXPECT_EQ(r.data()[280], kBold);
    EXPECT_EQ(BytesAt(r, 954, 12), Prefixed("Courier New"));
    EXPECT_EQ(IntAt(r, 996), 9);
    EXPECT_EQ(r.data()[1004], kItalic);
    EXPECT_EQ(BytesAt(r, 1584, 6), Prefixed("Times"));
    EXPECT_EQ(IntAt(r, 1620), 11);
    EXPECT_EQ(IntAt(r, 1624), 0x00FF00);
    EXPECT_EQ(r.data()[1628], kUnderline);
    EXPECT_EQ(IntAt(r, 1860), 12);
    EXPECT_EQ(r.data()[1868], kStrikeOut);
    EXPECT_EQ(IntAt(r, 2088), -14);
    EXPECT_EQ(r.data()[2096], kBold | kItalic);
    EXPECT_EQ(r.data()[1573], 1);
    EXPECT_EQ(BytesAt(r, 2140, 2), Prefixed("Y"));
    EXPECT_EQ(BytesAt(r, 2712, 7), Prefixed("61-90:"));
    EXPECT_EQ(r.envelopeFont(), (FontSpec{"Arial", -14, 0xABCDEF, kBold | kItalic}));
}

TEST(CompanyRecord, NewCompanyValuesKeepInheritedAndReservedBytes) {
    CompanyRecord r;
    std::fill(r.data(), r.data() + CompanyRecord::kSize, 0xEE);
    r.setInvoiceCaption("INVOICE");
    r.setBodyFont({"Arial", 10, 0, 0});
    r.SetNewCompanyValues("4");

    EXPECT_EQ(r.name(), "");
    EXPECT_EQ(r.number(), "4");
    EXPECT_EQ(r.receivablesTotal(), "0.00");
    EXPECT_EQ(r.defaultTerms(), "Net 30 Days");
    EXPECT_EQ(r.editorFont(), (FontSpec{"Arial", 10, kBlue, kBold}));
    EXPECT_EQ(r.managersFont(), (FontSpec{"Courier New", 10, kBlack, 0}));

    EXPECT_EQ(r.invoiceCaption(), "INVOICE");  // form settings are inherited
    EXPECT_EQ(r.bodyFont().name, "Arial");
    for (int b : {0, 3, 270, 872, 2142, 2500, 2735}) EXPECT_EQ(r.data()[b], 0xEE) << b;
}

TEST(CompanyRecord, KeysAreTrimmedPaddedAndUpperCased) {
    CompanyRecord r;
    r.setNumber(" 7");
    r.setName("Acme co");
    EXPECT_EQ(r.key(1), "7    ");
    EXPECT_EQ(r.key(2), "ACME CO" + std::string(23, ' '));
    EXPECT_EQ(r.key(3), "");
    r.setName("  " + std::string(35, 'x'));
    EXPECT_EQ(r.key(2), std::string(30, 'X'));
    EXPECT_EQ(base::BuildKeyOf<CompanyRecord>(r.bytes(), 1), "7    ");
    EXPECT_EQ(r.code(), "7");
}

TEST(FontSpec, ConvertsToAndFromTheDialogsFontAndIsCutToItsField) {
    const FontSpec font{"Caf\xe9", 12, 0x0000FF, kBold | kStrikeOut};
    base::FontChoice choice = font.ToChoice();
    EXPECT_EQ(choice.family, "Caf\u00e9");
    EXPECT_EQ(FontSpec::FromChoice(choice), font);
    choice.family = "\u5b8b\u4f53";  // no Windows-1252 spelling
    EXPECT_FALSE(FontSpec::FromChoice(choice));
    CompanyRecord r;
    r.setCaptionFont({std::string(40, 'n'), 8, 0, 0});
    EXPECT_EQ(r.captionFont().name, std::string(32, 'n'));
}

}  // namespace
}  // namespace records

#include "records/InvoiceRecord.h"

#include <gtest/gtest.h>

#include "records/TransactionType.h"
#include "support/FieldLayout.h"

namespace records {
namespace {

using testsupport::BytesAt;
using testsupport::Prefixed;

TEST(InvoiceRecord, FieldsTileTheRecordAroundTheUnusedAreas) {
    testsupport::ExpectFieldsTile(InvoiceRecord::Fields(), InvoiceRecord::kSize,
                                  {{0, 4}, {330, 345}, {356, 360}});
}

TEST(InvoiceRecord, FieldsLandAtTheirOffsets) {
    InvoiceRecord r;
    r.setInvoiceNumber("A1001");
    r.setTypeCode("I");
    r.setKeyCode("None");
    r.setCustomerNumber("C7");
    r.setCompanyCode("12");
    r.setDocumentDate("05/03/2024", {2024, 3, 5});
    r.setForm("P");
    r.setNet("100.00");
    r.setBalanceDue("-5.00");
    r.setPaidFlag("P");
    r.setGeneratedCount("0");
    r.setEmailedDate("04/01/2024");
    EXPECT_EQ(BytesAt(r, 4, 6), Prefixed("A1001"));
    EXPECT_EQ(BytesAt(r, 14, 2), Prefixed("I"));
    EXPECT_EQ(BytesAt(r, 16, 5), Prefixed("None"));
    EXPECT_EQ(BytesAt(r, 25, 3), Prefixed("C7"));
    EXPECT_EQ(BytesAt(r, 34, 3), Prefixed("12"));
    EXPECT_EQ(BytesAt(r, 40, 11), Prefixed("05/03/2024"));
    EXPECT_EQ(BytesAt(r, 53, 11), Prefixed("03") + Prefixed("05") + Prefixed("2024"));
    EXPECT_EQ(BytesAt(r, 64, 11), Prefixed("2024/03/05"));
    EXPECT_EQ(BytesAt(r, 228, 2), Prefixed("P"));
    EXPECT_EQ(BytesAt(r, 241, 7), Prefixed("100.00"));
    EXPECT_EQ(BytesAt(r, 285, 6), Prefixed("-5.00"));
    EXPECT_EQ(BytesAt(r, 309, 2), Prefixed("P"));
    EXPECT_EQ(BytesAt(r, 326, 2), Prefixed("0"));
    EXPECT_EQ(BytesAt(r, 345, 11), Prefixed("04/01/2024"));
}

TEST(InvoiceRecord, KeysFollowTheirOwnCaseAndPaddingRules) {
    InvoiceRecord r;
    r.setInvoiceNumber(" a100 ");
    r.setCustomerNumber("c7");
    r.setSortDate("2024/03/05");
    r.setKeyCode("none");
    r.setTypeCode("z");
    r.setDatePaid(" ");
    EXPECT_EQ(r.key(1), "A100     ");
    EXPECT_EQ(r.key(2), "C7      ");
    EXPECT_EQ(r.key(3), "2024/03/05");
    EXPECT_EQ(r.key(4), "NONE    ");
    EXPECT_EQ(r.key(5), "ZA100     ");
    EXPECT_EQ(r.key(6), std::string(10, ' '));
    EXPECT_EQ(r.key(7), "");

    r.setSortDate("abc");  // keys 3 and 6 are neither trimmed nor upper-cased
    r.setDatePaid(" x");
    EXPECT_EQ(r.key(3), "abc       ");
    EXPECT_EQ(r.key(6), " x        ");
    r.setInvoiceNumber("123456789");
    EXPECT_EQ(r.key(1), "123456789");
    EXPECT_EQ(base::BuildKeyOf<InvoiceRecord>(r.bytes(), 5), "Z123456789");
}

TEST(TransactionType, TextsNameEachKindOfRecord) {
    EXPECT_EQ(TransactionTypeText("R", "3"), "R - Repeat Billing Master Record (Created: 3)");
    EXPECT_EQ(TransactionTypeText("Z", ""), "Z - Invoice has Partial Payment(s) of Type X");
    EXPECT_EQ(TransactionTypeText("Q", ""), "Q");
    EXPECT_EQ(DocumentKindText("X", "M"), "(Payment Record)");
    EXPECT_EQ(DocumentKindText("T", "P"), "(Applied Deposit)");
    EXPECT_EQ(DocumentKindText("I", "M"), "(Memo Invoice)");
    EXPECT_EQ(DocumentKindText("G", ""), "(Product Invoice)");
}

}  // namespace
}  // namespace records

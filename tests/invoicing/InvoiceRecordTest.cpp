#include "invoicing/InvoiceRecord.h"

#include <gtest/gtest.h>

#include "invoicing/TransactionType.h"
#include "support/FieldLayout.h"

namespace invoicing {
namespace {

std::string BytesAt(const InvoiceRecord& r, int offset, int n) {
    return std::string(reinterpret_cast<const char*>(r.data() + offset), n);
}

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
    r.setDatePaid("2024/04/01");
    r.setPaidFlag("P");
    r.setGeneratedCount("0");
    r.setEmailedDate("04/01/2024");
    EXPECT_EQ(BytesAt(r, 4, 6),
              "\x05"
              "A1001");
    EXPECT_EQ(BytesAt(r, 14, 2), "\x01I");
    EXPECT_EQ(BytesAt(r, 16, 5), "\x04None");
    EXPECT_EQ(BytesAt(r, 25, 3),
              "\x02"
              "C7");
    EXPECT_EQ(BytesAt(r, 34, 3),
              "\x02"
              "12");
    EXPECT_EQ(BytesAt(r, 40, 11),
              "\x0a"
              "05/03/2024");
    EXPECT_EQ(BytesAt(r, 53, 3),
              "\x02"
              "03");
    EXPECT_EQ(BytesAt(r, 56, 3),
              "\x02"
              "05");
    EXPECT_EQ(BytesAt(r, 59, 5),
              "\x04"
              "2024");
    EXPECT_EQ(BytesAt(r, 64, 11),
              "\x0a"
              "2024/03/05");
    EXPECT_EQ(BytesAt(r, 228, 2), "\x01P");
    EXPECT_EQ(BytesAt(r, 241, 7),
              "\x06"
              "100.00");
    EXPECT_EQ(BytesAt(r, 285, 6), "\x05-5.00");
    EXPECT_EQ(BytesAt(r, 296, 3),
              "\x0a"
              "20");
    EXPECT_EQ(BytesAt(r, 309, 2), "\x01P");
    EXPECT_EQ(BytesAt(r, 326, 2),
              "\x01"
              "0");
    EXPECT_EQ(BytesAt(r, 345, 3),
              "\x0a"
              "04");
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
    EXPECT_EQ(InvoiceRecord::BuildKey(r.data(), 5), "Z123456789");
}

TEST(InvoiceRecord, FileDescriptionMatchesTheInvoiceFile) {
    const engine::FileDescription file = InvoiceFileDescription("12");
    EXPECT_EQ(file.name, "12I");
    EXPECT_EQ(file.statusCaption, "Invoices");
    EXPECT_EQ(file.recordLength, 360);
    ASSERT_EQ(file.keyCount(), 6);
    const int lengths[] = {9, 8, 10, 10, 10, 10};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(file.keys[k].length, lengths[k]);
        EXPECT_TRUE(file.keys[k].duplicates);
    }
    EXPECT_EQ(file.addOrder, (std::vector<int>{1, 2, 3, 4, 6, 5}));
    EXPECT_EQ(file.updateOrder, (std::vector<int>{1, 3, 4, 5, 6, 2}));
    EXPECT_EQ(file.creationNotice,
              "I am going to create a new, empty invoice file for this company.");
}

TEST(TransactionType, TextsNameEachKindOfRecord) {
    EXPECT_EQ(TransactionTypeText("I", ""), "I - Regular Invoice");
    EXPECT_EQ(TransactionTypeText("R", "3"), "R - Repeat Billing Master Record (Created: 3)");
    EXPECT_EQ(TransactionTypeText("G", ""), "G - Repeat Billing Generated Invoice");
    EXPECT_EQ(TransactionTypeText("X", ""), "X - Partial Payment Record against Type Z");
    EXPECT_EQ(TransactionTypeText("Z", ""), "Z - Invoice has Partial Payment(s) of Type X");
    EXPECT_EQ(TransactionTypeText("D", ""), "D - Deposit on Account");
    EXPECT_EQ(TransactionTypeText("T", ""), "T - Deposit Taken (offsets type D)");
    EXPECT_EQ(TransactionTypeText("Q", ""), "Q");

    EXPECT_EQ(DocumentKindText("D", "D"), "(Payment Record)");
    EXPECT_EQ(DocumentKindText("X", "M"), "(Payment Record)");
    EXPECT_EQ(DocumentKindText("T", "P"), "(Applied Deposit)");
    EXPECT_EQ(DocumentKindText("I", "M"), "(Memo Invoice)");
    EXPECT_EQ(DocumentKindText("Z", "P"), "(Product Invoice)");
    EXPECT_EQ(DocumentKindText("G", ""), "(Product Invoice)");
}

}  // namespace
}  // namespace invoicing

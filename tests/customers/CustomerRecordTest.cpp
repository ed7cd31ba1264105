#include "customers/CustomerRecord.h"

#include <gtest/gtest.h>

#include "support/FieldLayout.h"

namespace customers {
namespace {

std::string BytesAt(const CustomerRecord& r, int offset, int n) {
    return std::string(reinterpret_cast<const char*>(r.data() + offset), n);
}

TEST(CustomerRecord, FieldsTileTheRecordAroundTheReservedAreas) {
    testsupport::ExpectFieldsTile(CustomerRecord::Fields(), CustomerRecord::kSize,
                                  {{0, 4}, {787, 800}, {827, 853}, {906, 1008}});
}

TEST(CustomerRecord, FieldsLandAtTheirOffsets) {
    CustomerRecord r;
    r.setNumber("a12");
    r.setName("Smith & Sons");
    r.setBalance("-1234567.89");
    r.setCreditLimit("1500.00");
    r.setBilling4("Springfield");
    r.setShipping1("Dock 4");
    r.setAging4("12.50");
    r.setNotes(std::string(300, 'n'));
    r.setNotesOnStatements(true);
    r.setShortName("SMITH");
    r.setCreditHold(false);
    r.setEmail("a@b.example");

    EXPECT_EQ(BytesAt(r, 4, 4),
              "\x03"
              "a12");
    EXPECT_EQ(BytesAt(r, 13, 5),
              "\x0c"
              "Smit");
    EXPECT_EQ(BytesAt(r, 49, 12), "\x0b-1234567.89");
    EXPECT_EQ(BytesAt(r, 111, 8),
              "\x07"
              "1500.00");
    EXPECT_EQ(BytesAt(r, 266, 3), "\x0bSp");
    EXPECT_EQ(BytesAt(r, 328, 3),
              "\x06"
              "Do");
    EXPECT_EQ(BytesAt(r, 531, 6),
              "\x05"
              "12.50");
    EXPECT_EQ(r.data()[542], 240);  // notes cut to their field
    EXPECT_EQ(r.data()[782], 'n');
    EXPECT_EQ(r.data()[783], 0);  // the Y/N field after the notes is untouched
    EXPECT_EQ(BytesAt(r, 785, 2), "\x01Y");
    EXPECT_EQ(BytesAt(r, 800, 6), "\x05SMITH");
    EXPECT_EQ(BytesAt(r, 853, 2), "\x01N");
    EXPECT_EQ(BytesAt(r, 855, 4),
              "\x0b"
              "a@b");
    EXPECT_EQ(r.notes().size(), 240u);
}

TEST(CustomerRecord, NewCustomerStartsWithZeroAmountsAndNoHistory) {
    CustomerRecord r;
    r.setLastPaymentDate("01/01/2024");
    r.SetNewCustomerValues();
    for (const std::string& amount : {r.balance(), r.aging1(), r.aging2(), r.aging3(), r.aging4()})
        EXPECT_EQ(amount, "0.00");
    EXPECT_EQ(r.lastPaymentDate(), "");
    EXPECT_EQ(r.lastInvoiceNumber(), "");
    EXPECT_EQ(BytesAt(r, 853, 2), "\x01N");
}

TEST(CustomerRecord, KeysMakeNumbersCaseAndBlankInsensitiveAndCutNamesToThirty) {
    CustomerRecord a, b;
    a.setNumber("a12");
    b.setNumber("A12 ");
    EXPECT_EQ(a.key(2), "A12     ");
    EXPECT_EQ(a.key(2), b.key(2));
    EXPECT_EQ(a.number(), "a12");  // the record keeps the text as typed

    a.setName(std::string(30, 'q') + "AAAAA");
    b.setName(std::string(30, 'Q') + "BBBBB");
    EXPECT_EQ(a.key(1), std::string(30, 'Q'));
    EXPECT_EQ(a.key(1), b.key(1));
    a.setName(" Jones ");
    EXPECT_EQ(a.key(1), "JONES" + std::string(25, ' '));
    EXPECT_EQ(a.key(0), "");
    EXPECT_EQ(CustomerRecord::BuildKey(a.data(), 1), a.key(1));
}

TEST(CustomerRecord, FileDescriptionMatchesTheCustomerFile) {
    const engine::FileDescription file = CustomerFileDescription("12");
    EXPECT_EQ(file.name, "12C");
    EXPECT_EQ(file.statusCaption, "Customers");
    EXPECT_EQ(file.recordLength, 1008);
    ASSERT_EQ(file.keyCount(), 2);
    EXPECT_EQ(file.keys[0].length, 30);
    EXPECT_FALSE(file.keys[0].duplicates);
    EXPECT_EQ(file.keys[1].length, 8);
    EXPECT_TRUE(file.keys[1].duplicates);
    EXPECT_EQ(file.addOrder, (std::vector<int>{1, 2}));
    EXPECT_EQ(file.creationNotice,
              "I am going to create a new, empty customer file for this company.");
}

}  // namespace
}  // namespace customers

#include "records/CustomerRecord.h"

#include <gtest/gtest.h>

#include "support/FieldLayout.h"

namespace records {
namespace {

using testsupport::BytesAt;
using testsupport::Prefixed;

TEST(CustomerRecord, FieldsTileTheRecordAroundTheReservedAreas) {
    testsupport::ExpectFieldsTile(CustomerRecord::Fields(), CustomerRecord::kSize,
                                  {{0, 4}, {787, 800}, {827, 853}, {906, 1008}});
}

TEST(CustomerRecord, FieldsLandAtTheirOffsets) {
    CustomerRecord r;
    r.setNumber("a12");
    r.setName("Smith & Sons");
    r.setBalance("-1234567.89");
    r.setBilling4("Springfield");
    r.setAging4("12.50");
    r.setNotes(std::string(300, 'n'));
    r.setNotesOnStatements(true);
    r.setShortName("SMITH");
    r.setCreditHold(false);
    r.setEmail("a@b.example");
    EXPECT_EQ(BytesAt(r, 4, 4), Prefixed("a12"));
    EXPECT_EQ(BytesAt(r, 13, 13), Prefixed("Smith & Sons"));
    EXPECT_EQ(BytesAt(r, 49, 12), Prefixed("-1234567.89"));
    EXPECT_EQ(BytesAt(r, 266, 12), Prefixed("Springfield"));
    EXPECT_EQ(BytesAt(r, 531, 6), Prefixed("12.50"));
    EXPECT_EQ(BytesAt(r, 542, 241), Prefixed(std::string(240, 'n')));  // cut to its field
    EXPECT_EQ(r.data()[783], 0);  // the Y/N field after the notes is untouched
    EXPECT_EQ(BytesAt(r, 785, 2), Prefixed("Y"));
    EXPECT_EQ(BytesAt(r, 800, 6), Prefixed("SMITH"));
    EXPECT_EQ(BytesAt(r, 853, 2), Prefixed("N"));
    EXPECT_EQ(BytesAt(r, 855, 12), Prefixed("a@b.example"));
}

TEST(CustomerRecord, NewCustomerStartsWithZeroAmountsAndNoHistory) {
    CustomerRecord r;
    r.setLastPaymentDate("01/01/2024");
    r.SetNewCustomerValues();
    for (const std::string& amount : {r.balance(), r.aging1(), r.aging2(), r.aging3(), r.aging4()})
        EXPECT_EQ(amount, "0.00");
    EXPECT_EQ(r.lastPaymentDate(), "");
    EXPECT_EQ(r.lastInvoiceNumber(), "");
    EXPECT_EQ(BytesAt(r, 853, 2), Prefixed("N"));
}

TEST(CustomerRecord, AmountsAreReadAndWrittenAsNumbersBesideTheirText) {
    CustomerRecord r;
    r.setCreditLimitAmount(base::Decimal::FromInteger(1500));
    EXPECT_EQ(BytesAt(r, 111, 8), Prefixed("1500.00"));
    r.setBalance("1,234.5");  // as typed
    EXPECT_EQ(r.balanceAmount(), *base::Decimal::Parse("1234.50"));
    r.setAging2("");
    EXPECT_TRUE(r.aging2Amount().IsZero());
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
    EXPECT_EQ(base::BuildKeyOf<CustomerRecord>(a.bytes(), 1), a.key(1));
}

}  // namespace
}  // namespace records

#include "products/ProductRecord.h"

#include <gtest/gtest.h>

#include "support/FieldLayout.h"

namespace products {
namespace {

std::string BytesAt(const ProductRecord& r, int offset, int n) {
    return std::string(reinterpret_cast<const char*>(r.data() + offset), n);
}

TEST(ProductRecord, FieldsTileTheRecordAroundTheUnusedAreas) {
    testsupport::ExpectFieldsTile(ProductRecord::Fields(), ProductRecord::kSize,
                                  {{0, 4}, {48, 59}, {71, 82}, {255, 300}});
}

TEST(ProductRecord, FieldsLandAtTheirOffsets) {
    ProductRecord r;
    r.setCode("abc-1");
    r.setDescription("Widget, large");
    r.setTaxable(true);
    r.setPrice("12.5");
    r.setNotes("n");
    r.setSetupDate("03/05/2024");
    r.setLastChangedDate("04/05/2024");
    EXPECT_EQ(BytesAt(r, 4, 6),
              "\x05"
              "abc-1");
    EXPECT_EQ(BytesAt(r, 15, 4), "\x0dWid");
    EXPECT_EQ(r.data()[59], 1);
    EXPECT_EQ(BytesAt(r, 60, 5),
              "\x04"
              "12.5");
    EXPECT_EQ(BytesAt(r, 82, 2), "\x01n");
    EXPECT_EQ(BytesAt(r, 233, 3),
              "\x0a"
              "03");
    EXPECT_EQ(BytesAt(r, 244, 3),
              "\x0a"
              "04");
    EXPECT_TRUE(r.taxable());
    r.setTaxable(false);
    EXPECT_EQ(r.data()[59], 0);
}

TEST(ProductRecord, CodesDifferingInCaseShareKeyOneAndLongDescriptionsAreCut) {
    ProductRecord a, b;
    a.setCode("abc");
    b.setCode(" ABC");
    EXPECT_EQ(a.key(1), "ABC       ");
    EXPECT_EQ(a.key(1), b.key(1));
    a.setDescription(std::string(30, 'd') + "-one");
    b.setDescription(std::string(30, 'd') + "-two");
    EXPECT_EQ(a.key(2), std::string(30, 'D'));
    EXPECT_EQ(a.key(2), b.key(2));
    EXPECT_EQ(a.key(3), "");
}

TEST(ProductRecord, FileDescriptionMatchesTheProductFile) {
    const engine::FileDescription file = ProductFileDescription("3");
    EXPECT_EQ(file.name, "3P");
    EXPECT_EQ(file.statusCaption, "Products");
    EXPECT_EQ(file.recordLength, 300);
    ASSERT_EQ(file.keyCount(), 2);
    EXPECT_EQ(file.keys[0].length, 10);
    EXPECT_FALSE(file.keys[0].duplicates);
    EXPECT_EQ(file.keys[1].length, 30);
    EXPECT_TRUE(file.keys[1].duplicates);
    EXPECT_EQ(file.creationNotice,
              "I am going to create a new, empty product file for this company.");
}

}  // namespace
}  // namespace products

#include "records/ProductRecord.h"

#include <gtest/gtest.h>

#include "support/FieldLayout.h"

namespace records {
namespace {

using testsupport::BytesAt;
using testsupport::Prefixed;

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
    EXPECT_EQ(BytesAt(r, 4, 6), Prefixed("abc-1"));
    EXPECT_EQ(BytesAt(r, 15, 14), Prefixed("Widget, large"));
    EXPECT_EQ(r.data()[59], 1);
    EXPECT_EQ(BytesAt(r, 60, 5), Prefixed("12.5"));
    EXPECT_EQ(BytesAt(r, 82, 2), Prefixed("n"));
    EXPECT_EQ(BytesAt(r, 233, 11), Prefixed("03/05/2024"));
    EXPECT_EQ(BytesAt(r, 244, 11), Prefixed("04/05/2024"));
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

}  // namespace
}  // namespace records

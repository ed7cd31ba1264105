#include "records/CompanyDataFiles.h"

#include <gtest/gtest.h>

namespace records {
namespace {

TEST(CompanyDataFiles, RebuildOrderDescribesEveryFileOfTheCompany) {
    struct Expected {
        const char* name;
        const char* caption;
        int recordLength;
        std::vector<std::pair<int, bool>> keys;
        bool notice;
    };
    const std::vector<Expected> expected = {
        {"Company", "Companies", 2736, {{5, false}, {30, true}}, true},
        {"12C", "Customers", 1008, {{30, false}, {8, true}}, true},
        {"12I",
         "Invoices",
         360,
         {{9, true}, {8, true}, {10, true}, {10, true}, {10, true}, {10, true}},
         true},
        {"12D", "Detail Records", 132, {{10, true}, {9, true}}, false},
        {"12M", "Memo Records", 1892, {{9, false}}, false},
        {"12P", "Products", 300, {{10, false}, {30, true}}, true},
    };
    const std::vector<engine::FileDescription> files = RebuildOrder("12");
    ASSERT_EQ(files.size(), expected.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const engine::FileDescription& file = files[i];
        SCOPED_TRACE(file.name);
        EXPECT_EQ(file.name, expected[i].name);
        EXPECT_EQ(file.statusCaption, expected[i].caption);
        EXPECT_EQ(file.recordLength, expected[i].recordLength);
        ASSERT_EQ(file.keyCount(), static_cast<int>(expected[i].keys.size()));
        for (int k = 0; k < file.keyCount(); ++k) {
            EXPECT_EQ(file.keys[k].length, expected[i].keys[k].first);
            EXPECT_EQ(file.keys[k].duplicates, expected[i].keys[k].second);
        }
        EXPECT_EQ(file.creationNotice.empty(), !expected[i].notice);
        EXPECT_TRUE(file.buildKey);
    }
    EXPECT_EQ(files[2].addOrder, (std::vector<int>{1, 2, 3, 4, 6, 5}));
    EXPECT_EQ(files[2].updateOrder, (std::vector<int>{1, 3, 4, 5, 6, 2}));
    EXPECT_EQ(files[1].creationNotice,
              "I am going to create a new, empty customer file for this company.");
}

}  // namespace
}  // namespace records

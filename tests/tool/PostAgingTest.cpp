// post age: the company-wide aging run on the run's today, through the tool process.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tool/AgingSample.h"
#include "tool/DataFolderTest.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using nlohmann::json;

class PostAging : public DataFolderTest {
protected:
    void AddCustomerWithItems(const std::vector<std::pair<long, const char*>>& items) {
        AddAgingSample(dir, items);
    }
};

TEST_F(PostAging, AgeRepliesTheCompanySumsAndStoresTheTotal) {
    AddCustomerWithItems({{30, "20.00"}, {31, "40.00"}, {90, "80.00"}, {91, "160.50"}});
    const std::vector<json> replies = Post({
        R"({"op": "set-company", "name": "Acme Supply", "aging_days": ["30", "60", "90"]})",
        R"({"op": "age"})",
    });
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0]["ok"], true) << replies[0];
    EXPECT_EQ(replies[1],
              json::parse(R"({"ok": true, "categories": ["20.00", "40.00", "80.00", "160.50"],
                              "total": "300.50", "prompts": []})"));
    const ToolResult dump = RunTool({"dump", "Company", "--fields"}, dir);
    EXPECT_NE(dump.out.find("300.50"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("12/06/2026"), std::string::npos) << dump.out;
}

TEST_F(PostAging, ACreditTotalIsStoredAndItsMessageListed) {
    AddCustomerWithItems({{10, "5.00"}, {120, "-55.00"}});
    const std::vector<json> replies = Post({
        R"({"op": "set-company", "name": "Acme Supply", "aging_days": ["30", "60", "90"]})",
        R"({"op": "age"})",
    });
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[1]["ok"], true);
    EXPECT_EQ(replies[1]["categories"], json::parse(R"(["5.00", "0.00", "0.00", "-55.00"])"));
    EXPECT_EQ(replies[1]["total"], "-50.00");
    ASSERT_EQ(replies[1]["prompts"].size(), 1u);
    EXPECT_EQ(replies[1]["prompts"][0]["caption"], "Aging Chart");
}

}  // namespace
}  // namespace tooltest

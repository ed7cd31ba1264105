// post age: the company-wide aging run on the run's today, through the tool process. The run's
// own cases (credits, a zero total, a walk cut short) are tested in tests/receivables.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tool/AgingSample.h"
#include "tool/DataFolderTest.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using nlohmann::json;

using PostAging = DataFolderTest;

TEST_F(PostAging, AgeRepliesTheCompanySumsAndStoresTheTotal) {
    AddAgingSample(dir, {{30, "20.00"}, {31, "40.00"}, {90, "80.00"}, {91, "160.50"}});
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

}  // namespace
}  // namespace tooltest

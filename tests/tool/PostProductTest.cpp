// post add-product, edit-product and delete-product through the real tool: a refused line writes
// nothing, and an edit changes only the fields given.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/TempDir.h"
#include "tool/DataFolderTest.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using nlohmann::json;

class PostProduct : public DataFolderTest {
protected:
    std::string StoredProducts() {
        return testsupport::FileBytes(dir / "1P.DAT") + testsupport::FileBytes(dir / "1P.IX");
    }
    std::string DumpedProducts() { return RunTool({"dump", "1P", "--fields"}, dir).out; }
};

TEST_F(PostProduct, RefusedLinesChangeNoFile) {
    const std::vector<json> first = Post({
        R"({"op": "add-product", "code": "abc", "description": "Anvil", "price": "99.00"})",
        R"({"op": "add-product", "code": "B1", "description": "Bolts"})",
    });
    ASSERT_EQ(first.size(), 2u);
    ASSERT_TRUE(first[0]["ok"]) << first[0].dump();
    // The first product of a company creates its product file, and says so.
    EXPECT_EQ(first[0]["prompts"][0]["caption"], "New Company");
    const std::string before = StoredProducts();

    // The dialog's own checks are tested with the product flow; one of them here shows that its
    // message reaches the reply. The rest are the line's own fields and the product it names.
    ExpectRefused({
        {R"({"op": "add-product", "code": "ABC", "description": "Other"})",
         "This Product Code already exists for: Anvil. Use a different code."},
        {R"({"op": "add-product", "code": "ABCDEFGHIJK", "description": "Nails"})",
         "\"code\" is longer than 10 characters"},
        {R"({"op": "edit-product", "description": "Nails"})", "\"code\" must name the product"},
        {R"({"op": "edit-product", "code": "zz", "description": "Nails"})", "No product zz"},
        {R"({"op": "delete-product", "code": "b1", "answers": ["no"]})",
         "Not deleted: the question was answered no"},
    });
    EXPECT_EQ(StoredProducts(), before);
}

TEST_F(PostProduct, AddEditAndDeleteKeepTheDialogsValues) {
    const std::vector<json> replies = Post({
        R"({"op": "add-product", "code": "w-10", "description": "Washers", "price": "1,250.5", )"
        R"("taxable": true, "notes": "Box of 100"})",
        R"({"op": "add-product", "code": "B1", "description": "Bolts"})",
        // Only the fields given change; the new code may differ only in letter case.
        R"({"op": "edit-product", "code": "W-10", "new_code": "W-10", "description": "Zinc washers"})",
        R"({"op": "delete-product", "code": "b1", "answers": ["yes"]})",
    });
    ASSERT_EQ(replies.size(), 4u);
    for (const json& reply : replies) EXPECT_TRUE(reply["ok"]) << reply.dump();
    EXPECT_EQ(replies[0]["code"], "w-10");
    EXPECT_EQ(replies[2]["code"], "W-10");
    EXPECT_EQ(replies[3]["prompts"][0]["caption"], "Delete Product Code: B1");

    const std::string dump = DumpedProducts();
    for (const char* expected :
         {"  code: \"W-10\"", "  description: \"Zinc washers\"", "  price: \"1250.5\"",
          "  taxable: 1", "  notes: \"Box of 100\"", "  setupDate: \"12/06/2026\"",
          "  lastChangedDate: \"12/06/2026\""}) {
        EXPECT_NE(dump.find(expected), std::string::npos) << expected << "\n" << dump;
    }
    EXPECT_EQ(dump.find("Bolts"), std::string::npos) << dump;
    EXPECT_EQ(RunTool({"check", "1P"}, dir).exitCode, 0);
}

}  // namespace
}  // namespace tooltest

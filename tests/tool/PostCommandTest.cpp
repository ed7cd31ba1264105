// post: JSON lines in, one reply per line out; refused lines change nothing, questions are
// answered from the line's "answers" and then by --answer.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/TempDir.h"
#include "tool/DataFolderTest.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using nlohmann::json;

class PostCommand : public DataFolderTest {
protected:
    std::string StoredCompanyFile() {
        return testsupport::FileBytes(dir / "Company.DAT") +
               testsupport::FileBytes(dir / "Company.IX");
    }
};

TEST_F(PostCommand, RefusedLinesAreAnsweredInOrderAndChangeNoFile) {
    const std::string before = StoredCompanyFile();
    const std::vector<json> replies = ExpectRefused({
        {R"({"op": "set-company", "name": )", "The line is not a JSON object"},
        {R"(["set-company"])", "The line is not a JSON object"},
        {R"({"name": "Acme"})", "The line names no \"op\""},
        {R"({"op": "close-books"})", "Unknown op \"close-books\""},
        {R"({"op": "set-company", "colour": "red"})", "Unknown field \"colour\" for set-company"},
        {R"({"op": "set-company", "name": 12})", "\"name\" must be a text"},
        {R"({"op": "set-company", "name": "日本"})",
         "\"name\" holds a character the data files cannot keep"},
        {R"({"op": "set-company", "name": ")" + std::string(36, 'x') + R"("})",
         "\"name\" is longer than 35 characters"},
        {R"({"op": "set-company", "charge_tax": "maybe"})", "\"charge_tax\" must be true or false"},
        {R"({"op": "set-company", "address": ["1", "2", "3", "4", "5", "6"]})",
         "\"address\" must be a list of at most 5 texts"},
        {R"({"op": "set-company", "tax_rate": "eight"})", "\"tax_rate\" must be a number"},
        {R"({"op": "set-company", "next_invoice": "+5"})",
         "\"next_invoice\" must be a whole number"},
        {R"({"op": "set-company", "date_format": "Q"})",
         "\"date_format\" must be \"M\", \"D\" or \"Y\""},
        {R"({"op": "set-company", "answers": "yes"})",
         "\"answers\" must be a list of \"yes\", \"no\", \"ok\" or \"cancel\""},
        // The dialog's own check, with the message it shows.
        {R"({"op": "set-company", "name": "Acme", "aging_days": ["60", "30", "90"]})",
         "The aging days for category 2 must be greater than category 1 by at least 2 days."},
    });
    ASSERT_FALSE(replies.empty());
    EXPECT_EQ(replies.back()["prompts"][0]["caption"], "Aging Category 2");
    EXPECT_EQ(StoredCompanyFile(), before);
}

TEST_F(PostCommand, SetCompanyChangesOnlyTheFieldsGivenAndKeepsThemForTheNextLine) {
    const std::vector<json> replies = Post({
        R"({"op": "set-company", "name": "Café Supply", "address": ["1 Main St", "Springfield"], )"
        R"("charge_tax": "Y", "tax_rate": "8.125", "aging_captions": ["Now:", "Soon:", "Late:"]})",
        R"({"op": "set-company", "charge_tax": false})",
    });
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0], json::parse(R"({"ok": true, "number": "1", "prompts": []})"));
    const ToolResult dump = RunTool({"dump", "Company", "--fields"}, dir);
    for (const char* expected : {"  name: \"Café Supply\"", "  address1: \"1 Main St\"",
                                 "  address3: \"\"", "  calculateTaxes: 0", "  taxRate: \"8.125\"",
                                 "  agingCaption3: \"Late:\"", "  defaultTerms: \"Net 30 Days\""}) {
        EXPECT_NE(dump.out.find(expected), std::string::npos) << expected << "\n" << dump.out;
    }
}

TEST_F(PostCommand, QuestionsTakeTheLineAnswersFirstThenTheDefault) {
    // A damaged index makes opening the company file ask whether to rebuild it.
    std::filesystem::resize_file(dir / "Company.IX", 100);
    const std::string setName = R"({"op": "set-company", "name": "Acme")";
    const std::vector<json> refused = Post({setName + "}"});
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_FALSE(refused[0]["ok"]);
    EXPECT_EQ(refused[0]["prompts"][0]["text"], "Index file is defective.  Rebuild?");
    EXPECT_EQ(refused[0]["prompts"][0]["answer"], "no");

    for (const auto& [line, options] :
         {std::pair{setName + R"(, "answers": ["yes"]})", std::vector<std::string>{}},
          std::pair{setName + "}", std::vector<std::string>{"--answer", "yes"}}}) {
        std::filesystem::resize_file(dir / "Company.IX", 100);
        const std::vector<json> replies = Post({line}, options);
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_TRUE(replies[0]["ok"]) << replies[0].dump();
        EXPECT_EQ(replies[0]["prompts"][0]["answer"], "yes");
    }
    EXPECT_EQ(RunTool({"check", "Company"}, dir).exitCode, 0);
}

}  // namespace
}  // namespace tooltest

// post repeat-setup, repeat-generate and interest through the tool process: their fields, their
// replies, and a second run for the same date that is made only with "again".
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tool/DataFolderTest.h"

namespace tooltest {
namespace {

using nlohmann::json;

class PostPeriodicBilling : public DataFolderTest {
protected:
    PostPeriodicBilling() {
        Post({R"({"op": "set-company", "name": "Acme Supply", "next_invoice": "1001"})",
              R"({"op": "add-customer", "number": "A1", "name": "Ames Hardware"})",
              R"({"op": "add-invoice", "customer": "A1", "date": "10/01/2026", "lines": [)"
              R"({"code": "P1", "quantity": "1", "description": "Lawn care", "price": "200"}]})"});
    }
};

TEST_F(PostPeriodicBilling, RepeatSetupAndGenerateAnswerWithTheMasterAndTheNumbers) {
    const std::vector<json> replies = Post({
        R"({"op": "repeat-setup", "number": "1001", "every": "1", "unit": "M", "next_due": "11/30/2026"})",
        R"({"op": "repeat-generate", "through": "12/06/2026", "comments": "Lawn care"})",
        // Listed again through a later date, and already billed on December 6.
        R"({"op": "repeat-generate", "through": "12/31/2026", "invoice_date": "12/06/2026"})",
        R"({"op": "repeat-generate", "through": "12/31/2026", "invoice_date": "12/06/2026", "again": true})",
    });
    ASSERT_EQ(replies.size(), 4u);
    EXPECT_EQ(replies[0]["number"], "1001");
    EXPECT_EQ(replies[0]["type"], "R");
    EXPECT_EQ(replies[0]["every"], "1");
    EXPECT_EQ(replies[0]["unit"], "M");
    EXPECT_EQ(replies[0]["next_due"], "11/30/2026");
    EXPECT_EQ(replies[0]["count"], 0);
    EXPECT_EQ(replies[0]["converted"], true);
    EXPECT_EQ(replies[1]["generated"], json::array({"1001G1"})) << replies[1];
    EXPECT_EQ(replies[1]["monthly"], 1);
    EXPECT_EQ(replies[1]["daily"], 0);
    EXPECT_EQ(replies[1]["total"], "200.00");
    EXPECT_EQ(replies[2]["generated"], json::array());
    EXPECT_EQ(replies[2]["skipped"], 1);
    EXPECT_EQ(replies[3]["generated"], json::array({"1001G2"}));
}

TEST_F(PostPeriodicBilling, InterestAnswersWithTheInvoicesAndRefusesASecondRunForTheDate) {
    const std::filesystem::path report = parent.path() / "interest.pdf";
    const std::vector<json> replies = Post({
        R"({"op": "interest", "over": "1", "rate": "1.50", "minimum": "0.10", "date": "12/06/2026", "report": ")" +
            report.string() + R"("})",
        R"({"op": "interest", "date": "12/06/2026"})",
        R"({"op": "interest", "date": "12/06/2026", "again": true, "flat": "5"})",
    });
    ASSERT_EQ(replies.size(), 3u);
    EXPECT_EQ(replies[0]["invoices"], json::parse(R"([{"customer": "A1", "number": "1002I",)"
                                                  R"( "overdue": "200.00", "charge": "3.00"}])"))
        << replies[0];
    EXPECT_EQ(replies[0]["total"], "3.00");
#if KT_TOOL_WRITES_PDF
    EXPECT_EQ(replies[0]["report"], "Report Complete. 1 records printed.");
    EXPECT_TRUE(std::filesystem::exists(report));
#endif
    EXPECT_EQ(replies[1]["ok"], false);
    EXPECT_EQ(replies[1]["message"],
              "Interest invoices dated 12/06/2026 were already generated. Generate them again?");
    EXPECT_EQ(replies[2]["invoices"][0]["number"], "1003I");
    EXPECT_EQ(replies[2]["invoices"][0]["charge"], "5.00");
}

TEST_F(PostPeriodicBilling, FieldsTheOperationsCannotReadAreRefused) {
    ExpectRefused({
        {R"({"op": "repeat-setup", "number": "1001", "unit": "W"})",
         "\"unit\" must be \"M\" or \"D\""},
        {R"({"op": "repeat-setup", "number": "1001", "every": "abc"})",
         "You must enter a valid NUMBER of days/months."},
        {R"({"op": "repeat-setup", "number": "1001", "every": "1", "next_due": "02/30/2027"})",
         "You must enter a valid date."},
        {R"({"op": "repeat-setup", "number": "9999"})", "No invoice 9999 on file"},
        {R"({"op": "repeat-generate", "through": "13/01/2026"})",
         "\"through\" is not a date: 13/01/2026"},
        {R"({"op": "interest", "over": "4"})", "\"over\" must be 1, 2 or 3"},
        {R"({"op": "interest", "rate": "1.5x"})",
         "The monthly percentage rate must be a number with at most 3 decimals, such as 1.50."},
        {R"({"op": "interest", "flat": "-5"})",
         "You should not enter a negative number in the flat rate box."},
        {R"({"op": "interest", "days": "30"})", "Unknown field \"days\" for interest"},
    });
}

}  // namespace
}  // namespace tooltest

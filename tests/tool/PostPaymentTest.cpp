// post payment through the tool process: the moves in order, the records and balance replied, and
// refused lines that leave the files as they were.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/TempDir.h"
#include "tool/DataFolderTest.h"

namespace tooltest {
namespace {

using nlohmann::json;

class PostPayment : public DataFolderTest {
protected:
    PostPayment() {
        Post({R"({"op": "set-company", "name": "Acme Supply", "next_invoice": "1001"})",
              R"({"op": "add-customer", "number": "A1", "name": "Ames Hardware"})",
              R"({"op": "add-invoice", "customer": "A1", "date": "12/01/2026", "lines": [)"
              R"({"code": "P1", "quantity": "1", "description": "Widget", "price": "100"}]})"});
    }
};

TEST_F(PostPayment, MovesPostOrAreRefusedWithTheWindowsMessage) {
    const std::string files = testsupport::FileBytes(dir / "1I.DAT");
    ExpectRefused({
        {R"({"op": "payment", "customer": "A1", "amount": "5.x", "items": [{"deposit": "5"}]})",
         "The payment amount must be a numeric value."},
        {R"({"op": "payment", "customer": "A1", "amount": "7", "items": [{"invoice": "1009"}]})",
         "Invoice 1009 is not an open item of the customer"},
    });
    EXPECT_EQ(testsupport::FileBytes(dir / "1I.DAT"), files);

    const json partly =
        Post(
            {R"({"op": "payment", "customer": "A1", "date": "12/06/2026", "amount": "55", "note": "Thanks", "items": [{"invoice": "1001", "partial": "30"}, {"deposit": "25"}]})"})
            .at(0);
    ASSERT_TRUE(partly["ok"].get<bool>()) << partly.dump();
    EXPECT_EQ(partly["balance"], "45.00");
    ASSERT_EQ(partly["records"].size(), 3u);
    EXPECT_EQ(partly["records"][0]["type"], "Z");
    EXPECT_EQ(partly["records"][0]["balance_due"], "70.00");
    EXPECT_EQ(partly["records"][1]["type"], "X");
    EXPECT_EQ(partly["records"][2]["number"], "DP3");  // after the invoice and the "X"
    EXPECT_EQ(partly["records"][2]["balance_due"], "-25.00");
    // The amount equal to the balance moves what is left: the rest of 1001 and the deposit.
    const json rest = Post({R"({"op": "payment", "customer": "A1", "amount": "45"})"}).at(0);
    ASSERT_TRUE(rest["ok"].get<bool>()) << rest.dump();
    EXPECT_EQ(rest["balance"], "0.00");
}

}  // namespace
}  // namespace tooltest

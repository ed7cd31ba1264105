// post add-invoice, edit-invoice and delete-invoice through the tool process: the replies, the
// proposed numbers, and refused lines that leave the files as they were.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/TempDir.h"
#include "tool/DataFolderTest.h"

namespace tooltest {
namespace {

using nlohmann::json;

class PostInvoice : public DataFolderTest {
protected:
    PostInvoice() {
        Post(
            {R"({"op": "set-company", "name": "Acme Supply", "charge_tax": true, "tax_rate": "10", "next_invoice": "1001"})",
             R"({"op": "add-customer", "number": "A1", "name": "Ames Hardware"})"});
    }

    std::string InvoiceFiles() {
        std::string bytes;
        for (const char* name : {"1I.DAT", "1I.IX", "1D.DAT", "1D.IX", "1M.DAT", "1M.IX", "1C.DAT"})
            bytes += testsupport::FileBytes(dir / name);
        return bytes;
    }
};

TEST_F(PostInvoice, AddEditAndDeleteAnswerWithTheAmounts) {
    const std::vector<json> replies = Post({
        R"({"op": "add-invoice", "customer": "a1", "paid": "0.50", "lines": [)"
        R"({"code": "P1", "quantity": "2.5", "description": "Widget", "price": "0.25", "taxed": true},)"
        R"({"comment": "Thank you"}]})",
        R"({"op": "add-invoice", "customer": "A1", "form": "M", "memo": {"text": "Work done",)"
        R"( "description": "Consulting", "net": "100.005", "tax": "8"}})",
        R"({"op": "edit-invoice", "number": "1001", "new_number": "1009", "paid": "0.69"})",
        R"({"op": "delete-invoice", "number": "1002", "answers": ["yes"]})",
    });
    ASSERT_EQ(replies.size(), 4u);
    const auto amounts = [](const json& r) {
        return std::vector<json>{r["ok"],  r["number"], r["net"],
                                 r["tax"], r["total"],  r["balance_due"]};
    };
    EXPECT_EQ(amounts(replies[0]),
              (std::vector<json>{true, "1001", "0.63", "0.06", "0.69", "0.19"}));
    EXPECT_EQ(amounts(replies[1]),
              (std::vector<json>{true, "1002", "100.01", "8.00", "108.01", "108.01"}));
    EXPECT_EQ(amounts(replies[2]),
              (std::vector<json>{true, "1009", "0.63", "0.06", "0.69", "0.00"}));
    EXPECT_EQ(replies[3]["ok"], true);
    EXPECT_EQ(replies[3]["prompts"][0]["caption"], "Delete Invoice#: 1002");
}

// The tax box of an edit starts from invoicing::TaxBoxOnEdit, whose rule is tested there.
TEST_F(PostInvoice, AnInvoiceSavedWithoutTaxedRowsIsTaxedWhenEditedToHoldThem) {
    const std::vector<json> replies = Post({
        R"({"op": "add-invoice", "customer": "A1", "lines": [{"code": "P1", "quantity": "1", "description": "x", "price": "5"}]})",
        R"({"op": "edit-invoice", "number": "1001", "lines": [{"code": "P1", "quantity": "1", "description": "x", "price": "5", "taxed": true}]})",
    });
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0]["tax"], "0.00");
    EXPECT_EQ(replies[1]["tax"], "0.50") << replies[1];
}

TEST_F(PostInvoice, ARefusedInvoiceWritesNothing) {
    Post(
        {R"({"op": "add-invoice", "customer": "A1", "lines": [{"code": "P1", "quantity": "1", "description": "x", "price": "5"}]})"});
    const std::string before = InvoiceFiles();
    const std::vector<json> replies = Post({
        R"({"op": "add-invoice", "customer": "A", "lines": [{"code": "P1", "description": "x"}]})",
        R"({"op": "add-invoice", "customer": "A1", "lines": [{"code": "P", "colour": "red"}]})",
        R"({"op": "delete-invoice", "number": "1001"})",
        // Record text beyond ASCII in a message still makes a valid reply.
        R"({"op": "delete-invoice", "number": "Café"})",
    });
    const std::vector<std::string> messages = {
        "You need to select a customer.",
        "Unknown field \"colour\" in \"lines\"",
        "Are you sure you want to delete this record?",
        "No invoice Café on file",
    };
    ASSERT_EQ(replies.size(), messages.size());
    for (size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(replies[i]["ok"], false) << i;
        EXPECT_EQ(replies[i]["message"], messages[i]) << i;
    }
    EXPECT_EQ(InvoiceFiles(), before);
}

}  // namespace
}  // namespace tooltest

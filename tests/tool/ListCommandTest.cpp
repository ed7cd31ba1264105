// list DIR customers|products: the list reports or CSV of the real files, read without writing.

#include <gtest/gtest.h>

#include "tool/DataFolderTest.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

class ListCommand : public DataFolderTest {
protected:
    void Products() {
        Post({R"({"op": "set-company", "name": "Acme Supply"})",
              R"({"op": "add-product", "code": "Z1", "description": "Café, \"best\" blend", )"
              R"("price": "1,250.5", "taxable": true, "notes": "two\nlines"})",
              R"({"op": "add-product", "code": "A1", "description": "Washers"})"});
    }

    ToolResult List(std::vector<std::string> options, const std::string& kind = "products") {
        options.insert(options.begin(), {"list", dir.string(), kind});
        return RunTool(options, parent.path());
    }
};

// The report's layout is tested with the product texts; here: its order and its UTF-8.
TEST_F(ListCommand, TextIsTheProductListReportByDescription) {
    Products();
    const ToolResult result = List({});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = result.lines();
    ASSERT_EQ(lines.size(), 9u) << result.out;
    EXPECT_EQ(lines[0], "Product List for Acme Supply");
    EXPECT_TRUE(lines[3].starts_with("Café, \"best\" blend ")) << lines[3];
    EXPECT_TRUE(lines[6].starts_with("Washers ")) << lines[6];
}

TEST_F(ListCommand, CsvHasAHeaderRowAndQuotesWhatNeedsIt) {
    Products();
    const ToolResult result = List({"--csv", "--company", "1"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "Code,Description,Sales Price,Taxable,Setup Date,Last Changed,Notes\r\n"
              "Z1,\"Café, \"\"best\"\" blend\",1250.5,Y,12/06/2026,,\"two\nlines\"\r\n"
              "A1,Washers,0.00,N,12/06/2026,,\r\n");
}

TEST_F(ListCommand, WhatCannotBeListedIsRefusedAndNothingIsCreated) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{"list", dir.string(), "products", "--company", "9"}, 2, "no company 9"},
        {{"list", dir.string(), "invoices"},
         2,
         "usage: kt-invorra-tool list DIR customers|products"},
        {{"list", dir.string(), "products", "--pdf"}, 2, "usage:"},
        {{"list", (parent.path() / "missing").string(), "products"}, 2, "cannot open"},
    };
    for (const Case& c : cases) {
        const ToolResult result = RunTool(c.args, parent.path());
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.back();
        EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "1P.DAT"));
}

TEST_F(ListCommand, CustomersByNameWithAddressesAndACompanyWithoutFilesListsNothing) {
    for (const char* kind : {"customers", "products"}) {
        const ToolResult empty = List({"--csv"}, kind);
        EXPECT_EQ(empty.exitCode, 0) << empty.err;
        EXPECT_EQ(std::count(empty.out.begin(), empty.out.end(), '\n'), 1) << empty.out;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "1C.DAT"));
    Post({R"({"op": "set-company", "name": "Acme Supply"})",
          R"({"op": "add-customer", "number": "7", "name": "Zenith Tools", "address": ["Dock 4"]})",
          R"({"op": "add-customer", "number": "8", "name": "Brook, Ltd"})"});
    const ToolResult text = List({"--addresses"}, "customers");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_TRUE(text.out.starts_with("Customer List for Acme Supply\n")) << text.out;
    EXPECT_LT(text.out.find("Brook, Ltd"), text.out.find("Zenith Tools"));
    EXPECT_NE(text.out.find("Dock 4"), std::string::npos);
    const ToolResult csv = List({"--csv"}, "customers");
    EXPECT_NE(csv.out.find("\r\n8,\"Brook, Ltd\","), std::string::npos) << csv.out;
}

}  // namespace
}  // namespace tooltest

// The Product Manager's commands without a window: the dialog is a function, the prompts are
// scripted, the files real.
#include "products/ProductManagerFlow.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/DataFolder.h"
#include "support/Samples.h"

namespace products {
namespace {

namespace fs = std::filesystem;
using records::ProductRecord;

constexpr char kNewFile[] = "I am going to create a new, empty product file for this company.";
constexpr char kDeleteQuestion[] = "Are you sure you want to delete this product?";
constexpr char kListQuestion[] =
    "The products will be sorted by description. Would you rather sort by product code?";

// What the dialog saw when it was shown, and what its OK was told.
struct DialogSeen {
    company::EditPurpose purpose;
    ProductRecord record;
    std::optional<ProductFailure> failure;
};

class ProductManagerFlowTest : public ::testing::Test, protected testsupport::DataFolder {
protected:
    ProductManagerFlowTest() {
        engine.InitEngine(0, 30);
        company.setName("Acme Supply Co");
        company.setDateFormat("D");
    }

    // Opens a new product file holding `products` (code, description, price).
    void Products(const std::vector<std::array<std::string, 3>>& products) {
        prompts.ExpectInform("New Company", kNewFile);
        ASSERT_TRUE(flow.Open());
        for (const auto& product : products) {
            flow.Add(Dialog([&product](ProductRecord& record) {
                const auto& [code, description, price] = product;
                record.setCode(code);
                record.setDescription(description);
                record.setPrice(price);
            }));
        }
        dialogs.clear();
    }

    int32_t RecordOf(const std::string& code) {
        const auto row = flow.RowOfCode(code);
        EXPECT_TRUE(row) << "product " << code;
        return row ? row->recordNumber : 0;
    }

    // A dialog that records what it was shown, applies `change` and presses OK once (or
    // cancels); OK goes through only when the check passes.
    ProductEditor Dialog(std::function<void(ProductRecord&)> change, bool ok = true) {
        return [this, change, ok](company::EditPurpose purpose, ProductRecord& record,
                                  const ProductCheck& check) {
            dialogs.push_back({purpose, record, std::nullopt});
            change(record);
            if (!ok) return false;
            dialogs.back().failure = check(record);
            return !dialogs.back().failure;
        };
    }

    std::optional<ProductRecord> Stored(const std::string& code) {
        const auto found = file.Find(code);
        if (!found) return std::nullopt;
        return found->second;
    }

    base::FixedClock clock{{{2024, 3, 5}, 14, 7, 0}};
    records::CompanyRecord company = testsupport::SampleCompany("7", "Acme Supply Co");
    ProductFile file{engine, "7", prompts};
    ProductManagerFlow flow{file, files, prompts, company, clock};
    std::vector<DialogSeen> dialogs;
};

TEST_F(ProductManagerFlowTest, AMissingFileIsCreatedAfterTheNoticeAndOneThatCannotBeIsReported) {
    prompts.ExpectInform("New Company", kNewFile);
    ASSERT_TRUE(flow.Open());
    EXPECT_TRUE(fs::exists("7P.DAT"));
    EXPECT_EQ(flow.CountText(), "Products: 0");
    flow.Close();
    // Opened again, the file is simply there.
    ASSERT_TRUE(flow.Open());
    flow.Close();

    // Both files gone, and the index's name taken by a folder: the creation fails.
    fs::remove("7P.DAT");
    fs::remove("7P.IX");
    fs::create_directory("7P.IX");
    prompts.ExpectInform("New Company", kNewFile);
    prompts.ExpectMessage("KT Invorra Pro", "Unable to open database", base::PromptAnswer::Ok,
                          base::PromptIcon::Error);
    EXPECT_FALSE(flow.Open());
}

TEST_F(ProductManagerFlowTest, AddStoresTheTypedProductWithTodayAsItsSetupDate) {
    Products({{"B1", "Bolts", "2.50"}});
    const company::ManagerUpdate update = flow.Add(Dialog([](ProductRecord& record) {
        record.setCode("w-10");
        record.setDescription("Washers, zinc");
        record.setPrice("1,250.5");
        record.setTaxable(true);
        record.setNotes("Box of 100");
    }));
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].purpose, company::EditPurpose::Add);
    // The dialog starts from an empty product priced "0.00".
    EXPECT_EQ(dialogs[0].record.code(), "");
    EXPECT_EQ(dialogs[0].record.price(), "0.00");
    EXPECT_FALSE(dialogs[0].record.taxable());
    EXPECT_TRUE(update.reread);
    ASSERT_TRUE(update.current);
    EXPECT_EQ(update.current->key, "W-10      ");
    EXPECT_EQ(flow.CountText(), "Products: 2");

    const auto added = Stored("W-10");
    ASSERT_TRUE(added);
    EXPECT_TRUE(added->taxable());
    // Code, price, notes, setup date (the company writes the day first), last change.
    EXPECT_EQ((std::vector<std::string>{added->code(), added->price(), added->notes(),
                                        added->setupDate(), added->lastChangedDate()}),
              (std::vector<std::string>{"w-10", "1250.5", "Box of 100", "05/03/2024", ""}));
}

// Each check's message is tested with the checks in ProductEditTest; the flow must write nothing
// after any of them, nor after a cancel.
TEST_F(ProductManagerFlowTest, RefusedOrCancelledAddsWriteNothing) {
    struct Case {
        const char* name;
        std::string code, description, price;
        bool ok;
        std::string failure;  // empty: cancelled
    };
    const Case cases[] = {
        {"code in another case", " abc", "Nails", "1.00", true,
         "This Product Code already exists for: Anvil. Use a different code."},
        {"cancelled", "N1", "Nails", "1.00", false, ""},
    };
    Products({{"ABC", "Anvil", "99.00"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        const company::ManagerUpdate update = flow.Add(Dialog(
            [&](ProductRecord& record) {
                record.setCode(c.code);
                record.setDescription(c.description);
                record.setPrice(c.price);
            },
            c.ok));
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0].failure ? dialogs[0].failure->text : "", c.failure);
        EXPECT_FALSE(update.reread);
        EXPECT_EQ(flow.CountText(), "Products: 1");
    }
}

TEST_F(ProductManagerFlowTest, EditKeepsItsOwnCodeFromTheDuplicateCheckAndStampsTheChange) {
    struct Case {
        const char* name;
        std::string newCode;
        std::string failure;  // empty: written
    };
    const Case cases[] = {
        {"same code", "B1", ""},
        {"only the case changes", "b1", ""},
        {"another product's code", "n1",
         "This Product Code already exists for: Nails. Use a "
         "different code."},
        {"a free code", "B2", ""},
    };
    Products({{"B1", "Bolts", "2.50"}, {"N1", "Nails", "0.10"}});
    const int32_t row = RecordOf("B1");
    std::string storedCode = "B1";  // each case edits the product as the last one left it
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        const company::ManagerUpdate update = flow.Edit(row, Dialog([&](ProductRecord& record) {
                                                            record.setCode(c.newCode);
                                                            record.setNotes(c.name);
                                                        }));
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0].purpose, company::EditPurpose::Edit);
        EXPECT_EQ(dialogs[0].record.code(), storedCode);
        EXPECT_EQ(dialogs[0].failure ? dialogs[0].failure->text : "", c.failure);
        EXPECT_EQ(update.current.has_value(), c.failure.empty());
        const auto stored = file.Read(row);
        ASSERT_TRUE(stored);
        if (c.failure.empty()) storedCode = c.newCode;
        EXPECT_EQ(stored->code(), storedCode);
        EXPECT_EQ(stored->setupDate(), "05/03/2024");
        // The first case is written, so every later one finds today as the last change too.
        EXPECT_EQ(stored->lastChangedDate(), "05/03/2024");
    }
    EXPECT_EQ(flow.CountText(), "Products: 2");
}

TEST_F(ProductManagerFlowTest, DeleteAsksUnderTheProductsCodeAndOnlyYesDeletes) {
    Products({{"B1", "Bolts", "2.50"}, {"N1", "Nails", "0.10"}});
    EXPECT_FALSE(flow.Delete(0).reread);  // no row: no question

    prompts.ExpectYesNo("Delete Product Code: N1", kDeleteQuestion, false);
    EXPECT_FALSE(flow.Delete(RecordOf("N1")).reread);
    EXPECT_TRUE(Stored("N1"));

    prompts.ExpectYesNo("Delete Product Code: N1", kDeleteQuestion, true);
    EXPECT_TRUE(flow.Delete(RecordOf("N1")).reread);
    EXPECT_FALSE(Stored("N1"));
    EXPECT_EQ(flow.CountText(), "Products: 1");
}

TEST_F(ProductManagerFlowTest, FindAndSelectStartAcceptOnlyTheWholeKey) {
    Products({{"AB", "Anchor bolt", "4.00"}, {"ABC", "Anvil", "99.00"}, {"B1", "Bolts", "2.50"}});
    struct Case {
        company::ManagerOrder order;
        std::string code, description;
        std::string found;  // the code of the row found; empty: none
        bool bySelectStart;
    };
    const Case cases[] = {
        {ProductOrder::ByCode, " abc ", "", "ABC", false},
        {ProductOrder::ByCode, "A", "", "", false},  // "AB" follows, but is not "A"
        {ProductOrder::ByCode, "ZZ", "", "", false},
        {ProductOrder::ByCode, "b1", "Anything", "B1", true},
        {ProductOrder::ByDescription, "B1", "anvil", "ABC", true},
        {ProductOrder::ByDescription, "B1", "Anv", "", true},
        {ProductOrder::ByDescription, "", "  ", "", true},  // a blank key is not looked up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code + "/" + c.description);
        flow.SetOrder(c.order);
        const auto row =
            c.bySelectStart ? flow.SelectStart(c.code, c.description) : flow.RowOfCode(c.code);
        EXPECT_EQ(row.has_value(), !c.found.empty());
        if (!row) continue;
        const auto product = flow.Choose(row->recordNumber);
        ASSERT_TRUE(product);
        EXPECT_EQ(product->code(), c.found);
        EXPECT_EQ(row->key, product->key(company::KeyNumber(c.order)));
    }
}

TEST_F(ProductManagerFlowTest, ProductListAsksItsOrderAndLeavesNoReportFileBehind) {
    struct Case {
        base::PromptAnswer answer;
        std::optional<company::ManagerOrder> order;
        std::string caption;
        std::string firstProduct;
        std::string firstCsv;  // the first record after the CSV header
    };
    const Case cases[] = {
        {base::PromptAnswer::Yes, ProductOrder::ByCode, "Product List by Code", "Zinc plate",
         "A1,Zinc plate,3.00,"},
        {base::PromptAnswer::No, ProductOrder::ByDescription, "Product List by Description",
         "Anvil", "B1,Anvil,99.00,"},
        {base::PromptAnswer::Cancel, std::nullopt, "", "", ""},
    };
    Products({{"A1", "Zinc plate", "3.00"}, {"B1", "Anvil", "99.00"}, {"C1", "Bolts", "2.50"}});
    for (const Case& c : cases) {
        prompts.ExpectMessage("Product List", kListQuestion, c.answer, base::PromptIcon::Question,
                              base::PromptButtons::YesNoCancel);
        const auto order = flow.AskListOrder();
        prompts.Verify();
        EXPECT_EQ(order, c.order);
        if (!order) continue;
        const auto report = flow.ListReport(*order);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->caption, c.caption);
        EXPECT_TRUE(report->text.starts_with(
            "Product List for Acme Supply Co\r\nDate: Tuesday, March 5, 2024, 02:07 PM\r\n"));
        EXPECT_EQ(report->text.find(c.firstProduct), report->text.find("-\r\n") + 3);
        EXPECT_EQ(report->csv.substr(report->csv.find("\r\n") + 2, c.firstCsv.size()), c.firstCsv);
        EXPECT_FALSE(fs::exists(company::kManagerReportFile));
    }
}

TEST_F(ProductManagerFlowTest, AReportFileThatCannotBeWrittenIsReported) {
    Products({{"B1", "Bolts", "2.50"}});
    files.FailWrite(1, engine::FaultInjectingFileSystem::Repeat::Once,
                    engine::FaultInjectingFileSystem::Kind::Error, "TXTTEMP.TXT.new");
    prompts.ExpectMessage("KT Invorra Pro", "Unable to write the product list to TXTTEMP.TXT.",
                          base::PromptAnswer::Ok, base::PromptIcon::Error);
    EXPECT_FALSE(flow.ListReport(ProductOrder::ByCode));
    EXPECT_FALSE(fs::exists(company::kManagerReportFile));
}

}  // namespace
}  // namespace products

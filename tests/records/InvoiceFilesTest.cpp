// Invoices, lines and memo texts written with their keys into real files, and found again the
// way the windows find them.

#include <gtest/gtest.h>

#include "engine/RecordFile.h"
#include "records/RecordTypes.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace records {
namespace {

using testsupport::SampleInvoice;

class InvoiceFiles : public ::testing::Test {
protected:
    InvoiceFiles() { engine.InitEngine(0, 30); }

    // Record numbers of the entries of `keyNumber` from `from` on, while `matches` holds.
    std::vector<int32_t> Walk(const engine::FileDescription& file, int keyNumber,
                              const std::string& from,
                              const std::function<bool(const std::string&)>& matches) {
        engine::BlockFile block(engine, file, prompts);
        EXPECT_TRUE(block.Open());
        std::vector<int32_t> found;
        std::string key = from;
        int32_t recordNumber = 0;
        bool ok = block.SearchKey(keyNumber, recordNumber, key);
        while (ok && matches(key)) {
            found.push_back(recordNumber);
            ok = block.NextKey(keyNumber, recordNumber, key);
        }
        EXPECT_TRUE(block.Close());
        return found;
    }

    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir{dir.path()};
    engine::Engine engine;
    testsupport::ScriptedPrompts prompts;
    records::CompanyRecord company = testsupport::SampleCompany("12");
    records::CustomerRecord customer = testsupport::SampleCustomer("c7", "Smith & Sons");
};

TEST_F(InvoiceFiles, LinesAndMemoAreFoundByTheUpperCasedInvoiceNumber) {
    testsupport::AddInvoice(
        engine, "12",
        testsupport::SampleProductInvoice(company, customer, "a100", {2024, 3, 5},
                                          {{"W-1", "1", "Widget", "5", true},
                                           {"W-2", "2", "Gadget", "7.5", true},
                                           {"W-3", "3", "Gizmo", "1", false}}));
    testsupport::AddInvoice(
        engine, "12",
        testsupport::SampleMemoInvoice(company, customer, "a101", {2024, 3, 6}, "250.00",
                                       "Consulting", {"Review of the accounts", "March 2024"}));

    const std::string wanted = "A100     ";
    const auto lines = Walk(RecordTypeOf(RecordKind::InvoiceLine).Describe("12"), 2, wanted,
                            [&](const std::string& key) { return key == wanted; });
    EXPECT_EQ(lines, (std::vector<int32_t>{1, 2, 3}));

    engine::RecordFile<InvoiceMemoRecord> memos(
        engine, RecordTypeOf(RecordKind::InvoiceMemo).Describe("12"), prompts);
    ASSERT_TRUE(memos.Open());
    engine::KeyEntry<InvoiceMemoRecord> memo;
    ASSERT_EQ(memos.Search(1, "A101     ", memo), engine::ErrorClass::None);
    EXPECT_EQ(memo.record.line(1), "March 2024");
    EXPECT_TRUE(memos.Close());
}

TEST_F(InvoiceFiles, DateKeyListsInvoicesInDateOrderWhateverTheDisplayFormat) {
    company.setDateFormat("D");
    for (const auto& [number, date] : std::vector<std::pair<const char*, base::Date>>{
             {"1", {2024, 12, 1}}, {"2", {2023, 1, 31}}, {"3", {2024, 2, 1}}})
        testsupport::AddInvoice(
            engine, "12",
            testsupport::SampleProductInvoice(company, customer, number, date,
                                              {{"W-1", "1", "Widget", "5", false}}));
    const auto byDate = Walk(RecordTypeOf(RecordKind::Invoice).Describe("12"), 3, "",
                             [](const std::string&) { return true; });
    EXPECT_EQ(byDate, (std::vector<int32_t>{2, 3, 1}));
}

}  // namespace
}  // namespace records

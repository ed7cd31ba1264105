// The statement window's commands: the statement shown, "no activity", the unpaid-only switch,
// the invoice file that cannot be opened, and the printed output.
#include <gtest/gtest.h>

#include "engine/BlockFile.h"
#include "statements/CustomerStatementFlow.h"
#include "statements/StatementFixture.h"
#include "statements/StatementForm.h"
#include "support/RecordingCanvas.h"

namespace statements::testing {
namespace {

class CustomerStatementFlowTest : public StatementFixture {
protected:
    CustomerStatementFlowTest() {
        AddItems({Item("A1", "1001", "I", "2026/10/01", "120.00", "0.00", "120.00"),
                  Item("A1", "1002", "I", "2026/10/05", "80.00", "80.00", "0.00")});
    }
    CustomerStatementFlow flow{engine, prompts, state, Customers()};
};

TEST_F(CustomerStatementFlowTest, ShowsAllActivityThenOnlyWhatIsUnpaid) {
    ASSERT_TRUE(flow.Start(Customer("A1")));
    EXPECT_EQ(flow.statement().rows.size(), 2u);
    ASSERT_TRUE(flow.SetUnpaidOnly(true));
    EXPECT_EQ(flow.statement().rows.size(), 1u);
    ASSERT_TRUE(flow.SetUnpaidOnly(false));
    EXPECT_EQ(flow.statement().rows.size(), 2u);
}

TEST_F(CustomerStatementFlowTest, ACustomerWithoutRecordsHasNoActivity) {
    prompts.ExpectInform("\nCustomer: Ames Ten", kNoActivityText);
    EXPECT_FALSE(flow.Start(Customer("A10")));
}

// An invoice file that cannot be opened ends the command with the engine's question, never with
// "no activity".
TEST_F(CustomerStatementFlowTest, AnInvoiceFileThatCannotBeOpenedIsNoEmptyStatement) {
    engine.SetSharingWait({std::chrono::milliseconds(30), true});
    engine::BlockFile otherDesk(engine, File(records::RecordKind::Invoice), prompts);
    ASSERT_TRUE(otherDesk.Open());
    prompts.ExpectYesNo("Information", "The files are in use.  Abort?", true,
                        base::PromptIcon::Information);
    EXPECT_FALSE(flow.Start(Customer("A1")));
    ASSERT_TRUE(otherDesk.Close());
}

TEST_F(CustomerStatementFlowTest, PrintedStatementCarriesItsHeaderRowsAndAccountStatus) {
    std::vector<testsupport::RecordingCanvas> printed;
    OutputContext output{state.currentCompany, company::PrintedOutput::PrinterOrFax,
                         [&printed](const Statement&, const auto& draw) {
                             printed.emplace_back();
                             return draw(printed.back());
                         },
                         nullptr, "12/06/2026"};
    ASSERT_TRUE(flow.Start(Customer("A1")));
    EXPECT_EQ(flow.Output(output), "Statement for Ames Hardware sent to print queue.");
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].documents(), (std::vector<std::string>{"Statement - Ames Hardware"}));
    const std::vector<std::string> texts = printed[0].TextsOnPage(1);
    for (const char* shown :
         {"Acme Supply Co", "Statement", "Page Number: 1", "Statement Date: 12/06/2026",
          "Account Number: A1", "Ames Hardware", "12 Market Street", "Reference/Comments",
          " Balance Due", "1001", "120.00", "*** Account Totals:", "200.00",
          "Account Status:", "Current: 0.00", "Over 90: 0.00"})
        EXPECT_NE(std::ranges::find(texts, shown), texts.end()) << shown;
}

// A long statement goes on over several pages, each with its headings, the page before saying
// where it continues.
TEST_F(CustomerStatementFlowTest, ALongStatementContinuesOnNumberedPages) {
    std::vector<records::InvoiceRecord> items;
    for (int k = 0; k < 150; ++k)
        items.push_back(
            Item("B2", std::to_string(3000 + k), "I", "2026/10/01", "1.00", "0.00", "1.00"));
    AddItems(items);
    testsupport::RecordingCanvas canvas;
    ASSERT_TRUE(flow.Start(Customer("B2")));
    ASSERT_TRUE(PrintStatementForm(canvas, flow.statement(), state.currentCompany, "12/06/2026"));
    ASSERT_GT(canvas.pages(), 2);
    for (int page = 1; page <= canvas.pages(); ++page) {
        const auto texts = canvas.TextsOnPage(page);
        EXPECT_NE(std::ranges::find(texts, "Page Number: " + std::to_string(page)), texts.end());
        EXPECT_NE(std::ranges::find(texts, "Reference/Comments"), texts.end());
        const bool last = page == canvas.pages();
        EXPECT_EQ(std::ranges::find(texts, "Continued on page " + std::to_string(page + 1)) !=
                      texts.end(),
                  !last);
        EXPECT_EQ(std::ranges::find(texts, "Account Status:") != texts.end(), last);
    }
}

}  // namespace
}  // namespace statements::testing

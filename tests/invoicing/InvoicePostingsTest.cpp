// The add, edit and delete postings: the records they write and the balances they move.
#include "invoicing/InvoicePostings.h"

#include "engine/BlockFile.h"
#include "invoicing/InvoicingFixture.h"
#include "records/TransactionType.h"

namespace invoicing::testing {
namespace {

using Strings = std::vector<std::string>;

class InvoicePostingsTest : public InvoicingFixture {
protected:
    // An invoice of A1 written straight into the files, `daysOld` days before today.
    void Stock(const std::string& number, long daysOld, const std::string& price,
               const char* type = records::type::kRegularInvoice) {
        const base::Date date = base::AddDays(kToday, -daysOld);
        testsupport::SampleInvoice invoice = testsupport::SampleProductInvoice(
            state.currentCompany, StoredCustomers()[0], number, date,
            {{"P1", "1", "Widget", price, false}, {"P2", "2", "Gadget", "0", false}});
        invoice.header.setTypeCode(type);
        testsupport::AddInvoice(engine, "1", invoice);
    }

    Strings Header(const records::InvoiceRecord& h) {
        return {h.invoiceNumber(), h.typeCode(),   h.net(),      h.tax(),      h.total(),
                h.paid(),          h.balanceDue(), h.paidFlag(), h.datePaid(), h.form()};
    }
};

TEST_F(InvoicePostingsTest, AddWritesTheInvoiceItsStoredRowsAndMovesTheBalances) {
    const records::CompanyRecord company = state.currentCompany;
    const auto posted = Add(Draft("1001", {{"P1", "2.5", "Widget", "0.25", "Y"},
                                           DraftLine::Comment("Thanks"),
                                           DraftLine::Blank(company),
                                           {"", "", "Note only", "", "N"}}));
    ASSERT_TRUE(posted);
    EXPECT_EQ(posted->status, "Added invoice 1001 containing 3 line item(s).");
    ASSERT_EQ(Invoices().size(), 1u);
    EXPECT_EQ(Header(Invoices()[0]),
              (Strings{"1001", "I", "0.63", "0.06", "0.69", "0.00", "0.69", "", "", "P"}));
    EXPECT_EQ(Invoices()[0].sortDate(), "2026/12/06");
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].columns(), (records::LineColumns{"2.5", "Widget", "0.25", "Y", "0.63"}));
    EXPECT_EQ(lines[1].columns().description, "Thanks");
    EXPECT_EQ(lines[2].columns().description, "Note only");
    EXPECT_EQ(Owed(0), (Strings{"0.69", "0.69", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(StoredCustomers()[0].lastInvoiceNumber(), "1001");
    const records::CompanyRecord stored = *testsupport::StoredCompany("1");
    EXPECT_EQ((Strings{stored.receivablesTotal(), stored.nextInvoiceNumber(),
                       stored.lastInvoiceNumber()}),
              (Strings{"0.69", "1002", "1001"}));
    // The next New is offered the next number.
    EXPECT_EQ(state.currentCompany.nextInvoiceNumber(), "1002");
}

TEST_F(InvoicePostingsTest, PaidInFullIsSettledAndOwesNothing) {
    ASSERT_TRUE(Add(Draft("1001", {{"P1", "1", "Widget", "10", "N"}}, "10.00")));
    EXPECT_EQ(Header(Invoices()[0]), (Strings{"1001", "I", "10.00", "0.00", "10.00", "10.00",
                                              "0.00", "P", "2026/12/06", "P"}));
    EXPECT_EQ(Owed(0), (Strings{"0.00", "0.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(StoredCustomers()[0].lastPaymentDate(), "12/06/2026");
    EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), "0.00");
}

TEST_F(InvoicePostingsTest, AMemoInvoiceHasOneMemoLineAndItsText) {
    ASSERT_TRUE(Add(Memo("1001", "250.5", "Work done in November.\nOn site.")));
    EXPECT_EQ(Lines()[0].productCode(), "Memo");
    EXPECT_EQ(Lines()[0].columns(),
              (records::LineColumns{"1", "Consulting", "250.50", "M", "250.50"}));
    ASSERT_EQ(Memos().size(), 1u);
    EXPECT_EQ(Memos()[0].line(1), "On site.");
    EXPECT_EQ(Owed(0)[0], "250.50");
}

TEST_F(InvoicePostingsTest, ACustomerNotOnFileIsNeverTakenForTheNextOne) {
    InvoiceDraft draft = Draft("1001", {{"P1", "1", "Widget", "10", "N"}});
    draft.customer = "A";  // key 2 finds A1 first
    prompts.ExpectMessage(engine::kProgramCaption, "Customer A is not on file.",
                          base::PromptAnswer::Ok, base::PromptIcon::Error);
    EXPECT_FALSE(Add(draft));
    EXPECT_TRUE(Invoices().empty());
    EXPECT_EQ(Owed(0)[0], "0.00");
}

TEST_F(InvoicePostingsTest, EditMovesTheAmountFromTheOldAgeToTheNew) {
    InvoiceDraft draft =
        Draft("1001", {{"P1", "1", "Widget", "100", "N"}, {"P2", "1", "Gadget", "1", "N"}});
    draft.date = "10/22/2026";  // 45 days old
    ASSERT_TRUE(Add(draft));
    EXPECT_EQ(Owed(0), (Strings{"101.00", "0.00", "101.00", "0.00", "0.00"}));
    ASSERT_TRUE(Edit("1001", Draft("1001", {{"P1", "3", "Widget", "20", "N"}}, "15")));
    EXPECT_EQ(Owed(0), (Strings{"45.00", "45.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), "45.00");
    EXPECT_EQ(Header(Invoices()[0]),
              (Strings{"1001", "I", "60.00", "0.00", "60.00", "15.00", "45.00", " ", " ", "P"}));
    EXPECT_EQ(Lines().size(), 1u);  // the surplus line went
}

TEST_F(InvoicePostingsTest, ARepeatMasterNeverMovesBalances) {
    Stock("1001", 10, "100", records::type::kRepeatMaster);
    ASSERT_TRUE(Edit("1001", Draft("1001", {{"P1", "3", "Widget", "20", "N"}}, "5")));
    EXPECT_EQ(Header(Invoices()[0]),
              (Strings{"1001", "R", "60.00", "0.00", "60.00", "0.00", "0.00", " ", " ", "P"}));
    EXPECT_EQ(Lines()[0].kind(), "R");
    ASSERT_TRUE(Delete("1001"));
    EXPECT_TRUE(Invoices().empty());
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(Owed(0), (Strings{"0.00", "0.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), "0.00");
}

TEST_F(InvoicePostingsTest, EditKeepsTheDateOfAPaymentAlreadyMade) {
    InvoiceDraft draft = Draft("1001", {{"P1", "1", "Widget", "10", "N"}}, "10");
    draft.date = "11/01/2026";
    ASSERT_TRUE(Add(draft));
    draft.date = "11/05/2026";
    draft.notes = "Changed";
    ASSERT_TRUE(Edit("1001", draft));
    EXPECT_EQ(Invoices()[0].datePaid(), "2026/11/01");
    EXPECT_EQ(Invoices()[0].sortDate(), "2026/11/05");
}

TEST_F(InvoicePostingsTest, ANewNumberTakesTheLinesAndTheMemoAlong) {
    ASSERT_TRUE(Add(Memo("1001", "80", "Text")));
    InvoiceDraft draft = Memo("1005", "90", "New text");
    const auto posted = Edit("1001", draft);
    ASSERT_TRUE(posted);
    EXPECT_EQ(posted->status, "Editing invoice 1005 completed.");
    EXPECT_EQ(Invoices()[0].invoiceNumber(), "1005");
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0].invoiceNumber(), "1005");
    ASSERT_EQ(Memos().size(), 1u);
    EXPECT_EQ((Strings{Memos()[0].invoiceNumber(), Memos()[0].line(0)}),
              (Strings{"1005", "New text"}));
    EXPECT_EQ(Owed(0)[0], "90.00");
}

TEST_F(InvoicePostingsTest, DeleteTakesAwayTheOpenAmountWithTheRecords) {
    ASSERT_TRUE(Add(Memo("1001", "80", "Text")));
    ASSERT_TRUE(Add(Draft("1002", {{"P1", "1", "Widget", "10", "N"}}, "4")));
    const auto posted = Delete("1001");
    ASSERT_TRUE(posted);
    EXPECT_EQ(posted->status, "Deleted memo invoice 1001.");
    EXPECT_EQ(Delete("1002")->status, "Deleted invoice 1002 containing 1 line item(s).");
    EXPECT_TRUE(Invoices().empty());
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(Memos().empty());
    EXPECT_EQ(Owed(0), (Strings{"0.00", "0.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), "0.00");
}

}  // namespace
}  // namespace invoicing::testing

// The entry window's flow without a window: what picking a customer warns about, the product
// look-up of a typed code, the number and date a new invoice is offered after one was posted,
// and the stopwatch's texts.
#include "invoicing/InvoiceEntryFlow.h"

#include "base/Text.h"
#include "invoicing/InvoicingFixture.h"

namespace invoicing::testing {
namespace {

class InvoiceEntryFlowTest : public InvoicingFixture {
protected:
    InvoiceEntryFlow flow{engine, prompts, state, clock};
};

TEST_F(InvoiceEntryFlowTest, PickingACustomerWarnsOfItsCreditLimitAndHold) {
    const struct {
        const char* limit;
        const char* balance;
        bool hold;
        std::vector<std::string> warnings;
    } cases[] = {
        {"0.00", "500.00", false, {}},  // no limit
        {"100.00", "100.00", false, {}},
        {"100.00", "100.01", false, {"This customer is over their credit limit."}},
        {"", "-5.00", true, {"This customer is placed on inactive/credit hold status."}},
        {"100.00",
         "200.00",
         true,
         {"This customer is over their credit limit.",
          "This customer is placed on inactive/credit hold status."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.limit) + " / " + c.balance);
        records::CustomerRecord customer = testsupport::SampleCustomer("A1", "Ames Hardware");
        customer.setCreditLimit(c.limit);
        customer.setBalance(c.balance);
        customer.setCreditHold(c.hold);
        for (const std::string& warning : c.warnings) prompts.ExpectWarn("Warning", warning);
        InvoiceDraft draft;
        flow.TakeCustomer(customer, draft);
        prompts.Verify();
        EXPECT_EQ(draft.customer, "A1");
        EXPECT_EQ(draft.terms, customer.terms());
    }
    records::CustomerRecord exempt = testsupport::SampleCustomer("B2", "Brook Ltd");
    exempt.setTaxExempt("Y");
    InvoiceDraft draft;
    flow.TakeCustomer(exempt, draft);
    EXPECT_FALSE(draft.tax);
    EXPECT_TRUE(PanelOf(exempt).taxExempt);
}

TEST_F(InvoiceEntryFlowTest, ATypedCodeFindsItsProductOrOffersTheProductManager) {
    testsupport::AddRecords(engine, File(records::RecordKind::Product),
                            std::vector{testsupport::SampleProduct("P1", "Widget", "2.50"),
                                        testsupport::SampleProduct("P10", "Widget ten", "9")});
    constexpr char kQuestion[] = "That product code was not found. Would you like to add it now?";
    const struct {
        const char* code;
        std::optional<bool> addIt;  // the answer to the question, when it is asked
        const char* found;          // the code found, or empty
        bool openManager;
    } cases[] = {
        {" p1 ", std::nullopt, "P1", false},
        {"P10", std::nullopt, "P10", false},
        {"P", true, "", true},  // a search lands on P1, which is not the code typed
        {"ZZ", false, "", false},
        {"", std::nullopt, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        if (c.addIt) prompts.ExpectYesNo("Product Code", kQuestion, *c.addIt);
        const ProductLookup lookup = flow.LookUpProduct(c.code);
        prompts.Verify();
        EXPECT_EQ(lookup.product ? base::Trim(lookup.product->code()) : std::string(), c.found);
        EXPECT_EQ(lookup.openManager, c.openManager);
    }
    const DraftLine row = LineOfProduct(*flow.LookUpProduct("P1").product,
                                        {"p1", "4", "", "0.00", "N"}, state.currentCompany, false);
    EXPECT_EQ(row.code, "P1");
    EXPECT_EQ(row.quantity, "4");
    EXPECT_EQ(row.description, "Widget");
    EXPECT_EQ(row.price, "2.50");
    EXPECT_EQ(row.taxed, "Y");
}

TEST_F(InvoiceEntryFlowTest, ANewInvoiceIsOfferedTheNextNumberAndTheLastDateSaved) {
    InvoiceFiles invoiceFiles(engine, prompts, "1");
    ASSERT_TRUE(invoiceFiles.Open());
    InvoiceDraft draft = flow.BeginAdd();
    EXPECT_EQ(draft.number, "1001");
    EXPECT_EQ(draft.date, "12/06/2026");
    EXPECT_EQ(draft.keyCode, "None");
    draft.terms = "";

    const EntryOutcome refused = flow.Ok(invoiceFiles, draft);
    ASSERT_TRUE(std::holds_alternative<InvoiceFailure>(refused));
    EXPECT_EQ(std::get<InvoiceFailure>(refused).text, "You need to select a customer.");
    EXPECT_EQ(std::get<InvoiceFailure>(refused).control, "BitBtn3");

    draft.customer = "A1";
    draft.date = "11/30/2026";
    draft.lines = {{"P1", "2", "Widget", "2.50", "N"}};
    const EntryOutcome posted = flow.Ok(invoiceFiles, draft);
    ASSERT_TRUE(std::holds_alternative<PostedInvoice>(posted));
    EXPECT_EQ(std::get<PostedInvoice>(posted).status,
              "Added invoice 1001 containing 1 line item(s).");
    const InvoiceDraft next = flow.BeginAdd();
    EXPECT_EQ(next.number, "1002");
    EXPECT_EQ(next.date, "11/30/2026");
    ASSERT_TRUE(invoiceFiles.Close());
    EXPECT_EQ(Owed(0)[0], "5.00");
}

TEST_F(InvoiceEntryFlowTest, StopwatchTextsCountHoursPastADay) {
    const struct {
        long seconds;
        const char* elapsed;
        const char* hours;
    } cases[] = {
        {0, "00:00:00", "00.000"},
        {3723, "01:02:03", "01.034"},
        {90000, "25:00:00", "25.000"},
    };
    for (const auto& c : cases) {
        const StopwatchTexts texts = StopwatchTextsOf(std::chrono::seconds(c.seconds));
        EXPECT_EQ(texts.elapsed, c.elapsed);
        EXPECT_EQ(texts.hours, c.hours);
    }
}

}  // namespace
}  // namespace invoicing::testing

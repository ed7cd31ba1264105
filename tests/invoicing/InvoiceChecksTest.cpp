// The checks of OK in their order, and the questions on the way.
#include "invoicing/InvoiceChecks.h"

#include <functional>

#include "company/PaymentTerms.h"
#include "engine/BlockFile.h"
#include "invoicing/InvoicingFixture.h"

namespace invoicing::testing {
namespace {

class InvoiceChecksTest : public InvoicingFixture {
protected:
    InvoiceChecksTest() {
        EXPECT_TRUE(Add(Draft("1001", {{"P1", "1", "Widget", "5", "N"}})));
        EXPECT_TRUE(company::SavePaymentTerms(files, {"Net 30 Days", "Due on receipt"}));
        EXPECT_TRUE(invoiceFiles.Open());
    }

    ~InvoiceChecksTest() override { EXPECT_TRUE(invoiceFiles.Close()); }

    InvoiceCheckContext Context(std::string editedNumber = "") {
        return CheckContext(prompts, invoiceFiles, std::move(editedNumber));
    }

    static InvoiceDraft Valid() { return Draft("1002", {{"P1", "2", "Widget", "5", "Y"}}); }

    InvoiceFiles invoiceFiles{engine, prompts, "1"};
};

TEST_F(InvoiceChecksTest, EachRefusalInItsOrder) {
    using Change = std::function<void(InvoiceDraft&)>;
    const struct {
        Change change;
        InvoiceFailure failure;  // caption, text, control, row, column
    } cases[] = {
        {[](InvoiceDraft& d) { d.number = " "; },
         {"Invoice Number", "You need an invoice number.", "INum"}},
        {[](InvoiceDraft& d) { d.customer = ""; },
         {"Customer Required", "You need to select a customer.", "BitBtn3"}},
        {[](InvoiceDraft& d) { d.customer = "A"; },
         {"Customer Required", "You need to select a customer.", "BitBtn3"}},
        {[](InvoiceDraft& d) { d.date = "02/30/2026"; },
         {"Invoice Date",
          "You have an invalid invoice date. You can clear the date and then select the calendar "
          "button.",
          "IDate"}},
        {[](InvoiceDraft& d) { d.number = "g100"; },
         {"Invoice Number",
          "Please do not use the letter \"G\" in your invoice numbers. This is reserved for "
          "repeat billings. You must change this invoice number.",
          "INum"}},
        {[](InvoiceDraft& d) { d.number = "100I"; },
         {"Invoice Number",
          "Please do not use the letter \"I\" in your invoice numbers. This is reserved for "
          "Interest Wizard. You must change this invoice number.",
          "INum"}},
        {[](InvoiceDraft& d) { d = Memo("1002", "5", "Text"), d.memo.description = ""; },
         {"Product Description",
          "You do not have a product description entered. This description is used on your "
          "Sales Report to show the item sold.",
          "MemoPDesc"}},
        {[](InvoiceDraft& d) { d = Memo("1002", "5", " \n  "); },
         {"Memo Invoice Text", "You do not have any text entered in the body of your invoice.",
          "Memo1"}},
        {[](InvoiceDraft& d) {
             d.lines.push_back({"P2", "abc", "Bolt", "1", "N"});
         },
         {engine::kProgramCaption, "Line 2 has an invalid QUANTITY value.", "StringGrid1", 2,
          kQuantityColumn}},
        {[](InvoiceDraft& d) { d.lines[0].price = "1.2.3"; },
         {engine::kProgramCaption, "Line 1 has an invalid UNIT PRICE value.", "StringGrid1", 1,
          kPriceColumn}},
        {[](InvoiceDraft& d) {
             d.lines.push_back({"", "2", " ", "3", "N"});
         },
         {engine::kProgramCaption, "Line 2 has no product code or description.", "StringGrid1", 2,
          kDescriptionColumn}},
        {[](InvoiceDraft& d) { d.lines[0].description = ""; },
         {"Description Required",
          "You do not have a description on any of your line items. At least one description "
          "field is required or you have nothing to invoice.",
          "StringGrid1"}},
        {[](InvoiceDraft& d) { d.number = "1001 "; },
         {"Duplicate Invoice: 1001",
          "This invoice number currently exists. Please enter another one.", "INum"}},
        {[](InvoiceDraft& d) { d.paid = "1,0x"; },
         {engine::kProgramCaption, "The PAID amount has an invalid value.", "IPaid"}},
        {[](InvoiceDraft& d) { d = Memo("1002", "99999999", "Text"); },
         {engine::kProgramCaption, "The NET amount is too large.", "INet"}},
        {[](InvoiceDraft& d) { d.paid = "11.005"; },
         {"Payment Amount", "The paid amount cannot exceed the invoice total amount.", "IPaid"}},
    };
    for (const auto& c : cases) {
        InvoiceDraft draft = Valid();
        c.change(draft);
        SCOPED_TRACE(c.failure.text);
        const std::optional<InvoiceFailure> failure = CheckInvoice(draft, Context());
        ASSERT_TRUE(failure);
        EXPECT_EQ((std::vector<std::string>{failure->caption, failure->text, failure->control}),
                  (std::vector<std::string>{c.failure.caption, c.failure.text, c.failure.control}));
        EXPECT_EQ(failure->row, c.failure.row);
        EXPECT_EQ(failure->column, c.failure.column);
        EXPECT_FALSE(failure->answered);
    }
}

TEST_F(InvoiceChecksTest, WhatPasses) {
    const struct {
        const char* name;
        std::function<void(InvoiceDraft&)> change;
        std::string edited;
    } cases[] = {
        {"a row with only a description",
         [](InvoiceDraft& d) { d.lines.push_back(DraftLine::Comment("Note")); }, ""},
        {"blank rows",
         [this](InvoiceDraft& d) { d.lines.push_back(DraftLine::Blank(state.currentCompany)); },
         ""},
        {"negative paid", [](InvoiceDraft& d) { d.paid = "-20"; }, ""},
        {"paid equal to the total", [](InvoiceDraft& d) { d.paid = "11.00"; }, ""},
        {"its own number while editing", [](InvoiceDraft& d) { d.number = "1001"; }, "1001"},
        {"a G number that had it", [](InvoiceDraft& d) { d.number = "G17"; }, "G17"},
        {"terms equal to the first entry", [](InvoiceDraft& d) { d.terms = "net 30 days"; }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InvoiceDraft draft = Valid();
        c.change(draft);
        EXPECT_FALSE(CheckInvoice(draft, Context(c.edited)));
    }
    InvoiceDraft memo = Memo("1002", "5", "Text");
    memo.memo.quantity = "x";
    EXPECT_FALSE(CheckInvoice(memo, Context()));
    EXPECT_EQ(memo.memo.quantity, "1");
}

TEST_F(InvoiceChecksTest, QuestionsAnsweredNoKeepTheWindowOpen) {
    const char* noCharge = "Is this a no-charge invoice?";
    InvoiceDraft free = Draft("1002", {{"P1", "1", "Widget", "0", "N"}});
    prompts.ExpectYesNo("Please Confirm", noCharge, false);
    const auto failure = CheckInvoice(free, Context());
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->answered);
    prompts.ExpectYesNo("Please Confirm", noCharge, true);
    EXPECT_FALSE(CheckInvoice(free, Context()));

    InvoiceCheckContext limited = Context();
    limited.customer = [](const std::string&) {
        records::CustomerRecord customer = testsupport::SampleCustomer("A1", "Ames");
        customer.setBalance("45.00");
        customer.setCreditLimit("50.00");
        return std::optional(customer);
    };
    InvoiceDraft draft = Valid();
    prompts.ExpectYesNo("Please Confirm",
                        "This invoice will cause this customer to be over their credit limit.  "
                        "Do you want to proceed anyway?",
                        false);
    EXPECT_TRUE(CheckInvoice(draft, limited)->answered);
    limited.editedTotal = *base::Decimal::Parse("6");  // editing: its old total is on the balance
    EXPECT_FALSE(CheckInvoice(draft, limited));
}

TEST_F(InvoiceChecksTest, NewTermsAreAddedToTheTermsFileOnYes) {
    const char* question =
        "This is a new payment term. Would you like to add terms to the terms file?";
    InvoiceDraft draft = Valid();
    draft.terms = "Net 45";
    prompts.ExpectMessage("Terms: Net 45", question, base::PromptAnswer::Cancel);
    EXPECT_TRUE(CheckInvoice(draft, Context())->answered);
    prompts.ExpectMessage("Terms: Net 45", question, base::PromptAnswer::No);
    EXPECT_FALSE(CheckInvoice(draft, Context()));
    EXPECT_EQ(company::LoadPaymentTerms(files).size(), 2u);
    prompts.ExpectMessage("Terms: Net 45", question, base::PromptAnswer::Yes);
    EXPECT_FALSE(CheckInvoice(draft, Context()));
    EXPECT_EQ(company::LoadPaymentTerms(files),
              (std::vector<std::string>{"Net 30 Days", "Due on receipt", "Net 45"}));
}

}  // namespace
}  // namespace invoicing::testing

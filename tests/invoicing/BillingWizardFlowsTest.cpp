// The commands of the Repeat Invoice Setup dialog, the Repeat Billing Wizard and the Interest
// Wizard as their windows call them: what each command leaves for the window, and the order of
// its steps. The postings under them are tested in RepeatBillingTest and InterestChargesTest.
#include <algorithm>

#include "invoicing/InterestWizardFlow.h"
#include "invoicing/InvoicingFixture.h"
#include "invoicing/RepeatSetupCommand.h"
#include "invoicing/RepeatWizardFlow.h"
#include "support/RecordingCanvas.h"

namespace invoicing::testing {
namespace {

class BillingWizardFlowsTest : public InvoicingFixture {
protected:
    BillingWizardFlowsTest() {
        InvoiceDraft old = Draft("1001", {{"P1", "1", "Old work", "200", "N"}});
        old.date = "10/01/2026";
        EXPECT_TRUE(Add(old));
    }

    // "&Repeat Billing Setup" on invoice 1001 with `dialog`.
    RepeatSetupOutcome RepeatSetup(const RepeatSetupDialog& dialog) {
        InvoiceFiles invoiceFiles(engine, prompts, "1");
        EXPECT_TRUE(invoiceFiles.Open());
        const RepeatSetupOutcome outcome =
            RunRepeatSetup(invoiceFiles, *invoiceFiles.FindInvoice("1001"), state, clock, dialog);
        EXPECT_TRUE(invoiceFiles.Close());
        return outcome;
    }
};

TEST_F(BillingWizardFlowsTest, RepeatSetupPostsOnlyAnOkThatPassedTheChecks) {
    // Cancelled: nothing changes.
    const auto folder = FolderBytes();
    EXPECT_FALSE(
        RepeatSetup([](const RepeatSetupView&, RepeatScheduleEntry&, const RepeatScheduleCheck&) {
            return false;
        }).saved);
    EXPECT_EQ(testsupport::DifferingFiles(folder, FolderBytes(), {}), std::vector<std::string>{});

    // The check the dialog's OK runs shows the refusal and names the control to focus.
    prompts.ExpectWarn("Start Date", "You must enter a valid date.");
    const RepeatSetupOutcome outcome =
        RepeatSetup([](const RepeatSetupView& view, RepeatScheduleEntry& entry,
                       const RepeatScheduleCheck& check) {
            EXPECT_EQ(view.number, "1001");
            EXPECT_EQ(entry.nextDue, "10/01/2026");
            entry.generate = true;
            entry.nextDue = "13/01/2026";
            EXPECT_EQ(check(entry), RepeatScheduleField::NextDue);
            entry.nextDue = "12/31/2026";
            EXPECT_EQ(check(entry), std::nullopt);
            return true;
        });
    EXPECT_TRUE(outcome.saved);
    EXPECT_EQ(outcome.status, "Invoice 1001 is now a repeat master.");
    EXPECT_EQ(Invoices()[0].nextDueDate(), "12/31/2026");
}

TEST_F(BillingWizardFlowsTest, RepeatWizardCreatesOnlyWhatItsLastSearchListed) {
    RepeatWizardFlow flow(engine, prompts, state, clock);
    RepeatWizardView view = flow.Open();
    EXPECT_EQ(view.searchDate, "12/06/2026");
    EXPECT_EQ(view.invoiceDate, "12/06/2026");
    EXPECT_EQ(view.status, "Last generated invoices were dated: ");
    EXPECT_FALSE(view.canCreate);
    // Nothing listed: Create does nothing.
    EXPECT_EQ(flow.Create("12/06/2026", "x", {}).status, view.status);

    prompts.ExpectWarn(kRepeatBillingsCaption, "You must enter a valid date.");
    EXPECT_FALSE(flow.Search("12/32/2026").canCreate);
    RepeatSetup([](const RepeatSetupView&, RepeatScheduleEntry& entry, const RepeatScheduleCheck&) {
        entry = {true, "1", RepeatUnit::Months, "12/01/2026"};
        return true;
    });
    view = flow.Search("12/05/2026");
    ASSERT_EQ(view.lines.size(), 1u);
    EXPECT_EQ(view.invoiceDate, "12/05/2026");  // the search date copied
    EXPECT_TRUE(view.canCreate);
    prompts.ExpectInform(kRepeatBillingsCaption,
                         "1 invoices were generated. 1 Monthly Setups and 0 Daily Setups.");
    std::vector<size_t> done;
    view = flow.Create("12/05/2026", "Lawn care",
                       [&done](size_t count, size_t of) { done.push_back(count * 10 + of); });
    EXPECT_EQ(view.status, "Complete.");
    EXPECT_FALSE(view.canCreate);
    EXPECT_EQ(done, std::vector<size_t>{11});
    EXPECT_EQ(Invoices()[1].invoiceNumber(), "1001G1");
    EXPECT_EQ(Invoices()[1].notes(), "Lawn care");
}

TEST_F(BillingWizardFlowsTest, InterestGenerateFollowsOnlyTheScanOfTheSettingsShown) {
    InterestWizardFlow flow(engine, prompts, state, clock);
    const InterestWizardView view = flow.Open();
    EXPECT_EQ(view.overCaptions,
              (std::array<std::string, 3>{"Over 30 Days", "Over 60 Days", "Over 90 Days"}));
    EXPECT_EQ(view.status, "Enter above options then select scan button...");
    InterestSettings settings = view.settings;
    EXPECT_EQ(settings.date, "12/06/2026");

    settings.rate = "x";
    prompts.ExpectInform(kInterestCaption,
                         "The monthly percentage rate must be a number with at most 3 decimals, "
                         "such as 1.50.");
    EXPECT_EQ(flow.Scan(settings).focus, InterestField::Rate);
    settings.rate = "1.50";
    InterestWizardVerdict verdict = flow.Scan(settings);
    EXPECT_TRUE(verdict.canGenerate);
    EXPECT_EQ(verdict.status, "1 found. Complete data below then select generate button...");

    // A changed setting takes the scan back; Generate then does nothing.
    flow.SettingsChanged();
    EXPECT_FALSE(flow.Generate(settings).close);
    ASSERT_TRUE(flow.Scan(settings).canGenerate);
    verdict = flow.Generate(settings);
    EXPECT_TRUE(verdict.close);
    EXPECT_EQ(flow.rows()[0].invoice, "1002I");

    prompts.ExpectYesNo("Operation Complete",
                        "1 invoices were created. Would you like to send a report to the printer?",
                        true);
    testsupport::RecordingCanvas canvas;
    const std::string status = flow.OfferReport([&canvas](const InterestReport& report) {
        int printed = 0;
        EXPECT_TRUE(DrawInterestReport(canvas, report, printed));
        return std::optional(printed);
    });
    EXPECT_EQ(status, "Report Complete. 1 records printed. Interest Report sent to print queue.");
    const std::vector<std::string> texts = canvas.TextsOnPage(1);
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "Created Invoices Dated: 12/06/2026 and charged 1.50 percent interest."),
              texts.end());

    // The same date again is asked about, No by default.
    ASSERT_TRUE(flow.Scan(settings).canGenerate);
    prompts.ExpectMessage(kInterestCaption,
                          "Interest invoices dated 12/06/2026 were already generated. Generate "
                          "them again?",
                          base::PromptAnswer::No);
    EXPECT_FALSE(flow.Generate(settings).close);
    EXPECT_EQ(Invoices().size(), 2u);
}

TEST_F(BillingWizardFlowsTest, EveryDateShownAndReadFollowsTheCompanysDateOrder) {
    state.currentCompany.setDateFormat("Y");
    RepeatWizardFlow repeat(engine, prompts, state, clock);
    EXPECT_EQ(repeat.Open().searchDate, "2026/12/06");
    InterestWizardFlow interest(engine, prompts, state, clock);
    EXPECT_EQ(interest.Open().settings.date, "2026/12/06");
    EXPECT_TRUE(RepeatSetup([](const RepeatSetupView&, RepeatScheduleEntry& entry,
                               const RepeatScheduleCheck& check) {
                    EXPECT_EQ(entry.nextDue, "2026/10/01");
                    entry.generate = true;
                    entry.nextDue = "2026/11/30";
                    return !check(entry);
                }).saved);
    // Stored month first whatever the order; listed in the company's.
    EXPECT_EQ(Invoices()[0].nextDueDate(), "11/30/2026");
    const RepeatWizardView view = repeat.Search("2026/12/01");
    ASSERT_EQ(view.lines.size(), 1u);
    EXPECT_NE(view.lines[0].find(" 2026/11/30 "), std::string::npos);
}

}  // namespace
}  // namespace invoicing::testing

// Repeat billing: the schedule's dates and checks, the guards and posting of a master's setup,
// the search for due masters and the invoices generated from them.
#include <variant>

#include "base/Text.h"

#include "invoicing/InvoicingFixture.h"
#include "invoicing/RepeatBilling.h"
#include "invoicing/RepeatSchedule.h"
#include "records/TransactionType.h"
#include "support/ScriptedPrompts.h"

namespace invoicing::testing {
namespace {

using base::Date;

TEST(RepeatScheduleTest, MonthsKeepTheDayOrCutItToTheMonthsEnd) {
    const struct {
        Date due;
        int every;
        RepeatUnit unit;
        Date next;
    } cases[] = {
        {{2028, 1, 31}, 1, RepeatUnit::Months, {2028, 2, 29}},  // leap year
        {{2028, 2, 29}, 1, RepeatUnit::Months, {2028, 3, 29}},  // from the cut date
        {{2027, 1, 31}, 1, RepeatUnit::Months, {2027, 2, 28}},
        {{2027, 2, 28}, 1, RepeatUnit::Months, {2027, 3, 28}},
        {{2100, 1, 31}, 1, RepeatUnit::Months, {2100, 2, 28}},  // divisible by 100
        {{2000, 1, 31}, 1, RepeatUnit::Months, {2000, 2, 29}},  // divisible by 400
        {{2026, 11, 30}, 3, RepeatUnit::Months, {2027, 2, 28}},
        {{2026, 12, 25}, 10, RepeatUnit::Days, {2027, 1, 4}},
        {{2028, 2, 28}, 1, RepeatUnit::Days, {2028, 2, 29}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(base::SortableDate(c.due) + " + " + std::to_string(c.every));
        EXPECT_EQ(AdvanceDue(c.due, c.every, c.unit), c.next);
    }
    EXPECT_EQ(GeneratedNumber(" a12 ", 999), "A12G999");
}

TEST(RepeatScheduleTest, OkChecksTheIntervalThenTheDate) {
    const struct {
        const char* every;
        const char* due;
        const char* caption;  // empty: accepted
        const char* text;
    } cases[] = {
        {"", "01/06/2027", "Number of Days/Months",
         "You must enter the number of days/months in order to generate invoices."},
        {"x1", "01/06/2027", "Number of Days/Months",
         "You must enter a valid NUMBER of days/months."},
        {"-1", "01/06/2027", "Number of Days/Months",
         "You must enter a valid NUMBER of days/months."},
        {"0", "01/06/2027", "Number of Days/Months",
         "You must enter the number of days/months in order to generate invoices."},
        {"2", "02/30/2027", "Start Date", "You must enter a valid date."},
        {"2", "__/__/____", "Start Date", "You must enter a valid date."},
        {"999", "02/28/2027", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.every) + " " + c.due);
        const auto checked = CheckRepeatSchedule({true, c.every, RepeatUnit::Days, c.due},
                                                 base::DateOrder::MonthFirst);
        if (*c.caption == '\0') {
            ASSERT_TRUE(std::holds_alternative<RepeatSchedule>(checked));
            EXPECT_EQ(std::get<RepeatSchedule>(checked).every, 999);
            EXPECT_EQ(std::get<RepeatSchedule>(checked).nextDue, (Date{2027, 2, 28}));
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<RepeatScheduleFailure>(checked));
        EXPECT_EQ(std::get<RepeatScheduleFailure>(checked).caption, c.caption);
        EXPECT_EQ(std::get<RepeatScheduleFailure>(checked).text, c.text);
    }
}

TEST(RepeatSetupGuardsTest, RefusalsInTheirOrder) {
    const auto record = [](const char* number, const char* type, const char* paid) {
        records::InvoiceRecord r;
        r.setInvoiceNumber(number);
        r.setTypeCode(type);
        r.setPaid(paid);
        r.setDate("12/06/2026");
        r.setSortDate("2026/12/06");
        return r;
    };
    const struct {
        records::InvoiceRecord record;
        const char* caption;  // empty: the dialog opens
        const char* text;
    } cases[] = {
        {record("1001", "I", "5"), "Payment Acivity",
         "This invoice has payment activity. To create a repeat billing, the invoice must not "
         "have any payments."},
        {record("1001", "Z", "5"), "Transaction Type",
         "This record must be Type Code \"I\" or \"R\" in order to change repeat billing "
         "information."},
        {record("123456", "G", "0"), "Transaction Type",
         "This record must be Type Code \"I\" or \"R\" in order to change repeat billing "
         "information."},
        {record("123456", "I", "0"), "Repeat Billing Setup",
         "The invoice number is too long. A repeat billing invoice number must be 5 or less "
         "characters. Please change the invoice number and try again."},
        {record("12345", "I", "0.00"), "", ""},
    };
    records::CompanyRecord company;
    company.setDateFormat("D");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        testsupport::ScriptedPrompts prompts;
        if (*c.caption) prompts.ExpectWarn(c.caption, c.text);
        const auto view = OpenRepeatSetup(c.record, company, prompts);
        EXPECT_EQ(view.has_value(), *c.caption == '\0');
        if (!view) continue;
        // An invoice starts as every month from its date, in the company's date order.
        EXPECT_FALSE(view->master);
        EXPECT_FALSE(view->schedule.generate);
        EXPECT_EQ(view->schedule.every, "1");
        EXPECT_EQ(view->schedule.unit, RepeatUnit::Months);
        EXPECT_EQ(view->schedule.nextDue, "06/12/2026");
    }
}

class RepeatBillingTest : public InvoicingFixture {
protected:
    // Runs `step` on a RepeatBilling over the invoice files opened for it.
    template <typename Step>
    auto Billing(Step step) {
        InvoiceFiles invoiceFiles(engine, prompts, "1");
        EXPECT_TRUE(invoiceFiles.Open());
        RepeatBilling billing(invoiceFiles, state, clock);
        auto result = step(billing, invoiceFiles);
        EXPECT_TRUE(invoiceFiles.Close());
        return result;
    }

    bool MakeMaster(const std::string& number, RepeatSchedule schedule) {
        return Billing([&](RepeatBilling& b, InvoiceFiles& f) {
            return b.Setup(*f.FindInvoice(number), schedule).has_value();
        });
    }

    std::vector<DueMaster> Due(Date through) {
        return Billing([&](RepeatBilling& b, InvoiceFiles&) { return b.Search(through)->masters; });
    }

    RepeatRunResult Generate(Date through, Date invoiceDate, std::optional<bool> again = {}) {
        const std::vector<DueMaster> due = Due(through);
        return Billing([&](RepeatBilling& b, InvoiceFiles&) {
            return b.Generate(due, {invoiceDate, "Monthly Service", again, {}});
        });
    }

    records::InvoiceRecord Record(const std::string& number) {
        return Billing(
            [&](RepeatBilling&, InvoiceFiles& f) { return f.FindInvoice(number)->record; });
    }

    std::string CompanyTotal() { return testsupport::StoredCompany("1")->receivablesTotal(); }

    // Invoice 1001 of A1, 27.50 dated today, made a monthly master due on December 1.
    void MonthlyMaster() {
        ASSERT_TRUE(Add(Draft("1001", {{"P1", "2", "Widget", "12.50", "Y"}})));
        ASSERT_TRUE(MakeMaster("1001", {1, RepeatUnit::Months, {2026, 12, 1}}));
    }

    static constexpr Date kDecember1{2026, 12, 1};
};

TEST_F(RepeatBillingTest, AnInvoiceMadeAMasterLeavesTheBalances) {
    ASSERT_TRUE(Add(Draft("1001", {{"P1", "2", "Widget", "12.50", "Y"}})));
    ASSERT_EQ(Owed(0), (std::vector<std::string>{"27.50", "27.50", "0.00", "0.00", "0.00"}));
    ASSERT_TRUE(MakeMaster("1001", {2, RepeatUnit::Days, {2027, 1, 6}}));

    const records::InvoiceRecord master = Record("1001");
    EXPECT_EQ(master.typeCode(), "R");
    EXPECT_EQ(master.repeatInterval(), "2");
    EXPECT_EQ(master.repeatUnit(), "D");
    EXPECT_EQ(master.nextDueDate(), "01/06/2027");
    EXPECT_EQ(master.generatedCount(), "0");
    EXPECT_EQ(master.balanceDue(), "0.00");
    EXPECT_EQ(master.total(), "27.50");
    for (const auto& line : Lines()) EXPECT_EQ(line.kind(), "R");
    EXPECT_EQ(Owed(0), (std::vector<std::string>{"0.00", "0.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(CompanyTotal(), "0.00");
    EXPECT_EQ(state.currentCompany.receivablesTotal(), "0.00");
    // Found by type and number (key 5).
    EXPECT_EQ(Due({2027, 1, 6}).size(), 1u);
}

TEST_F(RepeatBillingTest, AMastersSetupChangesOnlyItsSchedule) {
    ASSERT_NO_FATAL_FAILURE(MonthlyMaster());
    const auto owed = Owed(0);
    ASSERT_TRUE(MakeMaster("1001", {3, RepeatUnit::Days, {2027, 2, 28}}));
    const records::InvoiceRecord master = Record("1001");
    EXPECT_EQ(master.repeatInterval(), "3");
    EXPECT_EQ(master.repeatUnit(), "D");
    EXPECT_EQ(master.nextDueDate(), "02/28/2027");
    EXPECT_EQ(Owed(0), owed);
}

TEST_F(RepeatBillingTest, APaidZeroInvoiceMadeAMasterIsNoLongerPaid) {
    ASSERT_TRUE(Add(Draft("1001", {DraftLine::Comment("Free visit")})));
    ASSERT_EQ(Record("1001").paidFlag(), "P");
    ASSERT_TRUE(MakeMaster("1001", {1, RepeatUnit::Months, kDecember1}));
    EXPECT_EQ(base::Trim(Record("1001").paidFlag()), "");
    EXPECT_EQ(base::Trim(Record("1001").datePaid()), "");
}

TEST_F(RepeatBillingTest, SearchListsTheMastersDueOnOrBeforeTheDate) {
    ASSERT_TRUE(Add(Draft("1001", {{"P1", "2", "Widget", "12.50", "Y"}})));
    ASSERT_TRUE(Add(Draft("1002", {{"P1", "100", "Widget", "12.50", "N"}})));
    ASSERT_TRUE(MakeMaster("1001", {1, RepeatUnit::Months, {2027, 1, 6}}));
    ASSERT_TRUE(MakeMaster("1002", {7, RepeatUnit::Days, {2027, 1, 7}}));

    prompts.ExpectInform(kRepeatBillingsCaption,
                         "There are no repeat billings due through the date you selected.");
    EXPECT_TRUE(Due({2027, 1, 5}).empty());
    const auto search = Billing([](RepeatBilling& b, InvoiceFiles&) {
        return *b.Search({2027, 1, 6});
    });
    ASSERT_EQ(search.masters.size(), 1u);
    EXPECT_EQ(search.masters[0].ListLine(),
              "1001      AMES HARDW         27.50 01/06/2027 A1            0");
    EXPECT_EQ(search.status, "There are 1 invoices selected totaling 27.50.");
    EXPECT_EQ(Due({2027, 1, 7}).size(), 2u);
}

TEST_F(RepeatBillingTest, CreateWritesTheInvoiceAndAdvancesTheMaster) {
    ASSERT_NO_FATAL_FAILURE(MonthlyMaster());
    prompts.ExpectInform(kRepeatBillingsCaption,
                         "1 invoices were generated. 1 Monthly Setups and 0 Daily Setups.");
    const RepeatRunResult result = Generate(kToday, kToday);
    EXPECT_EQ(result.generated, std::vector<std::string>{"1001G1"});
    EXPECT_EQ(result.total.Format("0.00"), "27.50");

    const records::InvoiceRecord master = Record("1001");
    EXPECT_EQ(master.nextDueDate(), "01/01/2027");
    EXPECT_EQ(master.generatedCount(), "1");
    const records::InvoiceRecord made = Record("1001G1");
    EXPECT_EQ(made.typeCode(), "G");
    EXPECT_EQ(made.date(), "12/06/2026");
    EXPECT_EQ(made.sortDate(), "2026/12/06");
    EXPECT_EQ(made.notes(), "Monthly Service");
    EXPECT_EQ(made.statementNote(), "Monthly Service");
    EXPECT_EQ(made.printed(), "N");
    EXPECT_EQ(made.balanceDue(), "27.50");
    EXPECT_EQ(made.customerNumber(), "A1");
    EXPECT_EQ(base::Trim(made.datePaid()), "");
    std::vector<std::string> kinds;
    for (const auto& line : Lines())
        kinds.push_back(base::Trim(line.invoiceNumber()) + line.kind());
    EXPECT_EQ(kinds, (std::vector<std::string>{"1001R", "1001G1G"}));

    EXPECT_EQ(Owed(0), (std::vector<std::string>{"27.50", "27.50", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(StoredCustomers()[0].lastInvoiceNumber(), "1001G1");
    const records::CompanyRecord company = *testsupport::StoredCompany("1");
    EXPECT_EQ(company.receivablesTotal(), "27.50");
    EXPECT_EQ(company.lastRepeatBillingDate(), "12/06/2026");
    // Due again on January 1: not before.
    prompts.ExpectInform(kRepeatBillingsCaption,
                         "There are no repeat billings due through the date you selected.");
    EXPECT_TRUE(Due({2026, 12, 31}).empty());
}

TEST_F(RepeatBillingTest, AMemoMasterGivesItsMemoToEachInvoice) {
    ASSERT_TRUE(Add(Memo("1001", "80", "Monthly upkeep")));
    ASSERT_TRUE(MakeMaster("1001", {14, RepeatUnit::Days, kDecember1}));
    prompts.ExpectInform(kRepeatBillingsCaption,
                         "1 invoices were generated. 0 Monthly Setups and 1 Daily Setups.");
    ASSERT_EQ(Generate(kToday, kToday).generated, std::vector<std::string>{"1001G1"});
    ASSERT_EQ(Memos().size(), 2u);
    EXPECT_EQ(Memos()[1].invoiceNumber(), "1001G1");
    EXPECT_EQ(Memos()[1].line(0), Memos()[0].line(0));
    EXPECT_EQ(Record("1001").nextDueDate(), "12/15/2026");
    EXPECT_EQ(Owed(0)[0], "80.00");
}

TEST_F(RepeatBillingTest, AMasterBilledOnTheSameDateIsBilledAgainOnlyWhenAsked) {
    ASSERT_NO_FATAL_FAILURE(MonthlyMaster());
    prompts.ExpectInform(kRepeatBillingsCaption,
                         "1 invoices were generated. 1 Monthly Setups and 0 Daily Setups.");
    ASSERT_EQ(Generate(kToday, kToday).generated.size(), 1u);
    const auto owed = Owed(0);
    const auto folder = FolderBytes();

    // Searched again through a later date, the master is listed with its next period.
    const std::string question =
        "1 of the listed masters were already billed on 12/06/2026. Bill them again?";
    prompts.ExpectYesNo(kRepeatBillingsCaption, question, false)
        .ExpectInform(kRepeatBillingsCaption,
                      "0 invoices were generated. 0 Monthly Setups and 0 Daily Setups.");
    const RepeatRunResult skipped = Generate({2027, 1, 31}, kToday);
    EXPECT_EQ(skipped.skipped, 1);
    EXPECT_EQ(testsupport::DifferingFiles(folder, FolderBytes(), {}), std::vector<std::string>{});

    // Headless: skipped unless asked for, without a question.
    prompts.ExpectInform(kRepeatBillingsCaption,
                         "0 invoices were generated. 0 Monthly Setups and 0 Daily Setups.");
    EXPECT_EQ(Generate({2027, 1, 31}, kToday, false).skipped, 1);

    prompts.ExpectYesNo(kRepeatBillingsCaption, question, true)
        .ExpectInform(kRepeatBillingsCaption,
                      "1 invoices were generated. 1 Monthly Setups and 0 Daily Setups.");
    EXPECT_EQ(Generate({2027, 1, 31}, kToday).generated, std::vector<std::string>{"1001G2"});
    EXPECT_EQ(Owed(0)[0], "55.00");
    EXPECT_NE(Owed(0), owed);
}

TEST_F(RepeatBillingTest, ANumberThatCannotBeMadeIsRefusedForItsMasterAlone) {
    ASSERT_NO_FATAL_FAILURE(MonthlyMaster());
    ASSERT_TRUE(Add(Draft("1002", {{"P1", "1", "Widget", "10", "N"}})));
    ASSERT_TRUE(MakeMaster("1002", {1, RepeatUnit::Months, kDecember1}));
    ASSERT_TRUE(Add(Draft("1003", {{"P1", "1", "Widget", "10", "N"}})));
    ASSERT_TRUE(MakeMaster("1003", {1, RepeatUnit::Months, kDecember1}));
    // 1001 has made 999 invoices; 1002's next number is on file already.
    Billing([](RepeatBilling&, InvoiceFiles& f) {
        const StoredInvoice stored = *f.FindInvoice("1001");
        records::InvoiceRecord full = stored.record;
        full.setGeneratedCount("999");
        return receivables::Written(f.invoices().Update(stored.recordNumber, full, stored.record));
    });
    ASSERT_TRUE(Add(Draft("1002G1", {{"P1", "1", "Widget", "1", "N"}})));

    prompts
        .ExpectMessage(kRepeatBillingsCaption,
                       "Master 1001 of customer A1 has generated 999 invoices, the most its "
                       "numbers allow. Make a new master to go on billing.",
                       base::PromptAnswer::Ok)
        .ExpectMessage(kRepeatBillingsCaption,
                       "Invoice 1002G1 is already on file. Master 1002 of customer A1 was not "
                       "billed.",
                       base::PromptAnswer::Ok)
        .ExpectInform(kRepeatBillingsCaption,
                      "1 invoices were generated. 1 Monthly Setups and 0 Daily Setups.");
    const RepeatRunResult result = Generate(kToday, kToday);
    EXPECT_EQ(result.generated, std::vector<std::string>{"1003G1"});
    EXPECT_EQ(result.failed, 2);
    EXPECT_EQ(Record("1001").generatedCount(), "999");
    EXPECT_EQ(Record("1002").generatedCount(), "0");
}

}  // namespace
}  // namespace invoicing::testing

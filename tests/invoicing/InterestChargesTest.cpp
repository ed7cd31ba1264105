// Interest: the charge of one customer, the checks of the rates, the stored settings, the scan
// over the customers and the interest invoices.
#include <chrono>
#include <variant>

#include "engine/BlockFile.h"
#include "invoicing/InterestCharges.h"
#include "invoicing/InvoicingFixture.h"
#include "support/ScriptedPrompts.h"

namespace invoicing::testing {
namespace {

base::Decimal Amount(const char* text) {
    return *base::Decimal::Parse(text);
}

TEST(InterestChargeTest, RateTimesOverdueRoundedToCentsThenTheMinimum) {
    const struct {
        const char* overdue;
        const char* rate;
        const char* minimum;
        const char* flat;    // empty: no flat fee
        const char* charge;  // empty: no charge
    } cases[] = {
        {"200.00", "1.50", "0.10", "", "3.00"},
        {"200.00", "1.50", "5.00", "", ""},  // a threshold, not a floor
        {"0.33", "1.50", "0.10", "", ""},    // 0.00 after rounding
        {"0.33", "1.50", "0", "", ""},       // nothing to charge
        {"33.00", "1.50", "0", "", "0.50"},  // 0.495: half away from zero
        {"0.01", "0", "0", "5.00", "5.00"},  // the flat fee whatever the amount
        {"0.00", "0", "0", "5.00", ""},
        {"-20.00", "1.50", "0", "", ""},  // credits are not charged
        {"-20.00", "0", "0", "5.00", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.overdue) + " at " + c.rate + " min " + c.minimum);
        InterestRates rates{Amount(c.rate), Amount(c.minimum), std::nullopt};
        if (*c.flat) rates.flat = Amount(c.flat);
        const auto charge = InterestCharge(Amount(c.overdue), rates);
        EXPECT_EQ(charge ? charge->Format("0.00") : "", c.charge);
    }
}

TEST(InterestChargeTest, RatesThatAreNoNumberAreRefused) {
    const struct {
        const char* rate;
        const char* minimum;
        bool flat;
        const char* flatRate;
        const char* caption;  // empty: accepted
        const char* text;
    } cases[] = {
        {"1.50", ".10", false, "", "", ""},
        {"abc", ".10", false, "", kInterestCaption,
         "The monthly percentage rate must be a number with at most 3 decimals, such as 1.50."},
        {"1.5555", ".10", false, "", kInterestCaption,
         "The monthly percentage rate must be a number with at most 3 decimals, such as 1.50."},
        {"1.50", "", false, "", kInterestCaption,
         "The minimum interest charge must be a number with at most 3 decimals, such as 0.10."},
        {"x", "x", true, "-5", "Flat Rate Amount",
         "You should not enter a negative number in the flat rate box."},
        {"x", "x", true, "5a", "Invalid Flat Rate Amount",
         "The flat rate must be a numeric value."},
        {"x", "x", true, "0.00", "Flat Rate Fee", "No flat rate is specified."},
        {"x", "x", true, "", "Flat Rate Fee", "No flat rate is specified."},
        {"x", "x", true, "7.5", "", ""},
        {"x", "x", true, "100.00", "", ""},  // the flat rate takes 6 characters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        InterestSettings settings;
        settings.rate = c.rate;
        settings.minimum = c.minimum;
        settings.flat = c.flat;
        settings.flatRate = c.flatRate;
        const auto read = ReadInterestRates(settings);
        if (*c.caption == '\0') {
            ASSERT_TRUE(std::holds_alternative<InterestRates>(read));
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<InterestFailure>(read));
        EXPECT_EQ(std::get<InterestFailure>(read).caption, c.caption);
        EXPECT_EQ(std::get<InterestFailure>(read).text, c.text);
    }
    // With the flat fee the minimum is not read.
    InterestSettings flat;
    flat.flat = true;
    flat.flatRate = "7.5";
    flat.minimum = "x";
    EXPECT_EQ(std::get<InterestRates>(ReadInterestRates(flat)).minimum, base::Decimal());
}

TEST(InterestSettingsTest, StoredSettingsOrTheDefaults) {
    records::CompanyRecord company;
    company.setInterestCategory("x");
    company.setInterestMonthlyRate("2");  // shorter than 2 characters: the default
    InterestSettings settings = StoredInterestSettings(company, "12/06/2026");
    EXPECT_EQ(settings.over, 1);
    EXPECT_EQ(settings.rate, "1.50");
    EXPECT_EQ(settings.minimum, ".10");
    EXPECT_EQ(settings.date, "12/06/2026");
    company.setInterestCategory("9");
    company.setInterestMonthlyRate("2.25");
    company.setInterestMinimumCharge("1.00");
    company.setInterestMarkPrinted(true);
    company.setInterestTerms("Net 10");
    settings = StoredInterestSettings(company, "12/06/2026");
    EXPECT_EQ(settings.over, 3);
    EXPECT_EQ(settings.rate, "2.25");
    EXPECT_EQ(settings.minimum, "1.00");
    EXPECT_TRUE(settings.markPrinted);
    EXPECT_EQ(settings.terms, "Net 10");
}

TEST(InterestSettingsTest, OverdueIsTheSumOfTheCategoriesOverTheLimit) {
    records::CustomerRecord customer;
    customer.setAging1("1000.00");
    customer.setAging2("1.00");
    customer.setAging3("20.00");
    customer.setAging4("300.00");
    EXPECT_EQ(OverdueAmount(customer, 1).Format("0.00"), "321.00");
    EXPECT_EQ(OverdueAmount(customer, 2).Format("0.00"), "320.00");
    EXPECT_EQ(OverdueAmount(customer, 3).Format("0.00"), "300.00");
}

class InterestChargesTest : public InvoicingFixture {
protected:
    InterestChargesTest() {
        // A1 owes 200.00 from October 1 (66 days), B2 100.00 from November 20 (16 days).
        InvoiceDraft old = Draft("1001", {{"P1", "1", "Old work", "200", "N"}});
        old.date = "10/01/2026";
        EXPECT_TRUE(Add(old));
        InvoiceDraft recent = Draft("1002", {{"P1", "1", "New work", "100", "N"}});
        recent.customer = "B2";
        recent.date = "11/20/2026";
        EXPECT_TRUE(Add(recent));
        settings.date = "12/06/2026";
        settings.terms = "Net 10";
    }

    InterestRates Rates() { return std::get<InterestRates>(ReadInterestRates(settings)); }

    std::optional<InterestScan> Scan() {
        InterestCharges charges(engine, prompts, state, clock);
        return charges.Scan(Rates(), settings.over);
    }

    InterestRun Generate(const InterestScan& scan, std::optional<bool> again = {}) {
        InvoiceFiles invoiceFiles(engine, prompts, "1");
        EXPECT_TRUE(invoiceFiles.Open());
        InterestCharges charges(engine, prompts, state, clock);
        InterestRun run = charges.Generate(invoiceFiles, scan, settings, again);
        EXPECT_TRUE(invoiceFiles.Close());
        return run;
    }

    std::vector<std::string> Charged(const InterestScan& scan) {
        std::vector<std::string> rows;
        for (const InterestRow& row : scan.rows)
            rows.push_back(row.customer + " " + row.overdue.Format("0.00") + " " +
                           row.charge.Format("0.00") + " " + row.invoice);
        return rows;
    }

    InterestSettings settings;
};

TEST_F(InterestChargesTest, ScanChargesTheAmountsOverTheChosenLimit) {
    EXPECT_EQ(Charged(*Scan()), std::vector<std::string>{"A1 200.00 3.00 "});
    settings.over = 3;
    prompts.ExpectInform(kInterestCaption, "No records were found.");
    EXPECT_TRUE(Scan()->rows.empty());
    settings.over = 1;
    settings.minimum = "5.00";
    prompts.ExpectInform(kInterestCaption, "No records were found.");
    EXPECT_TRUE(Scan()->rows.empty());
}

TEST_F(InterestChargesTest, ScanAgesFirstWhenTheCompanyWasNotAgedToday) {
    // B2's invoice turns 31 days old on December 21; nobody has aged since.
    clock.Set({{2026, 12, 21}, 9, 0, 0});
    state.ApplyDateFormat(clock);
    ASSERT_EQ(Owed(2)[2], "0.00");  // B2
    EXPECT_EQ(Charged(*Scan()), (std::vector<std::string>{"A1 200.00 3.00 ", "B2 100.00 1.50 "}));
    EXPECT_EQ(Owed(2)[2], "100.00");
}

TEST_F(InterestChargesTest, AScanWhoseAgingCannotRunChargesNothing) {
    clock.Set({{2026, 12, 21}, 9, 0, 0});
    state.ApplyDateFormat(clock);
    // Another desk holds the customer file past the wait.
    engine.SetSharingWait({std::chrono::milliseconds(30), false});
    engine::BlockFile otherDesk(engine, File(records::RecordKind::Customer), prompts);
    ASSERT_TRUE(otherDesk.Open());
    prompts.ExpectMessage("KT Invorra Pro", "Unable to open databases: 9932",
                          base::PromptAnswer::Ok, base::PromptIcon::Error);
    EXPECT_FALSE(Scan());
    ASSERT_TRUE(otherDesk.Close());
    EXPECT_EQ(Owed(2)[2], "0.00");
    EXPECT_TRUE(state.AgingDue());
}

TEST_F(InterestChargesTest, GenerateMakesOneInvoicePerCustomerNumberedInTurn) {
    settings.flat = true;
    settings.flatRate = "5.00";
    settings.over = 1;
    settings.markPrinted = true;
    InterestScan scan = *Scan();
    // B2 has nothing overdue: the flat fee goes to A1 only; add a second overdue customer.
    ASSERT_EQ(scan.rows.size(), 1u);
    scan.rows.push_back({"B2", "Brook Ltd", Amount("100"), Amount("5.00"), {}});
    const InterestRun run = Generate(scan);
    EXPECT_EQ(run.created, 2);
    EXPECT_EQ(Charged({run.rows, {}, {}}),
              (std::vector<std::string>{"A1 200.00 5.00 1003I", "B2 100.00 5.00 1004I"}));

    const records::InvoiceRecord invoice = Invoices()[2];
    EXPECT_EQ(invoice.invoiceNumber(), "1003I");
    EXPECT_EQ(invoice.typeCode(), "I");
    EXPECT_EQ(invoice.printed(), "Y");
    EXPECT_EQ(invoice.date(), "12/06/2026");
    EXPECT_EQ(invoice.keyCode(), "Interest");
    EXPECT_EQ(invoice.notes(), "Interest Charges");
    EXPECT_EQ(invoice.terms(), "Net 10");
    EXPECT_EQ(invoice.total(), "5.00");
    EXPECT_EQ(invoice.balanceDue(), "5.00");
    const records::InvoiceLineRecord line = Lines()[2];
    const records::LineColumns columns = line.columns();
    EXPECT_EQ((std::vector<std::string>{columns.quantity, columns.description, columns.unitPrice,
                                        columns.taxMark, columns.extension}),
              (std::vector<std::string>{"1", "Interest Charges", "5.00", "N", "5.00"}));
    EXPECT_EQ(line.productCode(), "Interest");

    EXPECT_EQ(Owed(0), (std::vector<std::string>{"205.00", "5.00", "0.00", "200.00", "0.00"}));
    EXPECT_EQ(StoredCustomers()[0].lastInvoiceNumber(), "1003I");
    const records::CompanyRecord company = *testsupport::StoredCompany("1");
    EXPECT_EQ(company.receivablesTotal(), "310.00");
    EXPECT_EQ(company.nextInvoiceNumber(), "1005");
    EXPECT_EQ(company.lastInvoiceNumber(), "1004");
    EXPECT_EQ(company.lastInterestRunDate(), "12/06/2026");
    EXPECT_EQ(company.interestCategory(), "3");
    EXPECT_TRUE(company.interestMarkPrinted());
    EXPECT_EQ(company.interestTerms(), "Net 10");
    EXPECT_TRUE(state.currentCompany == company);
}

TEST_F(InterestChargesTest, ASecondRunForTheSameDateIsMadeOnlyWhenAsked) {
    const InterestScan scan = *Scan();
    ASSERT_EQ(Generate(scan).created, 1);
    const auto folder = FolderBytes();
    const std::string question =
        "Interest invoices dated 12/06/2026 were already generated. Generate them again?";
    prompts.ExpectYesNo(kInterestCaption, question, false);
    EXPECT_TRUE(Generate(scan).refused);
    EXPECT_TRUE(Generate(scan, false).refused);  // headless: refused without a question
    EXPECT_EQ(testsupport::DifferingFiles(folder, FolderBytes(), {}), std::vector<std::string>{});
    prompts.ExpectYesNo(kInterestCaption, question, true);
    EXPECT_EQ(Generate(scan).created, 1);
    EXPECT_EQ(Owed(0)[0], "206.00");
}

TEST_F(InterestChargesTest, ANextNumberThatCannotTakeTheIIsRefusedBeforeAnyWrite) {
    const InterestScan scan = *Scan();
    for (const char* next : {"A100", "999999999", ""}) {
        SCOPED_TRACE(next);
        state.currentCompany.setNextInvoiceNumber(next);
        const auto folder = FolderBytes();
        prompts.ExpectMessage(kInterestCaption,
                              "The next invoice number " + std::string(next) +
                                  " is not a whole number that leaves room for the \"I\" of an "
                                  "interest invoice. Change it in the company settings.",
                              base::PromptAnswer::Ok);
        EXPECT_TRUE(Generate(scan).refused);
        EXPECT_EQ(testsupport::DifferingFiles(folder, FolderBytes(), {}),
                  std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace invoicing::testing

// The Repeat Billing Wizard and the Interest Wizard over their flows, driven by keys: a search or
// scan fills the list, and creating the invoices reaches the files. The rules themselves are
// tested without a window in tests/invoicing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "invoicing/ui/InterestWizard.h"
#include "invoicing/ui/RepeatBillingWizard.h"
#include "records/RecordTypes.h"
#include "support/Samples.h"
#include "support/ui/TestWindowContext.h"
#include "support/ui/WindowDriving.h"

namespace invoicing::ui {
namespace {

using testsupport::Find;
using testsupport::ThenInModal;

QWidget* Focused() {
    return QApplication::focusWidget();
}

// Company 1 on March 5, 2024, with A1 owing 200.00 from November 1, 2023 and 50.00 on a monthly
// master due March 1, and B2 owing 100.00 from February 20.
class BillingWizardsTest : public ::testing::Test {
protected:
    BillingWizardsTest() {
        records::CompanyRecord company = testsupport::SampleCompany("1", "Acme Supply Co");
        company.setAgingDays1("30");
        company.setAgingDays2("60");
        company.setAgingDays3("90");
        company.setDateFormat("M");
        company.setNextInvoiceNumber("1010");
        company.setReceivablesTotal("300.00");
        company.setLastAgingDate("03/05/2024");
        testsupport::AddCompanies({company});
        w.state.currentCompany = *testsupport::StoredCompany("1");
        w.state.ApplyDateFormat(w.clock);
        records::CustomerRecord ames = testsupport::SampleCustomer("A1", "Ames Hardware");
        ames.setBalance("200.00");
        ames.setAging4("200.00");
        records::CustomerRecord brook = testsupport::SampleCustomer("B2", "Brook Ltd");
        brook.setBalance("100.00");
        brook.setAging1("100.00");
        testsupport::AddRecords(w.engine,
                                records::RecordTypeOf(records::RecordKind::Customer).Describe("1"),
                                std::vector{ames, brook});
        const auto add = [&](const records::CustomerRecord& customer, const char* number,
                             base::Date date, const char* price, const char* type) {
            testsupport::SampleInvoice invoice =
                testsupport::SampleProductInvoice(w.state.currentCompany, customer, number, date,
                                                  {{"P1", "1", "Service", price, false}});
            invoice.header.setTypeCode(type);
            if (*type == 'R') {
                invoice.header.setBalanceDue("0.00");
                invoice.header.setRepeatUnit("M");
                invoice.header.setRepeatInterval("1");
                invoice.header.setGeneratedCount("0");
                invoice.header.setNextDueDate("03/01/2024");
                for (auto& line : invoice.lines) line.setKind("R");
            }
            testsupport::AddInvoice(w.engine, "1", invoice);
        };
        add(ames, "1001", {2023, 11, 1}, "200", "I");
        add(ames, "1002", {2024, 1, 1}, "50", "R");
        add(brook, "1003", {2024, 2, 20}, "100", "I");
    }

    std::vector<std::string> Numbers() {
        std::vector<std::string> numbers;
        for (const auto& r : testsupport::StoredRecords<records::InvoiceRecord>(
                 w.engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe("1"),
                 w.prompts, 1))
            numbers.push_back(r.invoiceNumber());
        return numbers;
    }

    testsupport::TestWindowContext w;
};

TEST_F(BillingWizardsTest, RepeatWizardSearchesAndCreatesByKeys) {
    TSelectRepeat wizard({w.engine, w.prompts, w.state, w.clock, w.context.showHelp});
    ThenInModal(wizard, [&] {
        EXPECT_EQ(Find<QLineEdit>(wizard, "EndDate").text(), "03/05/2024");
        EXPECT_EQ(Find<QLabel>(wizard, "StatusLabel").text(),
                  "Last generated invoices were dated: ");
        EXPECT_FALSE(Find<QPushButton>(wizard, "CreateBtn").isEnabled());
        testsupport::Activate(wizard);
        QTest::keyClick(Focused(), Qt::Key_Return);  // "&Search" is the default button
        const auto& list = Find<QListWidget>(wizard, "RepeatList");
        ASSERT_EQ(list.count(), 1);
        EXPECT_EQ(list.item(0)->text().toStdString(),
                  "1002      AMES HARDW         50.00 03/01/2024 A1            0");
        EXPECT_EQ(Find<QLabel>(wizard, "StatusLabel").text(),
                  "There are 1 invoices selected totaling 50.00.");
        testsupport::SavePicture(wizard, "RepeatBillingWizard");
        w.prompts.ExpectInform(kRepeatBillingsCaption,
                               "1 invoices were generated. 1 Monthly Setups and 0 Daily Setups.");
        Find<QPushButton>(wizard, "CreateBtn").setFocus();
        QTest::keyClick(Focused(), Qt::Key_Space);
        EXPECT_EQ(Find<QLabel>(wizard, "StatusLabel").text(), "Complete.");
        EXPECT_FALSE(Find<QPushButton>(wizard, "CreateBtn").isEnabled());
        QTest::keyClick(Focused(), Qt::Key_Escape);
    });
    wizard.Execute();
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1001", "1002", "1002G1", "1003"}));
}

TEST_F(BillingWizardsTest, InterestWizardScansAndGeneratesByKeys) {
    std::vector<QString> statuses;
    TInterestWiz wizard({w.engine, w.prompts, w.state, w.clock, w.printer, w.context.showHelp,
                         [&statuses](const QString& text) { statuses.push_back(text); }});
    ThenInModal(wizard, [&] {
        EXPECT_EQ(Find<QLineEdit>(wizard, "IPct").text(), "1.50");
        EXPECT_EQ(Find<QLabel>(wizard, "Label3").text(),
                  "Enter above options then select scan button...");
        EXPECT_FALSE(Find<QPushButton>(wizard, "GenInv").isEnabled());
        testsupport::Activate(wizard);
        QTest::keyClick(Focused(), Qt::Key_Return);  // "Scan File" is the default button
        const auto& grid = Find<QTableWidget>(wizard, "CustGrid");
        ASSERT_EQ(grid.rowCount(), 2);
        EXPECT_EQ(grid.item(0, 1)->text(), "A1");
        EXPECT_EQ(grid.item(0, 3)->text(), "3.00");
        EXPECT_EQ(grid.item(1, 0)->text(), "Totals:");
        EXPECT_EQ(Find<QLabel>(wizard, "Label3").text(),
                  "1 found. Complete data below then select generate button...");
        testsupport::SavePicture(wizard, "InterestWizard");
        // A changed setting takes the scanned charges back.
        QTest::keyClick(&Find<QLineEdit>(wizard, "IPct"), Qt::Key_5);
        EXPECT_FALSE(Find<QPushButton>(wizard, "GenInv").isEnabled());
        QTest::keyClick(&Find<QLineEdit>(wizard, "IPct"), Qt::Key_Backspace);
        QTest::keyClick(Focused(), Qt::Key_Return);
        ASSERT_TRUE(Find<QPushButton>(wizard, "GenInv").isEnabled());
        w.prompts.ExpectYesNo("Operation Complete",
                              "1 invoices were created. Would you like to send a report to the "
                              "printer?",
                              false);
        Find<QPushButton>(wizard, "GenInv").setFocus();
        QTest::keyClick(Focused(), Qt::Key_Space);
    });
    wizard.Execute();
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1001", "1002", "1003", "1010I"}));
    EXPECT_EQ(statuses, std::vector<QString>{"Ready."});
}

TEST_F(BillingWizardsTest, InterestWizardAsksBeforeChargingADateAgain) {
    w.state.currentCompany.setLastInterestRunDate("03/05/2024");
    TInterestWiz wizard({w.engine, w.prompts, w.state, w.clock, w.printer, w.context.showHelp,
                         [](const QString&) {}});
    ThenInModal(wizard, [&] {
        EXPECT_EQ(Find<QLabel>(wizard, "LastRun").text(), "Last Interest Invoices: 03/05/2024");
        testsupport::Activate(wizard);
        QTest::keyClick(Focused(), Qt::Key_Return);
        w.prompts.ExpectMessage(kInterestCaption,
                                "Interest invoices dated 03/05/2024 were already generated. "
                                "Generate them again?",
                                base::PromptAnswer::No);
        Find<QPushButton>(wizard, "GenInv").setFocus();
        QTest::keyClick(Focused(), Qt::Key_Space);
        EXPECT_TRUE(wizard.isVisible());
        QTest::keyClick(Focused(), Qt::Key_Escape);
    });
    wizard.Execute();
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1001", "1002", "1003"}));
}

}  // namespace
}  // namespace invoicing::ui

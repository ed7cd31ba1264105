// The aging run as the program installs it: the daily run at start-up, the "&Aging Chart" command
// and the chart it fills, over real company, customer and invoice files.
#include <QFrame>
#include <QToolButton>

#include "ShellFixture.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"
#include "shell/ui/AgingChartPanel.h"
#include "shell/ui/AgingRunner.h"
#include "shell/ui/MainWindow.h"
#include "support/ui/WindowDriving.h"

namespace shelltest {
namespace {

using testsupport::StoredCompany;

class AgingChart : public ShellTest {
protected:
    // Company 1 ages 30/60/90 and last aged long ago; customer A1 owes one item in each category.
    shell::ui::TMainForm& Started(const char* receivablesTotal, bool openItems = true) {
        records::CompanyRecord company = testsupport::SampleCompany("1", "Acme Supply");
        company.setAgingDays1("30");
        company.setAgingDays2("60");
        company.setAgingDays3("90");
        company.setAgingCaption1(" Current");
        company.setAgingCaption2("31-60:");
        company.setAgingCaption3("61-90:");
        company.setReceivablesTotal(receivablesTotal);
        company.setLastAgingDate("01/01/2026");
        company.setShowAgingChart(false);
        MakeDataFolder(company);
        records::CustomerRecord customer = testsupport::SampleCustomer("A1", "Ames Hardware");
        customer.setBalance("5.00");
        testsupport::AddRecords(engine,
                                records::RecordTypeOf(records::RecordKind::Customer).Describe("1"),
                                std::vector<records::CustomerRecord>{customer});
        std::vector<records::InvoiceRecord> items;
        for (const auto& [daysOld, balance] :
             {std::pair{10L, "1000.00"}, {45L, "200.00"}, {75L, "100.00"}, {100L, "50.00"}}) {
            if (!openItems) break;
            const base::Date date = base::AddDays(clock.Today(), -daysOld);
            records::InvoiceRecord item;
            item.setInvoiceNumber(std::to_string(items.size() + 1));
            item.setTypeCode(records::type::kRegularInvoice);
            item.setCustomerNumber("A1");
            item.setDocumentDate(base::FormatDate(date, base::DateOrder::MonthFirst), date);
            item.setBalanceDue(balance);
            items.push_back(item);
        }
        testsupport::AddRecords(
            engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe("1"), items);
        auto& w = NewMainWindow();
        w.InstallAgingRun([&w](company::ProgramState& state, bool forceChart) {
            shell::ui::RunAgingWithChart(w.context(), w.agingChart(), state, forceChart);
        });
        EXPECT_TRUE(w.FormCreate());
        w.show();
        EXPECT_TRUE(w.FormShow());
        return w;
    }
};

TEST_F(AgingChart, TheDailyRunAgesQuietlyAndTheCommandShowsTheChart) {
    auto& w = Started("5.00");
    EXPECT_FALSE(w.agingChart().isVisible());
    EXPECT_EQ(StoredCompany("1")->receivablesTotal(), "1350.00");
    EXPECT_EQ(StoredCompany("1")->lastAgingDate(), "03/09/2026");

    testsupport::Trigger(w, "AgingChart1");
    shell::ui::AgingChartPanel& chart = w.agingChart();
    ASSERT_TRUE(chart.isVisible());
    EXPECT_EQ(chart.toolTip(), "Total A/R: 1,350.00");
    const QString hints[] = {"Current 1,000.00", "31-60: 200.00", "61-90: 100.00",
                             "Over 90 Days: 50.00"};
    int top = chart.bar(1).y();
    for (int category = 1; category <= 4; ++category) {
        SCOPED_TRACE(category);
        EXPECT_EQ(chart.bar(category).toolTip(), hints[category - 1]);
        EXPECT_EQ(chart.bar(category).y(), top);  // stacked downwards from the frame's top
        top += chart.bar(category).height();
    }
    EXPECT_GT(chart.bar(1).height(), chart.bar(2).height());
    EXPECT_EQ(w.StatusText(), "Hold mouse over color to see aging amount...");

    prompts.ExpectInform("Aging Chart", "The Aging Chart is currently showing.");
    testsupport::Trigger(w, "AgingChart1");
    prompts.Verify();

    testsupport::Find<QToolButton>(chart, "SpeedButton1").click();
    EXPECT_FALSE(chart.isVisible());
    EXPECT_EQ(w.StatusText(), "Ready.");
}

TEST_F(AgingChart, AZeroTotalIsStillAgedDailyAndTheCommandSaysThereIsNothingOpen) {
    // The customer's stale balance is put right although the company total read zero.
    auto& w = Started("0.00", false);
    EXPECT_EQ(StoredCompany("1")->lastAgingDate(), "03/09/2026");
    EXPECT_EQ(StoredCompany("1")->receivablesTotal(), "0.00");
    prompts.ExpectInform("Aging Chart", "You do not have any open invoices.");
    testsupport::Trigger(w, "AgingChart1");
    prompts.Verify();
    EXPECT_FALSE(w.agingChart().isVisible());
}

}  // namespace
}  // namespace shelltest

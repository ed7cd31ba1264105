// The Report Wizard and its output window driven by keys over the posted company: a report chosen
// and its dates typed, View, the grid with its totals, sub-totals switched off and a column
// double-clicked. The reports and their rules are tested without windows in tests/statements.
#include "statements/ui/ReportWizard.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include "statements/PostedCompany.h"
#include "support/RecordingCanvas.h"
#include "support/ui/WindowDriving.h"

namespace statements::testing {
namespace {

using testsupport::Activate;
using testsupport::Find;
using testsupport::ThenInModal;

class ReportWindowTest : public PostedCompany {
protected:
    ReportWindowTest() {
        state.currentCompany = Company();
        state.ApplyDateFormat(clock);
    }

    ui::TRptSelect wizard{{engine, prompts, clock, state, [this](bool) { return canvas; },
                           [this](const QString& topic) { topics.push_back(topic); }}};
    std::shared_ptr<testsupport::RecordingCanvas> canvas =
        std::make_shared<testsupport::RecordingCanvas>();
    std::vector<QString> topics;
};

void TypeDate(QWidget& box, const char* digits) {
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&box, digits);
}

TEST_F(ReportWindowTest, AReportChosenAndDatedByKeysOpensInTheGrid) {
    ui::Trtreport& output = wizard.output();
    ThenInModal(wizard, [&] {
        Activate(wizard);
        auto& list = Find<QListWidget>(wizard, "ListBox1");
        EXPECT_EQ(list.count(), 7);
        EXPECT_TRUE(list.hasFocus());
        // Down to "Accounts Receivable": the dates give way to "Searches all dates...".
        QTest::keyClick(&list, Qt::Key_Down);
        QTest::keyClick(&list, Qt::Key_Down);
        EXPECT_EQ(Find<QLabel>(wizard, "FromLabel").text(), "Searches all dates...");
        EXPECT_FALSE(Find<QLineEdit>(wizard, "IDate").isVisible());
        QTest::keyClick(&list, Qt::Key_Home);
        EXPECT_TRUE(Find<QLabel>(wizard, "RType").text().startsWith("Lists all invoices created"));
        EXPECT_EQ(Find<QLineEdit>(wizard, "IDate").text(), "12/01/2026");  // "Month to Date"

        QTest::keyClick(&list, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        auto& from = Find<QLineEdit>(wizard, "IDate");
        ASSERT_TRUE(from.hasFocus());
        TypeDate(from, "11012026");
        QTest::keyClick(&from, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        auto& to = Find<QLineEdit>(wizard, "EndDt");
        ASSERT_TRUE(to.hasFocus());
        TypeDate(to, "12312026");
        EXPECT_EQ(Find<QComboBox>(wizard, "ComboBox1").currentText(), "Custom Dates");

        ThenInModal(output, [&] {
            EXPECT_EQ(output.windowTitle(), "Invoice Register");
            EXPECT_EQ(Find<QLabel>(output, "Head3").text(),
                      "Selected records from 11/01/2026 to 12/31/2026");
            auto& grid = Find<QTableView>(output, "RptGrid");
            // Six invoices on six days, two months, and the grand total.
            EXPECT_EQ(grid.model()->rowCount(), 6 + 6 + 2 + 1);
            EXPECT_EQ(grid.model()->headerData(4, Qt::Horizontal).toString(), "Net Amount");
            const int last = grid.model()->rowCount() - 1;
            EXPECT_EQ(grid.model()->index(last, 3).data().toString(), "Grand Total");
            EXPECT_EQ(grid.model()->index(last, 6).data().toString(), "314.00");

            Activate(output);
            // A mnemonic clicks its button a moment later, as the user sees it pressed.
            QTest::keyClick(&output, Qt::Key_S, Qt::AltModifier);
            auto& subtotals = Find<QCheckBox>(output, "stotals");
            EXPECT_TRUE(QTest::qWaitFor([&] { return !subtotals.isChecked(); }));
            EXPECT_EQ(grid.model()->rowCount(), 6 + 1);
            output.RptGridDblClick(3);
            EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), "Customer#");
            output.RptGridDblClick(5);  // beyond the columns this report orders by
            EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), "Customer#");

            prompts.ExpectPrint(true, "Invoice Register");
            QTest::keyClick(&output, Qt::Key_P, Qt::AltModifier);
            auto& status = Find<QLabel>(output, "StatusLine");
            EXPECT_TRUE(QTest::qWaitFor([&] { return !status.text().isEmpty(); }));
            EXPECT_EQ(status.text(), "Report Complete. 6 records printed.");
            QTest::keyClick(&output, Qt::Key_Escape);
        });
        QTest::keyClick(&to, Qt::Key_Return);
        QTest::keyClick(&wizard, Qt::Key_Escape);
    });
    wizard.Execute();
    EXPECT_EQ(canvas->documents(), (std::vector<std::string>{"Invoice Register"}));
}

TEST_F(ReportWindowTest, ARefusedDateKeepsTheWizardOpenOnItsBox) {
    ThenInModal(wizard, [&] {
        Activate(wizard);
        auto& from = Find<QLineEdit>(wizard, "IDate");
        TypeDate(from, "13012026");
        prompts.ExpectWarn("FROM Date",
                           "You have an invalid beginning date. You can clear the date and then "
                           "select the calendar button.");
        testsupport::Click(wizard, "Button1");
        EXPECT_TRUE(from.hasFocus());
        Activate(wizard);
        QTest::keyClick(&wizard, Qt::Key_F1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !topics.empty(); }));
        EXPECT_EQ(topics, (std::vector<QString>{"ReportWizard"}));
        testsupport::Click(wizard, "CancelBut");
    });
    wizard.Execute();
}

}  // namespace
}  // namespace statements::testing

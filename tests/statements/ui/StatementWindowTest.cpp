// The statement window's wiring: the statement of the customer handed in, the unpaid-only box
// rebuilding it, the output button printing it; a customer without records never opens it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "base/Text.h"
#include "mail/MailConnection.h"
#include "statements/StatementFixture.h"
#include "statements/ui/BatchStatementDialog.h"
#include "statements/ui/StatementCommands.h"
#include "statements/ui/StatementSelectionDialog.h"
#include "statements/ui/StatementWindow.h"
#include "support/ui/WindowDriving.h"
#include "widgets/StatusWindow.h"

namespace statements::ui {
namespace {

using testsupport::Find;
using testsupport::ThenInModal;

class StatementWindowTest : public testing::StatementFixture {
protected:
    StatementWindowTest() {
        AddItems({Item("A1", "1001", "I", "2026/10/01", "120.00", "0.00", "120.00", "PO 4471"),
                  Item("A1", "1002", "I", "2026/10/05", "80.00", "80.00", "0.00")});
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
    }

    QString Cell(int row, int column) {
        QTableWidgetItem* item = Find<QTableWidget>(window, "SGrid").item(row, column);
        return item ? item->text() : QString();
    }
    QString Status() { return Find<QStatusBar>(window, "StatusBar1").currentMessage(); }

    std::string pdf = (std::filesystem::current_path() / "statement.pdf").string();
    QPrinter printer;
    widgets::TStatForm statusWindow;
    mail::MailConnection mail{prompts, clock};
    std::vector<QString> topics;
    StatementServices services{
        engine,  prompts, clock,        state,
        printer, mail,    statusWindow, [this](const QString& t) { topics.push_back(t); }};
    TStment window{services};
};

TEST_F(StatementWindowTest, ShowsTheStatementSwitchesToUnpaidAndPrintsByKeys) {
    ThenInModal(window, [&] {
        EXPECT_EQ(window.windowTitle(), "Customer Statement");
        EXPECT_EQ(Find<QLabel>(window, "CustName").text(), "Ames Hardware");
        EXPECT_EQ(Find<QLabel>(window, "CustNumber").text(), "A1");
        EXPECT_EQ(Find<QPushButton>(window, "PrinStButn").text(), "&Print");
        EXPECT_EQ(Find<QTableWidget>(window, "SGrid").rowCount(), 3);
        EXPECT_EQ(Cell(0, 2), "PO 4471");
        EXPECT_EQ(Cell(2, 2), "*** Account Totals:");
        EXPECT_EQ(Cell(2, 3), "200.00");
        EXPECT_EQ(Status(), "There are 2 records selected.");

        testsupport::Activate(window);
        // A button's mnemonic clicks it once its press has been shown.
        QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return Find<QCheckBox>(window, "CheckBox1").isChecked(); }));
        EXPECT_EQ(Find<QTableWidget>(window, "SGrid").rowCount(), 2);
        EXPECT_EQ(Status(), "There are 1 records selected.");

        prompts.ExpectPrint(true, "Statement - Ames Hardware");
        QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Status().endsWith("sent to print queue."); }));
        EXPECT_EQ(Status(), "Statement for Ames Hardware sent to print queue.");
        QTest::keyClick(&window, Qt::Key_H, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !topics.empty(); }));
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }));
    });
    window.Execute(Customers(), Customer("A1"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(topics, (std::vector<QString>{"ViewStatement"}));
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
}

TEST_F(StatementWindowTest, EMailModeNamesItselfAndItsButton) {
    state.defaultOutput = company::PrintedOutput::EMail;
    ThenInModal(window, [&] {
        EXPECT_EQ(window.windowTitle(), "Customer Statement - (E-Mail Mode)");
        EXPECT_EQ(Find<QPushButton>(window, "PrinStButn").text(), "&E-Mail");
        window.accept();
    });
    window.Execute(Customers(), Customer("A1"));
}

TEST_F(StatementWindowTest, ACustomerWithoutRecordsNeverOpensTheWindow) {
    prompts.ExpectInform("\nCustomer: Brook Ltd", kNoActivityText);
    window.Execute(Customers(), Customer("B2"));
    EXPECT_FALSE(window.isVisible());
}

// Batch Print: the selection, the batch dialog, the print dialog, the run, the manager's status.
TEST_F(StatementWindowTest, BatchPrintRunsThroughItsDialogs) {
    records::CustomerRecord owing = Customer("A1");
    owing.setBalance("120.00");
    owing.setAging3("120.00");
    auto& customers = Customers();
    auto found = receivables::FindCustomerIn(customers, "A1");
    ASSERT_TRUE(found);
    ASSERT_TRUE(receivables::Written(customers.Update(found->recordNumber, owing, found->record)));
    StatementCommands commands(services, nullptr);
    std::vector<std::string> statuses;
    ThenInModal(commands.selection(), [&] {
        Find<QRadioButton>(commands.selection(), "RBover60").setChecked(true);
        ThenInModal(commands.batch(), [&] {
            EXPECT_EQ(Find<QLabel>(commands.batch(), "CountLabel").text(),
                      "There are 1 statements to be printed.");
            QTest::keyClick(&Find<QLineEdit>(commands.batch(), "EMBNum"), Qt::Key_Return);
        });
        testsupport::Click(commands.selection(), "OKBtn");
    });
    prompts.ExpectPrint(true, "Statement - Ames Hardware");
    commands.BatchPrint(customers, [&](std::string_view s) { statuses.emplace_back(s); });
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(statuses.back(), "Batch Print complete. 1 statements sent to spooler.");
    EXPECT_EQ(base::Trim(state.currentCompany.lastStatementRunDate()), "12/06/2026");
}

}  // namespace
}  // namespace statements::ui

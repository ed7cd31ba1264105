// The Customer Manager window over its flow: keys, menus and the list reach the commands, a pick
// goes back through the program state, and the list and find windows get what they need. The
// rules themselves are tested without a window in tests/customers/CustomerManagerFlowTest.
#include "customers/ui/CustomerManager.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

#include "company/PaymentTerms.h"
#include "customers/ui/CustomerDialog.h"
#include "records/RecordTypes.h"
#include "support/RecordingCanvas.h"
#include "support/Samples.h"
#include "support/ui/TestWindowContext.h"
#include "support/ui/WindowDriving.h"
#include "widgets/DataBrowser.h"
#include "widgets/FindBox.h"
#include "widgets/ListWindow.h"

namespace customers::ui {
namespace {

using records::CustomerRecord;
using testsupport::Activate;
using testsupport::Find;
using testsupport::ThenInModal;
using testsupport::Trigger;

engine::FileDescription FileOf(records::RecordKind kind) {
    return records::RecordTypeOf(kind).Describe("1");
}

class CustomerManagerTest : public ::testing::Test {
protected:
    CustomerManagerTest() {
        w.state.currentCompany = testsupport::SampleCompany("1", "Acme Supply Co");
        w.state.currentCompany.setNextCustomerNumber("100");
        testsupport::AddCompanies({w.state.currentCompany});
    }

    void Customers(const std::vector<CustomerRecord>& customers) {
        testsupport::AddRecords(w.engine, FileOf(records::RecordKind::Customer), customers);
    }

    QString Text(const char* label) { return Find<QLabel>(manager_, label).text(); }
    // The number column of the current row.
    QString CurrentNumber() {
        const widgets::TFvcBrowser& b = manager_.browser();
        return QString::fromStdString(b.rows().at(b.currentRow()).text).mid(36, 8).trimmed();
    }
    void GoTo(const char* name) {
        CustomerRecord key;
        key.setName(name);
        manager_.browser().PositionAtKey(key.key(1));
    }
    // A menu command by keyboard: Alt and the menu's letter, then the item's letter.
    void Command(Qt::Key menu, Qt::Key item) {
        Activate(manager_);
        QTest::keyClick(&manager_, menu, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        QTest::keyClick(popup, item);
    }

    testsupport::TestWindowContext w;
    widgets::TFindBox findBox_{w.engine, w.prompts, w.context.showHelp};
    widgets::TListWindow listWindow_{
        w.prompts, [] { return std::make_shared<testsupport::RecordingCanvas>(); }};
    TEditDlg dialog_{{company::PaymentTermsIn(w.files), w.state, w.context.showHelp}};
    TDemoForm manager_{{w.engine, w.prompts, w.clock, w.state, w.printer, w.statusWindow, findBox_,
                        listWindow_, w.context.showHelp},
                       dialog_};
};

TEST_F(CustomerManagerTest, AddTwoFindOneEditItAndDeleteTheOtherByKeyboard) {
    ASSERT_TRUE(company::SavePaymentTerms(w.files, {"Net 30 Days"}));
    w.prompts.ExpectInform("New Company",
                           "I am going to create a new, empty customer file for this company.");
    const auto typeNew = [&](const char* name) {
        ThenInModal(dialog_, [&, name] {
            Activate(dialog_);
            EXPECT_EQ(dialog_.windowTitle(), "Add Customer");
            QTest::keyClick(dialog_.focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(dialog_.focusWidget(), name);
            QTest::keyClick(dialog_.focusWidget(), Qt::Key_Return);
        });
        Command(Qt::Key_C, Qt::Key_N);
    };
    ThenInModal(manager_, [&] {
        EXPECT_EQ(manager_.windowTitle(), "Customer Manager");
        EXPECT_EQ(Text("HintPanel"), "Right-click mouse or select from menu bar.");
        typeNew("Baker Bros");
        typeNew("Able Co");
        EXPECT_EQ(Text("CountPanel"), "Customers: 2");

        ThenInModal(findBox_, [&] {
            Activate(findBox_);
            EXPECT_EQ(findBox_.windowTitle(), "Find Customer");
            QTest::keyClicks(findBox_.focusWidget(), "baker");
            QTest::keyClick(findBox_.focusWidget(), Qt::Key_Return);
            QTest::keyClick(&Find<QTreeWidget>(findBox_, "ListView1"), Qt::Key_Down);
            // A button's accelerator clicks it a moment later, as a user sees it pressed.
            QTest::keyClick(&findBox_, Qt::Key_E, Qt::AltModifier);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !findBox_.isVisible(); }));
        });
        Command(Qt::Key_C, Qt::Key_F);
        EXPECT_EQ(CurrentNumber(), "100");

        ThenInModal(dialog_, [&] {
            Activate(dialog_);
            EXPECT_EQ(dialog_.windowTitle(), "Edit Customer");
            QTest::keyClick(&dialog_, Qt::Key_P, Qt::AltModifier);
            QTest::keyClicks(dialog_.focusWidget(), "555-0100");
            QTest::keyClick(dialog_.focusWidget(), Qt::Key_Return);
        });
        Command(Qt::Key_C, Qt::Key_E);

        QTest::keyClick(&manager_.browser(), Qt::Key_A);  // upper-cased for the name key
        EXPECT_EQ(CurrentNumber(), "101");
        w.prompts.ExpectInform("New Company",
                               "I am going to create a new, empty invoice file for this company.");
        w.prompts.ExpectYesNo("Delete Customer#: 101",
                              "Are you sure you want to delete this customer?", true);
        QTest::keyClick(&manager_.browser(), Qt::Key_Delete);
        EXPECT_EQ(Text("CountPanel"), "Customers: 1");
        QTest::keyClick(&manager_, Qt::Key_Escape);
    });
    EXPECT_FALSE(manager_.Execute().picked);

    const std::vector<CustomerRecord> customers = testsupport::StoredRecords<CustomerRecord>(
        w.engine, FileOf(records::RecordKind::Customer), w.prompts);
    ASSERT_EQ(customers.size(), 1u);
    EXPECT_EQ((std::vector<std::string>{customers[0].name(), customers[0].shortName(),
                                        customers[0].phone1(), customers[0].terms()}),
              (std::vector<std::string>{"Baker Bros", "BBros", "555-0100", "Net 30 Days"}));
    EXPECT_EQ(w.state.currentCompany.nextCustomerNumber(), "102");
}

TEST_F(CustomerManagerTest, TheOrderKeepsTheCustomerAndLastsAndTheCaptionFollowsTheOutput) {
    Customers({testsupport::SampleCustomer("300", "Able"),
               testsupport::SampleCustomer("100", "Baker"),
               testsupport::SampleCustomer("200", "Carter")});
    ThenInModal(manager_, [&] {
        EXPECT_EQ(manager_.windowTitle(), "Customer Manager");
        EXPECT_EQ(CurrentNumber(), "300");
        EXPECT_TRUE(Find<QAction>(manager_, "ByNameItem").isChecked());
        GoTo("Carter");
        Trigger(manager_, "ByNumberItem");
        EXPECT_EQ(CurrentNumber(), "200");
        EXPECT_FALSE(Find<QAction>(manager_, "ByNameItem").isChecked());
        manager_.reject();
    });
    manager_.Execute();
    w.state.defaultOutput = company::PrintedOutput::EMail;
    ThenInModal(manager_, [&] {
        EXPECT_EQ(manager_.windowTitle(), "Customer Manager - (E-Mail Mode)");
        EXPECT_TRUE(Find<QAction>(manager_, "ByNumberItem").isChecked());
        EXPECT_EQ(CurrentNumber(), "100");
        manager_.reject();
    });
    manager_.Execute();
}

TEST_F(CustomerManagerTest, EnterOrDoubleClickPicksTheCustomerInEveryUse) {
    Customers({testsupport::SampleCustomer("300", "Able"),
               testsupport::SampleCustomer("100", "Baker"),
               testsupport::SampleCustomer("200", "Carter")});
    CustomerRecord beyondTheLast;
    beyondTheLast.setName("Zeta");
    // Each visit moves one row down from where it starts, then presses Enter.
    const struct {
        CustomerManagerUse use;
        CustomerRecord picked;
        bool searchFails;
        const char* hint;
        const char* start;
        const char* chosen;
    } cases[] = {
        {CustomerManagerUse::Browse, testsupport::SampleCustomer("200", "Carter"), false,
         "Right-click mouse or select from menu bar.", "300", "100"},
        {CustomerManagerUse::SelectPicked, testsupport::SampleCustomer("100", "Baker"), false,
         "Double-click or press <enter> to select.", "100", "200"},
        {CustomerManagerUse::SelectPicked, beyondTheLast, true,
         "Double-click or press <enter> to select.", "300", "100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        w.state.pickedCustomer = c.picked;
        if (c.searchFails)
            w.prompts.ExpectMessage("KT Invorra Pro", "Customer Search operation failed",
                                    base::PromptAnswer::Ok, base::PromptIcon::Error);
        ThenInModal(manager_, [&] {
            EXPECT_EQ(Text("HintPanel"), c.hint);
            EXPECT_EQ(CurrentNumber(), c.start);
            QTest::keyClick(&manager_.browser(), Qt::Key_Down);
            QTest::keyClick(&manager_.browser(), Qt::Key_Return);
        });
        EXPECT_TRUE(manager_.Execute(c.use).picked);
        ASSERT_TRUE(w.state.pickedCustomer);
        EXPECT_EQ(w.state.pickedCustomer->number(), c.chosen);
    }
    // A double click picks as Enter does.
    ThenInModal(manager_, [&] {
        QTest::mouseDClick(manager_.browser().viewport(), Qt::LeftButton, {},
                           QPoint(20, manager_.browser().rowHeight() * 3 / 2));
    });
    EXPECT_TRUE(manager_.Execute().picked);
}

TEST_F(CustomerManagerTest, TheListReportReachesTheListWindow) {
    Customers({testsupport::SampleCustomer("100", "Baker")});
    w.prompts
        .ExpectMessage("Customer List",
                       "Do you want to include the customer addresses on this list?",
                       base::PromptAnswer::No)
        .ExpectMessage(
            "Customer Sort",
            "Customers will be sorted by name. Would you rather sort by customer number?",
            base::PromptAnswer::Yes);
    ThenInModal(manager_, [&] {
        ThenInModal(listWindow_, [&] {
            EXPECT_EQ(listWindow_.windowTitle(), "Customer List by Number");
            EXPECT_NE(listWindow_.text().find("Customer List for Acme Supply Co"),
                      std::string::npos);
            EXPECT_NE(listWindow_.text().find("Baker"), std::string::npos);
            listWindow_.reject();
        });
        Trigger(manager_, "ListItem");
        manager_.reject();
    });
    manager_.Execute();
}

TEST_F(CustomerManagerTest, QueueingAndEnvelopesReportInTheStatusBar) {
    Customers({testsupport::SampleCustomer("100", "Baker")});
    const QString pdf = QString::fromStdString((w.dir.path() / "envelope.pdf").string());
    w.printer.setOutputFormat(QPrinter::PdfFormat);
    w.printer.setOutputFileName(pdf);
    // Whether the printed page lies on its side, from the page box of the file written.
    const auto printedLandscape = [&] {
        QFile file(pdf);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const auto box = QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])")
                             .match(QString::fromLatin1(file.readAll()));
        EXPECT_TRUE(box.hasMatch());
        return box.captured(1).toDouble() > box.captured(2).toDouble();
    };
    ThenInModal(manager_, [&] {
        Trigger(manager_, "LabelQueueItem");
        EXPECT_EQ(Text("HintPanel"), "Baker added to label queue.");
        EXPECT_EQ(w.state.printQueue.size(), 1u);
        EXPECT_TRUE(w.state.printQueue.pending());
        for (const char* orientation : {"L", "P"}) {
            SCOPED_TRACE(orientation);
            w.state.currentCompany.setEnvelopeOrientation(orientation);
            Trigger(manager_, "EnvelopeBtn");
            EXPECT_EQ(Text("HintPanel"), "Envelope for Baker sent to printer.");
            EXPECT_EQ(printedLandscape(), orientation == std::string("L"));
            EXPECT_EQ(w.printer.pageLayout().orientation(), QPageLayout::Portrait);
        }
        manager_.reject();
    });
    manager_.Execute();
}

// The statement commands stay disabled until they are handed in; then the view command and its
// keys reach them with the selected customer and the manager's open file, and the batch writes
// into the status line.
TEST_F(CustomerManagerTest, StatementCommandsReachTheStatementsWithTheSelectedCustomer) {
    Customers(
        {testsupport::SampleCustomer("100", "Baker"), testsupport::SampleCustomer("200", "Cole")});
    std::vector<std::string> shown;
    ThenInModal(manager_, [&] {
        for (const char* name : {"ViewStatementItem", "StatementItem", "BatchPrintItem"})
            EXPECT_FALSE(Find<QAction>(manager_, name).isEnabled()) << name;
        manager_.reject();
    });
    manager_.Execute();

    manager_.SetStatementCommands(
        {[&](CustomerStatementCommands::CustomerFile& customers, const CustomerRecord& customer) {
             EXPECT_TRUE(customers.IsOpen());
             shown.push_back(customer.number());
         },
         [&](CustomerStatementCommands::CustomerFile&, const auto& setStatus) {
             setStatus("Batch Print complete. 2 statements sent to spooler.");
         }});
    ThenInModal(manager_, [&] {
        GoTo("Cole");
        Command(Qt::Key_S, Qt::Key_V);
        Trigger(manager_, "StatementBtn");
        Trigger(manager_, "BatchPrintBtn");
        EXPECT_EQ(Text("HintPanel"), "Batch Print complete. 2 statements sent to spooler.");
        manager_.reject();
    });
    manager_.Execute();
    EXPECT_EQ(shown, (std::vector<std::string>{"200", "200"}));
}

}  // namespace
}  // namespace customers::ui

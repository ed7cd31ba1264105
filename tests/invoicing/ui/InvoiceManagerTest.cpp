// The Invoice Manager window over its flow: the display orders, damaged rows, the customer filter,
// the quick view and delete reach the list and the files. The guards and the posting themselves
// are tested without a window in tests/invoicing.
#include "invoicing/ui/InvoiceManager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "InvoiceManagerWindows.h"
#include "invoicing/ui/BatchPrintDialog.h"
#include "invoicing/ui/RepeatSetupDialog.h"
#include "records/RecordTypes.h"
#include "support/Samples.h"
#include "support/ui/WindowDriving.h"
#include "widgets/DataBrowser.h"

namespace invoicing::ui {
namespace {

using testsupport::Find;
using testsupport::ThenInModal;
using testsupport::Trigger;
using Numbers = std::vector<std::string>;

struct Stock {
    const char* number;
    const char* customer;
    base::Date date;
    const char* type;
    const char* keyCode;
    const char* total;
    const char* paid;
    const char* due;
};

// Added in this order; A1 owes 100 + 20 + 20.
constexpr Stock kStock[] = {
    {"1001", "A1", {2024, 1, 10}, "I", "ZETA", "100.00", "0.00", "100.00"},
    {"1002", "B2", {2024, 2, 10}, "I", "ALPHA", "40.00", "40.00", "0.00"},
    {"1003", "A1", {2024, 3, 1}, "Z", "MID", "50.00", "0.00", "20.00"},
    {"0999", "B2", {2024, 3, 4}, "R", "REP", "75.00", "0.00", "0.00"},
    {"1004", "A1", {2023, 12, 1}, "I", "KC", "30.00", "10.00", "20.00"},
    {"1005", "A1", {2024, 3, 5}, "I", "None", "", "0.00", "0.00"},  // damaged: no total
};

class InvoiceManagerTest : public ::testing::Test {
protected:
    InvoiceManagerTest() {
        records::CompanyRecord company = testsupport::SampleCompany("1", "Acme Supply Co");
        company.setLastInvoiceNumber("1003");
        company.setReceivablesTotal("140.00");
        testsupport::AddCompanies({company});
        w.state.currentCompany = *testsupport::StoredCompany("1");
        records::CustomerRecord ames = testsupport::SampleCustomer("A1", "Ames Hardware");
        ames.setBalance("140.00");
        ames.setAging4("140.00");
        const records::CustomerRecord brook = testsupport::SampleCustomer("B2", "Brook Ltd");
        testsupport::AddRecords(w.engine,
                                records::RecordTypeOf(records::RecordKind::Customer).Describe("1"),
                                std::vector{ames, brook});
        for (const Stock& s : kStock) {
            testsupport::SampleInvoice invoice = testsupport::SampleProductInvoice(
                w.state.currentCompany, s.customer[0] == 'A' ? ames : brook, s.number, s.date,
                {{"P1", "1", "Widget", "1", false}});
            records::InvoiceRecord& h = invoice.header;
            h.setTypeCode(s.type);
            h.setKeyCode(s.keyCode);
            h.setTotal(s.total);
            h.setPaid(s.paid);
            h.setBalanceDue(s.due);
            if (std::string(s.due) == "0.00" && std::string(s.paid) != "0.00") {
                h.setPaidFlag("P");
                h.setDatePaid("2024/02/20");
            }
            testsupport::AddInvoice(w.engine, "1", invoice);
        }
    }

    // The invoice numbers of the rows shown.
    Numbers Rows() {
        Numbers numbers;
        for (const widgets::RowRec& row : manager_.browser().rows())
            numbers.push_back(QString::fromStdString(row.text).mid(13, 9).trimmed().toStdString());
        return numbers;
    }
    std::string Current() { return Rows().at(manager_.browser().currentRow()); }
    QString Text(const char* label) { return Find<QLabel>(manager_, label).text(); }
    void GoTo(const char* number) {
        records::InvoiceRecord key;
        key.setInvoiceNumber(number);
        manager_.SetOrder(InvoiceOrder::ByNumber);
        manager_.browser().PositionAtKey(key.key(1));
    }
    std::vector<std::string> Owed() {
        engine::RecordFile<records::CustomerRecord> file(
            w.engine, records::RecordTypeOf(records::RecordKind::Customer).Describe("1"),
            w.prompts);
        records::CustomerRecord ames;
        EXPECT_TRUE(file.Open() && file.Get(1, ames) && file.Close());
        return {ames.balance(), testsupport::StoredCompany("1")->receivablesTotal()};
    }

    testsupport::TestWindowContext w;
    InvoiceManagerWindows windows_{w, [] { return std::nullopt; },
                                   [](auto&, auto&) { return std::nullopt; }};
    Tinvlist& manager_ = windows_.manager;
    Trtedit& view_ = windows_.view;
    TQView& quickView_ = windows_.quickView;
};

TEST_F(InvoiceManagerTest, SixOrdersShowEveryRecordDamagedOnesMarked) {
    const struct {
        const char* item;
        Numbers rows;
    } orders[] = {
        {"ByNumberItem", {"0999", "1001", "1002", "1003", "1004", "DELETE ME"}},
        {"ByCustomerItem", {"1001", "1003", "1004", "DELETE ME", "1002", "0999"}},
        {"ByDateItem", {"1004", "1001", "1002", "1003", "0999", "DELETE ME"}},
        {"ByKeyCodeItem", {"1002", "1004", "1003", "DELETE ME", "0999", "1001"}},
        {"ByTypeItem", {"1001", "1002", "1004", "DELETE ME", "0999", "1003"}},
        {"ByDatePaidItem", {"1001", "1003", "0999", "1004", "DELETE ME", "1002"}},
    };
    ThenInModal(manager_, [&] {
        EXPECT_EQ(manager_.windowTitle(), "Invoice Manager");
        EXPECT_EQ(Current(), "1003");  // the company's last invoice
        EXPECT_EQ(Text("CountPanel"), "Records: 6");
        EXPECT_EQ(Text("TitleLabel"), "Acme Supply Co - #1");
        EXPECT_EQ(Text("ARLabel"), "A/R: 140.00");
        EXPECT_EQ(Text("FilterLabel"), "Filter Closed");
        EXPECT_NE(
            QString::fromStdString(manager_.browser().rows().back().text).indexOf("BAD RECORD"),
            -1);
        for (const auto& order : orders) {
            SCOPED_TRACE(order.item);
            Trigger(manager_, order.item);
            EXPECT_EQ(Rows(), order.rows);
            EXPECT_EQ(Current(), "1003");  // the cursor stays on its record
            EXPECT_TRUE(Find<QAction>(manager_, order.item).isChecked());
        }
        manager_.reject();
    });
    EXPECT_TRUE(manager_.Execute());
}

TEST_F(InvoiceManagerTest, TheFilterShowsOneCustomerUntilSwitchedOff) {
    ThenInModal(manager_, [&] {
        GoTo("1002");
        Trigger(manager_, "FilterBtn");
        EXPECT_EQ(Rows(), (Numbers{"1002", "0999"}));
        EXPECT_EQ(Current(), "1002");
        EXPECT_EQ(Text("FilterLabel"), "Filtering Customer#: B2");
        EXPECT_EQ(Text("HintPanel"), "Click filter button again to clear filter.");
        EXPECT_FALSE(Find<QAction>(manager_, "ByDateItem").isEnabled());
        QTest::keyClick(&manager_.browser(), Qt::Key_End);
        EXPECT_EQ(Current(), "0999");

        Trigger(manager_, "FilterBtn");
        EXPECT_EQ(Rows().size(), 6u);
        EXPECT_EQ(Current(), "0999");
        EXPECT_EQ(Text("FilterLabel"), "Filter Closed");
        EXPECT_EQ(Text("HintPanel"), "Filter closed.");
        EXPECT_TRUE(Find<QAction>(manager_, "ByDateItem").isEnabled());
        manager_.reject();
    });
    EXPECT_TRUE(manager_.Execute());
}

TEST_F(InvoiceManagerTest, EnterShowsTheQuickViewWithWhatPaymentsTookOff) {
    ThenInModal(manager_, [&] {
        GoTo("1003");
        ThenInModal(quickView_, [&] {
            EXPECT_EQ(Find<QLabel>(quickView_, "TypeText").text(),
                      "Z - Invoice has Partial Payment(s) of Type X");
            EXPECT_EQ(Find<QLabel>(quickView_, "PaidText").text(), "30.00");
            EXPECT_EQ(Find<QLabel>(quickView_, "CustName").text(), "Ames Hardware");
            EXPECT_EQ(Find<QLabel>(quickView_, "CustBalance").text(), "140.00");
            quickView_.reject();
        });
        QTest::keyClick(&manager_.browser(), Qt::Key_Return);
        manager_.reject();
    });
    EXPECT_TRUE(manager_.Execute());
}

// The order of the questions is the guards' own; here a refusal keeps the row and a delete
// takes it and its amount off the list and the A/R.
TEST_F(InvoiceManagerTest, DeleteAsksInOrderThenPostsTheDelete) {
    const char* kAsk = "Are you sure you want to delete this record?";
    const char* kNote = "Please Note";
    const struct {
        const char* number;
        std::function<void(testsupport::ScriptedPrompts&)> script;
        const char* status;  // empty: nothing deleted
        std::vector<std::string> owed;
    } cases[] = {
        {"1003",
         [](auto& p) {
             p.ExpectWarn("Partial Payment Item",
                          "This record is associated with a partial payment (type X or Z). Unable "
                          "to delete this item.");
         },
         "",
         {"140.00", "140.00"}},
        {"1004",
         [&](auto& p) {
             p.ExpectInform(kNote,
                            "This record has payment activity. If you delete this record the "
                            "payment data will also be removed.");
             p.ExpectYesNo("Delete Invoice#: 1004", kAsk, true);
         },
         "Deleted invoice 1004 containing 1 line item(s).",
         {"120.00", "120.00"}},
    };
    ThenInModal(manager_, [&] {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.number);
            GoTo(c.number);
            c.script(w.prompts);
            Trigger(manager_, "DeleteBtn");
            const bool gone = *c.status != 0;
            const Numbers rows = Rows();
            EXPECT_EQ(std::count(rows.begin(), rows.end(), c.number), gone ? 0 : 1);
            if (gone) {
                EXPECT_EQ(Text("HintPanel").toStdString(), c.status);
            }
            EXPECT_EQ(Owed(), c.owed);
            EXPECT_EQ(Text("ARLabel").toStdString(), "A/R: " + c.owed[1]);
        }
        EXPECT_EQ(Text("CountPanel"), "Records: 5");
        manager_.reject();
    });
    EXPECT_TRUE(manager_.Execute());
}

// "&Repeat Billing Setup" opens the dialog on the current invoice; ticked and given an interval by
// keys, the invoice becomes a master and its open amount leaves the balances.
TEST_F(InvoiceManagerTest, RepeatBillingSetupMakesTheCurrentInvoiceAMaster) {
    w.state.currentCompany.setAgingDays1("30");
    w.state.currentCompany.setAgingDays2("60");
    w.state.currentCompany.setAgingDays3("90");
    TRepeatForm& dialog = *manager_.findChild<TRepeatForm*>();
    ThenInModal(manager_, [&] {
        GoTo("1001");
        ThenInModal(dialog, [&] {
            EXPECT_EQ(Find<QLabel>(dialog, "InvNumber").text(), "Invoice Number: 1001");
            EXPECT_FALSE(Find<QPushButton>(dialog, "OKBtn").isEnabled());
            testsupport::Activate(dialog);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            EXPECT_TRUE(Find<QCheckBox>(dialog, "CheckBox1").isChecked());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), "3");
            EXPECT_EQ(Find<QLineEdit>(dialog, "EndDate").text(), "01/10/2024");
            testsupport::SavePicture(dialog, "RepeatInvoiceSetup");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        Trigger(manager_, "RepeatItem");
        EXPECT_EQ(Text("HintPanel"), "Invoice 1001 is now a repeat master.");
        EXPECT_EQ(Owed(), (std::vector<std::string>{"40.00", "40.00"}));
        // A partly paid invoice is refused before the dialog opens.
        GoTo("1004");
        w.prompts.ExpectWarn("Payment Acivity",
                             "This invoice has payment activity. To create a repeat billing, the "
                             "invoice must not have any payments.");
        Trigger(manager_, "RepeatItem");
        manager_.reject();
    });
    EXPECT_TRUE(manager_.Execute());
}

// View shows the current invoice; Print and Batch Print print through the print dialog and tell
// what went out; a printed invoice is not collected again.
TEST_F(InvoiceManagerTest, ViewPrintAndBatchPrintReachTheirWindowsAndThePrinter) {
    const std::string pdf = (std::filesystem::current_path() / "printed.pdf").string();
    w.printer.setOutputFormat(QPrinter::PdfFormat);
    w.printer.setOutputFileName(QString::fromStdString(pdf));
    w.state.currentCompany.setPrintPackingSlip(false);
    w.state.currentCompany.setPrintFileCopy(false);
    TInvBatch& batch = *manager_.findChild<TInvBatch*>();
    ThenInModal(manager_, [&] {
        GoTo("1001");
        ThenInModal(view_, [&] {
            EXPECT_EQ(view_.windowTitle(), "View Invoice# 1001");
            view_.reject();
        });
        Trigger(manager_, "ViewItem");

        w.prompts.ExpectPrint(true, "Print Invoice");
        Trigger(manager_, "PrintItem");
        EXPECT_EQ(Text("HintPanel"), "Invoice 1001 sent to print queue.");
        EXPECT_TRUE(std::filesystem::exists(pdf));

        // 1002, 1003, 1004 and the damaged 1005 wait; the master 0999 never does.
        w.prompts.ExpectPrint(true, "Print Invoice");
        ThenInModal(batch, [&] {
            EXPECT_EQ(Find<QLabel>(batch, "Line1").text(), "There are 4 invoice(s) to print.");
            Find<QLineEdit>(batch, "BatchNum").setText("2");
            testsupport::Click(batch, "PrintBtn");
        });
        Trigger(manager_, "BatchPrintItem");
        EXPECT_EQ(Text("HintPanel"), "Batch Print complete. 2 invoices sent to spooler.");
        ThenInModal(batch, [&] {
            EXPECT_EQ(Find<QLabel>(batch, "Line1").text(), "There are 2 invoice(s) to print.");
            testsupport::Click(batch, "CancelBtn");
        });
        Trigger(manager_, "BatchPrintItem");
        manager_.reject();
    });
    EXPECT_TRUE(manager_.Execute());
    w.prompts.Verify();
}

// The program goes on without the manager: it used to end here.
TEST_F(InvoiceManagerTest, FilesThatCannotBeOpenedKeepTheManagerClosed) {
    std::filesystem::remove("1I.DAT");
    std::filesystem::create_directory("1I.DAT");
    w.prompts.ExpectMessage("KT Invorra Pro", "Unable to open databases: 10140",
                            base::PromptAnswer::Ok, base::PromptIcon::Error);
    EXPECT_FALSE(manager_.Execute());
    EXPECT_FALSE(manager_.isVisible());
}

}  // namespace
}  // namespace invoicing::ui

// The entry window over its flow, opened from the Invoice Manager's New and Edit: typing rows by
// keyboard with the product look-up, the totals shown, refusals of OK with the focus on the
// control or cell, and the records an OK leaves. The checks and postings themselves are tested
// without a window in tests/invoicing.
#include "invoicing/ui/InvoiceEntry.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "InvoiceManagerWindows.h"
#include "base/Text.h"
#include "company/PaymentTerms.h"
#include "engine/BlockFile.h"
#include "invoicing/InvoiceChecks.h"
#include "invoicing/ui/InvoiceGrid.h"
#include "receivables/PostingWrites.h"
#include "records/RecordTypes.h"
#include "support/Samples.h"
#include "support/ui/WindowDriving.h"
#include "widgets/DataBrowser.h"

namespace invoicing::ui {
namespace {

using testsupport::Click;
using testsupport::Find;
using testsupport::ThenInModal;
using testsupport::Trigger;

constexpr char kTerms[] = "Net 30 Days";

class InvoiceEntryTest : public ::testing::Test {
protected:
    InvoiceEntryTest() {
        records::CompanyRecord company = testsupport::SampleCompany("1", "Acme Supply Co");
        company.setCalculateTaxes(true);
        company.setTaxRate("10");
        company.setNextInvoiceNumber("1001");
        company.setDateFormat("M");
        company.setDefaultQuantity("1");
        company.setDefaultTerms(kTerms);
        company.setDefaultInvoiceType("P");
        company.setReceivablesTotal("0.00");
        testsupport::AddCompanies({company});
        w.state.currentCompany = *testsupport::StoredCompany("1");
        EXPECT_TRUE(company::SavePaymentTerms(w.files, {kTerms}));
        testsupport::AddRecords(
            w.engine, File(records::RecordKind::Product),
            std::vector{testsupport::SampleProduct("P1", "Widget", "2.50"),
                        testsupport::SampleProduct("P2", "Gadget", "10.00", false)});
        for (const auto kind : {records::RecordKind::Invoice, records::RecordKind::InvoiceLine,
                                records::RecordKind::InvoiceMemo})
            testsupport::AddRecords(w.engine, File(kind), std::vector<records::InvoiceRecord>{});
    }

    void AddCustomers(const std::vector<records::CustomerRecord>& customers) {
        testsupport::AddRecords(w.engine, File(records::RecordKind::Customer), customers);
    }
    static engine::FileDescription File(records::RecordKind kind) {
        return records::RecordTypeOf(kind).Describe("1");
    }
    std::optional<records::CustomerRecord> Customer(const char* number) {
        auto found = receivables::FindCustomer(w.engine, w.prompts, "1", number);
        return found ? std::optional(found->record) : std::nullopt;
    }

    // Opens the manager and runs `inEntry` in the entry window that `command` opens; `inEntry`
    // must close it. The manager's status text afterwards.
    QString InEntry(const char* command, std::function<void()> inEntry) {
        QString status;
        ThenInModal(manager_, [&] {
            ThenInModal(entry_, inEntry);
            Trigger(manager_, command);
            status = Find<QLabel>(manager_, "HintPanel").text();
            manager_.reject();
        });
        EXPECT_TRUE(manager_.Execute());
        return status;
    }

    // Keys go where the focus is, as the user's do: into the grid, then its cell editor.
    void Type(const QString& text) {
        for (const QChar c : text) QTest::keyClicks(entry_.focusWidget(), QString(c));
    }
    // An open cell takes Enter after the key is handled: let that run too.
    void Enter() {
        QTest::keyClick(entry_.focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    QString Shown(const char* name) {
        if (auto* label = entry_.findChild<QLabel*>(name)) return label->text();
        return Find<QLineEdit>(entry_, name).text();
    }
    QString Cell(int row, int column) { return entry_.grid().item(row - 1, column)->text(); }
    void SetText(const char* name, const QString& text) {
        auto& edit = Find<QLineEdit>(entry_, name);
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, text);
    }

    testsupport::TestWindowContext w;
    std::optional<records::CustomerRecord> customerToPick;
    std::optional<records::ProductRecord> productToPick;
    std::vector<std::string> productPicks;  // "code|description" handed to the Product Manager
    InvoiceManagerWindows windows_{w, [this] { return customerToPick; },
                                   [this](const std::string& code, const std::string& description) {
                                       productPicks.push_back(code + "|" + description);
                                       return productToPick;
                                   }};
    TProdInv& entry_ = windows_.entry;
    Tinvlist& manager_ = windows_.manager;
};

TEST_F(InvoiceEntryTest, TwoProductLinesTypedByKeyboardArePosted) {
    AddCustomers({testsupport::SampleCustomer("A1", "Ames Hardware")});
    customerToPick = Customer("A1");
    // "Print Invoice" is ticked as the company says: the posted invoice goes to the printer,
    // whose dialog is cancelled here.
    w.prompts.ExpectPrint(false, "Print Invoice");
    const QString status = InEntry("NewItem", [&] {
        EXPECT_EQ(entry_.windowTitle(), "Add Invoice - Company: Acme Supply Co - #1");
        EXPECT_TRUE(Find<QCheckBox>(entry_, "PrintFlag").isChecked());
        EXPECT_EQ(Shown("INum"), "1001");
        EXPECT_EQ(Shown("IDate"), "03/05/2024");
        EXPECT_EQ(Shown("IMode"), "Add Mode");
        EXPECT_EQ(entry_.focusWidget()->objectName(), "BitBtn3");
        Click(entry_, "BitBtn3");
        EXPECT_EQ(Shown("ICustName"), "Ames Hardware");
        entry_.grid().setFocus();
        Type("p1");  // Widget, 2.50, taxed
        Enter();
        EXPECT_EQ(entry_.grid().currentColumn(), kQuantityColumn);
        Type("4");
        Enter();
        Type("p2");  // Gadget, 10.00, not taxed
        Enter();
        Type("3");
        Enter();
        EXPECT_EQ(Cell(1, kDescriptionColumn), "Widget");
        EXPECT_EQ(Cell(1, kExtensionColumn), "10.00");
        EXPECT_EQ(Cell(2, kTaxedColumn), "N");
        EXPECT_EQ(Cell(2, kExtensionColumn), "30.00");
        const std::pair<const char*, const char*> totals[] = {
            {"INet", "40.00"}, {"ITax", "1.00"}, {"ITotal", "41.00"}, {"BalDue", "41.00"}};
        for (const auto& [control, amount] : totals) EXPECT_EQ(Shown(control), amount) << control;
        SetText("IPaid", "1");
        EXPECT_EQ(Shown("BalDue"), "40.00");
        Click(entry_, "OKButton");
    });
    EXPECT_EQ(status, "Added invoice 1001 containing 2 line item(s).");
    EXPECT_FALSE(entry_.isVisible());

    InvoiceFiles files(w.engine, w.prompts, "1");
    ASSERT_TRUE(files.Open());
    const auto header = files.FindInvoice("1001");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->record.total(), "41.00");
    EXPECT_EQ(header->record.balanceDue(), "40.00");
    const auto lines = files.LinesOf("1001");
    ASSERT_TRUE(lines && lines->size() == 2);
    EXPECT_EQ(base::Trim((*lines)[1].record.productCode()), "P2");
    ASSERT_TRUE(files.Close());
    EXPECT_EQ(Customer("A1")->balance(), "40.00");
    EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), "40.00");
    EXPECT_EQ(testsupport::StoredCompany("1")->nextInvoiceNumber(), "1002");
}

TEST_F(InvoiceEntryTest, MemoInvoiceTakesTypedAmountsAndText) {
    AddCustomers({testsupport::SampleCustomer("B2", "Brook Ltd")});
    customerToPick = Customer("B2");
    const QString status = InEntry("NewItem", [&] {
        Click(entry_, "BitBtn3");
        Find<QCheckBox>(entry_, "PrintFlag").click();  // unticked: nothing is printed
        Find<QRadioButton>(entry_, "RadioButton2").click();
        auto& memo = Find<QPlainTextEdit>(entry_, "Memo1");
        EXPECT_TRUE(memo.isVisible());
        EXPECT_FALSE(Find<QLineEdit>(entry_, "INet").isReadOnly());
        memo.setFocus();
        QTest::keyClicks(&memo, "Consulting for March");
        SetText("MemoPDesc", "Consulting");
        SetText("INet", "100");
        SetText("ITax", "5");
        EXPECT_EQ(Shown("TaxLbl"), "Tax on 100.00 is 10.00.");
        EXPECT_EQ(Shown("ITotal"), "105.00");
        Click(entry_, "OKButton");
    });
    EXPECT_EQ(status, "Added invoice 1001 containing 1 line item(s).");
    InvoiceFiles files(w.engine, w.prompts, "1");
    ASSERT_TRUE(files.Open());
    EXPECT_EQ(files.FindInvoice("1001")->record.form(), "M");
    const auto memos = files.MemoOf("1001");
    ASSERT_TRUE(memos && memos->size() == 1);
    EXPECT_EQ(base::Trim(memos->front().record.lines().front()), "Consulting for March");
    ASSERT_TRUE(files.Close());
    EXPECT_EQ(Customer("B2")->balance(), "105.00");
}

TEST_F(InvoiceEntryTest, RefusedOkShowsWhyAndFocusesTheControlOrCell) {
    AddCustomers({testsupport::SampleCustomer("A1", "Ames Hardware")});
    const struct {
        const char* name;
        std::function<void()> type;
        const char* caption;
        const char* text;
        const char* focus;
        int row = 0;
        int column = 0;
    } cases[] = {
        {"no customer", [] {}, "Customer Required", "You need to select a customer.", "BitBtn3"},
        {"bad date",
         [this] {
             Click(entry_, "BitBtn3");
             SetText("IDate", "02/30/2024");
         },
         "Invoice Date",
         "You have an invalid invoice date. You can clear the date and then select the calendar "
         "button.",
         "IDate"},
        {"bad quantity in row 2",
         [this] {
             Click(entry_, "BitBtn3");
             entry_.grid().SetLine(1, {"", "1", "Labour", "5", "N"});
             entry_.grid().SetLine(2, {"", "2x", "Travel", "5", "N"});
         },
         engine::kProgramCaption, "Line 2 has an invalid QUANTITY value.", "StringGrid1", 2,
         kQuantityColumn},
    };
    customerToPick = Customer("A1");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        w.prompts.ExpectWarn(c.caption, c.text);
        InEntry("NewItem", [&] {
            c.type();
            Click(entry_, "OKButton");
            EXPECT_TRUE(entry_.isVisible());
            EXPECT_EQ(entry_.focusWidget()->objectName(), c.focus);
            if (c.row) {
                EXPECT_EQ(entry_.grid().CurrentLine(), c.row);
                EXPECT_EQ(entry_.grid().currentColumn(), c.column);
            }
            Click(entry_, "BitBtn1");
        });
        w.prompts.Verify();
    }
    InvoiceFiles files(w.engine, w.prompts, "1");
    ASSERT_TRUE(files.Open());
    EXPECT_FALSE(files.FindInvoice("1001"));
    ASSERT_TRUE(files.Close());
}

TEST_F(InvoiceEntryTest, EditShowsTheStoredInvoiceAndPostsTheChange) {
    records::CustomerRecord ames = testsupport::SampleCustomer("A1", "Ames Hardware");
    const testsupport::SampleInvoice stored =
        testsupport::SampleProductInvoice(w.state.currentCompany, ames, "1001", {2024, 3, 1},
                                          {{"P2", "2", "Gadget", "10.00", false}});
    ames.setBalance(stored.header.total());
    AddCustomers({ames});
    testsupport::AddInvoice(w.engine, "1", stored);
    const QString status = InEntry("EditItem", [&] {
        EXPECT_EQ(entry_.windowTitle(), "Edit Invoice");
        EXPECT_EQ(Shown("IMode"), "Edit Mode");
        EXPECT_FALSE(Find<QPushButton>(entry_, "BitBtn3").isEnabled());
        EXPECT_EQ(Shown("ICustName"), "Ames Hardware");
        EXPECT_EQ(Shown("IDate"), "03/01/2024");
        EXPECT_EQ(Cell(1, kDescriptionColumn), "Gadget");
        EXPECT_EQ(Shown("ITotal"), "20.00");
        entry_.grid().GoToCell(1, kQuantityColumn);
        Type("5");
        Enter();
        EXPECT_EQ(Shown("ITotal"), "50.00");
        Click(entry_, "OKButton");
    });
    EXPECT_EQ(status, "Editing invoice 1001 completed.");
    EXPECT_EQ(Customer("A1")->balance(), "50.00");
    InvoiceFiles files(w.engine, w.prompts, "1");
    ASSERT_TRUE(files.Open());
    EXPECT_EQ(files.FindInvoice("1001")->record.total(), "50.00");
    EXPECT_EQ(files.LinesOf("1001")->size(), 1u);
    ASSERT_TRUE(files.Close());
}

TEST_F(InvoiceEntryTest, EditOfAMemoInvoiceShowsItsTextAndRewritesIt) {
    records::CustomerRecord brook = testsupport::SampleCustomer("B2", "Brook Ltd");
    const testsupport::SampleInvoice stored =
        testsupport::SampleMemoInvoice(w.state.currentCompany, brook, "1001", {2024, 3, 1},
                                       "1200.00", "Consulting", {"First line", "Second line"});
    brook.setBalance("1200.00");
    AddCustomers({brook});
    testsupport::AddInvoice(w.engine, "1", stored);
    const QString status = InEntry("EditItem", [&] {
        EXPECT_TRUE(Find<QRadioButton>(entry_, "RadioButton2").isChecked());
        EXPECT_FALSE(Find<QRadioButton>(entry_, "RadioButton1").isEnabled());
        EXPECT_EQ(Find<QPlainTextEdit>(entry_, "Memo1").toPlainText(), "First line\nSecond line");
        EXPECT_EQ(Shown("MemoPDesc"), "Consulting");
        EXPECT_EQ(Shown("INet"), "1,200.00");
        SetText("INet", "1,500");
        auto& memo = Find<QPlainTextEdit>(entry_, "Memo1");
        memo.moveCursor(QTextCursor::End);
        QTest::keyClicks(&memo, " and more");
        Click(entry_, "OKButton");
    });
    EXPECT_EQ(status, "Editing invoice 1001 completed.");
    EXPECT_EQ(Customer("B2")->balance(), "1500.00");
    InvoiceFiles files(w.engine, w.prompts, "1");
    ASSERT_TRUE(files.Open());
    const auto memos = files.MemoOf("1001");
    ASSERT_TRUE(memos && memos->size() == 1);
    EXPECT_EQ(base::Trim(memos->front().record.lines()[1]), "Second line and more");
    ASSERT_TRUE(files.Close());
}

TEST_F(InvoiceEntryTest, EraseLineCommentEraseAllAndSavedLines) {
    AddCustomers({testsupport::SampleCustomer("A1", "Ames Hardware")});
    productToPick = testsupport::SampleProduct("P2", "Gadget", "10.00", false);
    w.prompts.ExpectYesNo("Product Code",
                          "That product code was not found. Would you like to add it now?", true);
    InEntry("NewItem", [&] {
        Click(entry_, "TimeBtn");  // the stopwatch goes on after the window closes
        EXPECT_EQ(Find<QPushButton>(entry_, "TimeBtn").text(), "&Stop");
        EXPECT_EQ(Shown("StartTime"), "14:07:00");
        EXPECT_EQ(Shown("ElapsedTime"), "00:00:00");
        entry_.grid().setFocus();
        Type("zz");  // not on file: Yes opens the Product Manager on the typed code
        Enter();
        EXPECT_EQ(productPicks, std::vector<std::string>{"zz|"});
        EXPECT_EQ(Cell(1, kCodeColumn), "P2");
        EXPECT_EQ(Cell(1, kQuantityColumn), "1");
        entry_.grid().SetLine(2, {"P1", "2", "Widget", "2.50", "Y"});
        EXPECT_EQ(Shown("INet"), "15.00");

        entry_.grid().GoToCell(1, kPriceColumn);
        Click(entry_, "DeleteLine");
        const QString blank[] = {"", "1", "", "0.00", "N", "0.00"};
        for (int c = kCodeColumn; c <= kExtensionColumn; ++c) EXPECT_EQ(Cell(1, c), blank[c - 1]);
        EXPECT_EQ(Shown("INet"), "5.00");

        Click(entry_, "MakeNote");
        EXPECT_EQ(Cell(1, kQuantityColumn), " ");
        EXPECT_EQ(Cell(1, kPriceColumn), "");
        EXPECT_EQ(entry_.grid().currentColumn(), kDescriptionColumn);

        w.prompts.ExpectInform("Saved Lines File",
                               "The saved lines file has been replaced with the current invoice "
                               "lines.");
        Click(entry_, "ExportButn");
        Click(entry_, "BottButn");
        EXPECT_EQ(entry_.grid().CurrentLine(), kMaxRows);
        Click(entry_, "UndoAll");
        EXPECT_EQ(Cell(2, kCodeColumn), "");
        EXPECT_EQ(Shown("INet"), "0.00");
        Click(entry_, "ImportButn");  // the saved rows come back
        EXPECT_EQ(Cell(2, kCodeColumn), "P1");
        EXPECT_EQ(Shown("INet"), "5.00");
        Click(entry_, "BitBtn1");
    });
    EXPECT_EQ(Find<QLabel>(manager_, "TimerPanel").text(), "Timer running...");
}

}  // namespace
}  // namespace invoicing::ui

// The Payment Wizard over its sheet and posting, driven by keys and clicks: the customer pick
// fills the lists, typed amounts and the amount dialog reach the sheet, Post follows the totals,
// and a posting lands in the files. The rules themselves are tested without a window in
// tests/receivables/PaymentWindowFlowTest, PaymentSheetTest and PaymentPostingTest.
#include "receivables/ui/PaymentWindow.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "base/Text.h"
#include "receivables/ui/PartialPaymentDialog.h"
#include "records/RecordTypes.h"
#include "support/Samples.h"
#include "support/ui/TestWindowContext.h"
#include "support/ui/WindowDriving.h"

namespace receivables::ui {
namespace {

using testsupport::Activate;
using testsupport::Click;
using testsupport::Find;
using testsupport::ThenInModal;

engine::FileDescription FileOf(records::RecordKind kind) {
    return records::RecordTypeOf(kind).Describe("1");
}

// Customer A1 owes 150.00: invoice 1001 (100.00) and 1002 (50.00), both of 1 March 2024.
class PaymentWindowTest : public ::testing::Test {
protected:
    PaymentWindowTest() {
        records::CompanyRecord company = testsupport::SampleCompany("1", "Acme Supply Co");
        company.setDateFormat("M");
        company.setAgingDays1("30");
        company.setAgingDays2("60");
        company.setAgingDays3("90");
        company.setReceivablesTotal("150.00");
        testsupport::AddCompanies({company});
        w.state.currentCompany = *testsupport::StoredCompany("1");
        w.state.ApplyDateFormat(w.clock);
        records::CustomerRecord customer = testsupport::SampleCustomer("A1", "Alpha Traders");
        customer.setBalance("150.00");
        customer.setAging1("150.00");
        testsupport::AddRecords(w.engine, FileOf(records::RecordKind::Customer),
                                std::vector{customer});
        testsupport::AddRecords(w.engine, FileOf(records::RecordKind::Invoice),
                                std::vector{Invoice("1001", "100.00"), Invoice("1002", "50.00")});
        picked_ = customer;
    }

    static records::InvoiceRecord Invoice(const char* number, const char* amount) {
        records::InvoiceRecord item;
        item.setInvoiceNumber(number);
        item.setTypeCode("I");
        item.setCustomerNumber("A1");
        item.setDocumentDate("03/01/2024", {2024, 3, 1});
        item.setNet(amount);
        item.setTax("0.00");
        item.setTotal(amount);
        item.setPaid("0.00");
        item.setBalanceDue(amount);
        return item;
    }

    // Opens the wizard, runs `interact` in it and gives back what was posted.
    std::optional<PostedPayment> Run(std::function<void()> interact) {
        ThenInModal(box_, std::move(interact));
        return box_.Execute();
    }

    // The customer chosen, the lists filled and the focus on the payment date.
    void PickCustomer() {
        Activate(box_);
        Click(box_, "BitBtn3");
        ASSERT_EQ(Label("CustName"), "Alpha Traders");
        ASSERT_EQ(Label("CustBalance"), "150.00");
        ASSERT_EQ(Lines("SrcList"), (QStringList{"1001      03/01/24       100.00",
                                                 "1002      03/01/24        50.00"}));
        ASSERT_TRUE(Focused("PmtDate"));
    }

    void TypeAmount(const char* text) {
        Activate(box_);
        QTest::keyClick(&box_, Qt::Key_R, Qt::AltModifier);  // "Amount &Received:"
        QLineEdit& amount = Find<QLineEdit>(box_, "PAmt");
        ASSERT_TRUE(amount.hasFocus());
        amount.selectAll();
        QTest::keyClicks(&amount, text);
    }

    // Answers the amount dialog with each text in turn; every one but the last is refused.
    void AnswerAmountDialog(std::vector<const char*> texts) {
        TPPmtDialog& dialog = box_.amountDialog();
        ThenInModal(dialog, [&dialog, texts] {
            QLineEdit& amount = Find<QLineEdit>(dialog, "PPAmt");
            for (const char* text : texts) {
                EXPECT_EQ(amount.selectedText(), amount.text());  // typing replaces it
                QTest::keyClicks(&amount, text);
                QTest::keyClick(&amount, Qt::Key_Return);
            }
        });
    }

    bool Focused(const char* name) { return box_.focusWidget() == &Find<QWidget>(box_, name); }
    QString Label(const char* name) { return Find<QLabel>(box_, name).text(); }
    QStringList Lines(const char* list) {
        QStringList lines;
        const QListWidget& l = Find<QListWidget>(box_, list);
        for (int row = 0; row < l.count(); ++row) lines << l.item(row)->text();
        return lines;
    }
    bool PostEnabled() { return Find<QPushButton>(box_, "OKBtn").isEnabled(); }

    // Every invoice record by number: "number type balance-due paid-flag paid".
    std::vector<std::string> Records() {
        std::vector<std::string> found;
        for (const auto& r : testsupport::StoredRecords<records::InvoiceRecord>(
                 w.engine, FileOf(records::RecordKind::Invoice), w.prompts))
            found.push_back(base::Trim(r.invoiceNumber()) + " " + r.typeCode() + " " +
                            r.balanceDue() + " " + r.paidFlag() + " " + r.paid());
        return found;
    }
    std::string StoredBalance() {
        return testsupport::StoredRecords<records::CustomerRecord>(
                   w.engine, FileOf(records::RecordKind::Customer), w.prompts)
            .at(0)
            .balance();
    }

    testsupport::TestWindowContext w;
    std::optional<records::CustomerRecord> picked_;
    TPayBox box_{
        {{w.engine, w.prompts, w.state, w.clock}, [this] { return picked_; }, w.context.showHelp}};
};

TEST_F(PaymentWindowTest, TheBalanceTypedMovesEverythingAndEnterPosts) {
    const auto posted = Run([this] {
        EXPECT_EQ(box_.windowTitle(), "Payment Wizard - Acme Supply Co");
        EXPECT_EQ(Find<QLineEdit>(box_, "PmtDate").text(), "03/05/2024");
        for (const char* off : {"OKBtn", "PPmtBtn", "AccountDep", "IncludeBtn", "ExAllBtn"})
            EXPECT_FALSE(Find<QPushButton>(box_, off).isEnabled()) << off;
        EXPECT_TRUE(Focused("BitBtn3"));
        PickCustomer();
        TypeAmount("150");
        EXPECT_TRUE(Lines("SrcList").isEmpty());
        EXPECT_EQ(Label("IPostedAmt"), "150.00");
        ASSERT_TRUE(PostEnabled());
        QTest::keyClick(&Find<QLineEdit>(box_, "PAmt"), Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !box_.isVisible(); }));
    });
    ASSERT_TRUE(posted);
    EXPECT_EQ(posted->balance, base::Decimal());
    EXPECT_EQ(Records(), (std::vector<std::string>{"1001 I 0.00 P 100.00", "1002 I 0.00 P 50.00"}));
    EXPECT_EQ(StoredBalance(), "0.00");
    EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), "0.00");
}

TEST_F(PaymentWindowTest, PartialPaymentGoesThroughTheAmountDialog) {
    w.prompts.ExpectWarn("Partial Payment Amount",
                         "The partial payment amount must be less than amount due.");
    const auto posted = Run([this] {
        PickCustomer();
        QListWidget& left = Find<QListWidget>(box_, "SrcList");
        left.setFocus();
        left.setCurrentRow(0);
        AnswerAmountDialog({"100", "30"});
        Click(box_, "PPmtBtn");
        EXPECT_EQ(box_.amountDialog().windowTitle(), "Partial Payment");
        EXPECT_EQ(Find<QLabel>(box_.amountDialog(), "ItemLabel").text(),
                  "Invoice: 1001   Date: 03/01/24");
        EXPECT_EQ(Lines("SrcList"), (QStringList{"1001      03/01/24        70.00",
                                                 "1002      03/01/24        50.00"}));
        EXPECT_EQ(Lines("DstList"), QStringList{"1001      03/01/24        30.00P"});
        EXPECT_TRUE(Focused("SrcList"));
        TypeAmount("30");
        ASSERT_TRUE(PostEnabled());
        Click(box_, "OKBtn");
    });
    ASSERT_TRUE(posted);
    EXPECT_EQ(StoredBalance(), "120.00");
}

TEST_F(PaymentWindowTest, DepositOnAccountAloneIsPosted) {
    w.prompts.ExpectWarn("Payment Amount", "The payment amount must be greater than zero.");
    const auto posted = Run([this] {
        PickCustomer();
        AnswerAmountDialog({"0", "25"});
        Activate(box_);
        // A button's accelerator clicks it a moment later, as a user sees it pressed.
        QTest::keyClick(&box_, Qt::Key_D, Qt::AltModifier);  // "Add &Deposit on Account"
        ASSERT_TRUE(QTest::qWaitFor([this] { return !Lines("DstList").isEmpty(); }));
        EXPECT_EQ(box_.amountDialog().windowTitle(), "Deposit on Account");
        EXPECT_EQ(Find<QLabel>(box_.amountDialog(), "ItemLabel").text(),
                  "Invoice: DEPOSIT     Date: 03/05/2024");
        EXPECT_EQ(Lines("DstList"), QStringList{"DEPOSIT   03/05/24        25.00"});
        TypeAmount("25.00");
        ASSERT_TRUE(PostEnabled());
        Click(box_, "OKBtn");
    });
    ASSERT_TRUE(posted);
    EXPECT_EQ(StoredBalance(), "125.00");
}

// Keys move lines across; Post follows the totals; a refused payment date takes the focus back
// to it. Which amounts and dates are refused is the flow's rule.
TEST_F(PaymentWindowTest, PostIsOfferedOnlyWhileTheTotalsAgree) {
    w.prompts.ExpectWarn(
        "Payment Date",
        "You have an invalid payment date. You can clear the date and then select the "
        "calendar button.");
    const auto posted = Run([this] {
        PickCustomer();
        QListWidget& left = Find<QListWidget>(box_, "SrcList");
        left.setFocus();
        left.setCurrentRow(1);
        QTest::keyClick(&left, Qt::Key_Return);
        EXPECT_EQ(Lines("DstList"), QStringList{"1002      03/01/24        50.00"});
        EXPECT_TRUE(Focused("SrcList"));
        const struct {
            const char* typed;
            bool postable;
        } cases[] = {{"49.99", false}, {"50.00", true}};
        for (const auto& c : cases) {
            TypeAmount(c.typed);
            EXPECT_EQ(PostEnabled(), c.postable) << c.typed;
            EXPECT_EQ(Lines("DstList").size(), 1) << c.typed;
        }
        QLineEdit& date = Find<QLineEdit>(box_, "PmtDate");
        date.setText("02/30/2024");
        Click(box_, "OKBtn");
        EXPECT_TRUE(box_.isVisible());
        EXPECT_TRUE(Focused("PmtDate"));
        QListWidget& right = Find<QListWidget>(box_, "DstList");
        right.setFocus();
        right.setCurrentRow(0);
        QTest::keyClick(&right, Qt::Key_Return);
        EXPECT_EQ(Lines("SrcList").size(), 2);
        EXPECT_FALSE(PostEnabled());
        Click(box_, "CancelBtn");
    });
    EXPECT_FALSE(posted);
    EXPECT_EQ(Records(), (std::vector<std::string>{"1001 I 100.00  0.00", "1002 I 50.00  0.00"}));
}

}  // namespace
}  // namespace receivables::ui

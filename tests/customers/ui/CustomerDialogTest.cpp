// The customer edit dialog: what it shows of a record, what it hands back, its limits, the
// shipping-address helpers, the short name it proposes, and where a refused OK puts the focus.
// The checks themselves are tested without a window in tests/customers/CustomerEditTest.
#include "customers/ui/CustomerDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "company/PaymentTerms.h"
#include "support/Samples.h"
#include "support/ui/TestWindowContext.h"
#include "support/ui/WindowDriving.h"

namespace customers::ui {
namespace {

using testsupport::Click;
using testsupport::Find;
using testsupport::ThenInModal;

class CustomerDialogTest : public ::testing::Test {
protected:
    CustomerDialogTest() {
        w.state.currentCompany = testsupport::SampleCompany("1");
        EXPECT_TRUE(company::SavePaymentTerms(w.files, {"Net 30 Days", "C.O.D."}));
    }

    // Typed characters beyond ASCII, as a keyboard layout delivers them.
    static void Type(QWidget& widget, const QString& text) {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
    }
    QLineEdit& Edit(const char* name) { return Find<QLineEdit>(dialog_, name); }
    bool Checked(const char* name) { return Find<QCheckBox>(dialog_, name).isChecked(); }

    // Opens the dialog on `customer`, runs `interact` inside it and answers what Execute did.
    bool Run(records::CustomerRecord& customer, std::function<void()> interact,
             company::EditPurpose purpose = company::EditPurpose::Edit) {
        ThenInModal(dialog_, std::move(interact));
        return dialog_.Execute(purpose, customer, check_);
    }

    testsupport::TestWindowContext w;
    CustomerCheck check_ = [](records::CustomerRecord&) -> std::optional<CustomerFailure> {
        return std::nullopt;
    };
    TEditDlg dialog_{{company::PaymentTermsIn(w.files), w.state, w.context.showHelp}};
};

TEST_F(CustomerDialogTest, ShowsTheRecordAndHandsBackWhatWasTyped) {
    records::CustomerRecord customer = testsupport::SampleCustomer("100", "Smithers Ltd");
    customer.setBalance("1234.5");
    customer.setCreditLimit("");
    customer.setCreditHold(true);
    customer.setNotes("Call first\r\nBack door");
    const bool saved = Run(customer, [&] {
        EXPECT_EQ(dialog_.windowTitle(), "Edit Customer");
        EXPECT_EQ(dialog_.focusWidget(), &Edit("CNo"));
        EXPECT_EQ(Edit("CName").text(), "Smithers Ltd");
        EXPECT_EQ(Edit("CLimit").text(), "0.00");
        EXPECT_EQ(Find<QLabel>(dialog_, "CBal").text(), "1,234.50");
        EXPECT_TRUE(Checked("CRHold"));
        EXPECT_FALSE(Checked("NotesOnInv"));
        auto& terms = Find<QComboBox>(dialog_, "CTerms");
        EXPECT_EQ(terms.count(), 2);
        EXPECT_EQ(terms.currentText(), "Net 30 Days");
        EXPECT_EQ(Find<QPlainTextEdit>(dialog_, "CstNote").toPlainText(), "Call first\nBack door");

        QTest::keyClick(&terms, Qt::Key_Down);
        Edit("CPhone2").setText("555-0100");
        Find<QPlainTextEdit>(dialog_, "CstNote").moveCursor(QTextCursor::End);
        QTest::keyClicks(&Find<QPlainTextEdit>(dialog_, "CstNote"), "!");
        QTest::keyClick(&Find<QCheckBox>(dialog_, "NotesOnStmnt"), Qt::Key_Space);
        Click(dialog_, "OKBtn");
    });
    ASSERT_TRUE(saved);
    EXPECT_TRUE(customer.notesOnStatements());
    // The balance has no control and stays as it was.
    EXPECT_EQ(
        (std::vector<std::string>{customer.terms(), customer.phone2(), customer.notes(),
                                  customer.balance()}),
        (std::vector<std::string>{"C.O.D.", "555-0100", "Call first\r\nBack door!", "1234.5"}));
}

TEST_F(CustomerDialogTest, EditsHoldNoMoreThanTheirFieldsAndOnlyCodePageText) {
    records::CustomerRecord customer = testsupport::SampleCustomer("1", "A");
    Run(customer, [&] {
        const struct {
            const char* control;
            int limit;
        } limits[] = {{"CNo", 8},        {"CName", 35},     {"CustType", 25},  {"CTE", 1},
                      {"CLimit", 10},    {"CAdd1Edit", 35}, {"CAdd4Edit", 35}, {"CShip1", 35},
                      {"CShip4", 35},    {"CPhone1", 25},   {"CPhone2", 25},   {"ShortName", 10},
                      {"MListCode", 15}, {"EMadd", 50}};
        for (const auto& [control, limit] : limits)
            EXPECT_EQ(Edit(control).maxLength(), limit) << control;
        EXPECT_EQ(Find<QComboBox>(dialog_, "CTerms").lineEdit()->maxLength(), 35);

        Edit("CustType").clear();
        Type(Edit("CustType"), QString::fromUtf8("Caf\u00e9\u2126\u20ac"));
        EXPECT_EQ(Edit("CustType").text(), QString::fromUtf8("Caf\u00e9\u20ac"));

        // The memo counts a line break as the two characters the record holds.
        auto& memo = Find<QPlainTextEdit>(dialog_, "CstNote");
        memo.setPlainText(QString(237, 'x'));
        memo.moveCursor(QTextCursor::End);
        QTest::keyClick(&memo, Qt::Key_Return);
        Type(memo, QString::fromUtf8("\u2126"));  // fits the field, not the code page
        QTest::keyClicks(&memo, "yz");
        EXPECT_EQ(memo.toPlainText(), QString(237, 'x') + "\ny");
        QTest::keyClick(&dialog_, Qt::Key_Escape);
    });
}

TEST_F(CustomerDialogTest, ShippingLinesFollowTheBillingLinesAsAsked) {
    for (const bool autoCopy : {true, false}) {
        SCOPED_TRACE(autoCopy);
        w.state.currentCompany.setCopyBillingToShipping(autoCopy);
        records::CustomerRecord customer = testsupport::SampleCustomer("1", "A");
        Run(customer, [&] {
            EXPECT_EQ(Checked("AutoCopy"), autoCopy);
            // Filling the dialog copied nothing: the stored shipping lines are shown.
            EXPECT_EQ(Edit("CShip2").text(), "Springfield, IL 62704");
            Edit("CAdd3Edit").setFocus();
            QTest::keyClicks(&Edit("CAdd3Edit"), "Suite 4");
            EXPECT_EQ(Edit("CShip3").text(), autoCopy ? "Suite 4" : "");
            Click(dialog_, "ClearBtn");
            for (const char* line : {"CShip1", "CShip2", "CShip3", "CShip4"})
                EXPECT_EQ(Edit(line).text(), "") << line;
            Click(dialog_, "CopyBtn");
            EXPECT_EQ(Edit("CShip1").text(), "12 Market Street");
            EXPECT_EQ(Edit("CShip3").text(), "Suite 4");
            QTest::keyClick(&dialog_, Qt::Key_Escape);
        });
    }
}

TEST_F(CustomerDialogTest, LeavingTheNameProposesAShortNameOnlyWhenThereIsNone) {
    const struct {
        const char* shortName;
        const char* name;
        const char* proposed;
    } cases[] = {{"", "John Smith", "JSmith"}, {"KEEP", "John Smith", "KEEP"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        records::CustomerRecord customer;
        customer.setShortName(c.shortName);
        Run(
            customer,
            [&] {
                testsupport::Activate(dialog_);
                Edit("CName").setFocus();
                QTest::keyClicks(&Edit("CName"), c.name);
                QTest::keyClick(&Edit("CName"), Qt::Key_Tab);
                EXPECT_EQ(Edit("ShortName").text(), c.proposed);
                QTest::keyClick(&dialog_, Qt::Key_Escape);
            },
            company::EditPurpose::Add);
        EXPECT_EQ(dialog_.windowTitle(), "Add Customer");
    }
}

TEST_F(CustomerDialogTest, ARefusedOkFocusesTheFieldTheCheckNamesAndKeepsTheDialogOpen) {
    for (const char* control : {"CName", "EMadd", "CNo", "CLimit"}) {
        SCOPED_TRACE(control);
        int checks = 0;
        check_ = [&](records::CustomerRecord& typed) -> std::optional<CustomerFailure> {
            EXPECT_EQ(typed.email(), "ann.example.com");
            typed.setShortName("PROPOSED");
            if (++checks == 1) return CustomerFailure{"Caption", "Text", control};
            return std::nullopt;
        };
        records::CustomerRecord customer = testsupport::SampleCustomer("1", "Ann");
        customer.setEmail("ann.example.com");
        const bool saved = Run(customer, [&] {
            Click(dialog_, "OKBtn");
            EXPECT_TRUE(dialog_.isVisible());
            EXPECT_EQ(dialog_.focusWidget(), &Find<QWidget>(dialog_, control));
            EXPECT_EQ(Edit("ShortName").text(), "PROPOSED");
            QTest::keyClick(dialog_.focusWidget(), Qt::Key_Return);
        });
        EXPECT_TRUE(saved);
        EXPECT_EQ(checks, 2);
        EXPECT_EQ(customer.shortName(), "PROPOSED");
    }
}

}  // namespace
}  // namespace customers::ui

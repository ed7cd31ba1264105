// The Payments toolbar button opens the Payment Wizard, whose customer comes from the Customer
// Manager opened in select mode.
#include "shell/ui/PaymentWindows.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

#include "ShellFixture.h"
#include "customers/ui/CustomerManager.h"
#include "receivables/ui/PaymentWindow.h"
#include "records/RecordTypes.h"
#include "shell/ui/CompanyWindows.h"
#include "shell/ui/CustomerWindows.h"
#include "shell/ui/MainWindow.h"
#include "support/ui/WindowDriving.h"
#include "widgets/DataBrowser.h"

namespace shell::ui {
namespace {

using testsupport::Click;
using testsupport::Find;
using testsupport::ThenInModal;

using PaymentWindowsTest = shelltest::ShellTest;

TEST_F(PaymentWindowsTest, PaymentsButtonOpensTheWizardOnACustomerPickedInTheManager) {
    TMainForm& main = StartedWindow();
    CompanyWindows companyWindows(main);
    CustomerWindows customerWindows(main, companyWindows);
    PaymentWindows paymentWindows(main, customerWindows);
    records::CustomerRecord customer = testsupport::SampleCustomer("A1", "Alpha Traders");
    customer.setBalance("40.00");
    testsupport::AddRecords(engine,
                            records::RecordTypeOf(records::RecordKind::Customer).Describe("1"),
                            std::vector{customer});
    records::InvoiceRecord item;
    item.setInvoiceNumber("1001");
    item.setTypeCode("I");
    item.setCustomerNumber("A1");
    item.setDocumentDate("03/01/2026", {2026, 3, 1});
    item.setBalanceDue("40.00");
    testsupport::AddRecords(engine,
                            records::RecordTypeOf(records::RecordKind::Invoice).Describe("1"),
                            std::vector{item});

    ASSERT_TRUE(main.IsCommandEnabled(Command::PaymentWizard));
    receivables::ui::TPayBox& wizard = paymentWindows.wizard();
    customers::ui::TDemoForm& manager = customerWindows.manager();
    ThenInModal(wizard, [&] {
        ThenInModal(manager, [&] { QTest::keyClick(&manager.browser(), Qt::Key_Return); });
        Click(wizard, "BitBtn3");
        EXPECT_EQ(Find<QLabel>(wizard, "CustName").text(), "Alpha Traders");
        EXPECT_EQ(Find<QListWidget>(wizard, "SrcList").count(), 1);
        Click(wizard, "CancelBtn");
    });
    QTest::mouseClick(&Find<QToolButton>(main, "PayButn"), Qt::LeftButton);
    EXPECT_EQ(main.StatusText(), "Ready.");
}

}  // namespace
}  // namespace shell::ui

// The Label Wizard toolbar button opens the print queue, whose "Find Customer" picks through the
// Customer Manager in select mode; a queue left neither printed nor saved makes the main window
// ask before the program ends. The letter and e-mail commands open their windows.
#include "shell/ui/CorrespondenceWindows.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <fstream>

#include "ShellFixture.h"
#include "correspondence/LabelLayout.h"
#include "correspondence/ui/FormLetterWizard.h"
#include "correspondence/ui/LabelWizard.h"
#include "correspondence/ui/SendMailMessage.h"
#include "customers/ui/CustomerManager.h"
#include "records/RecordTypes.h"
#include "shell/ui/CompanyWindows.h"
#include "shell/ui/CustomerWindows.h"
#include "shell/ui/InvoiceWindows.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/ProductWindows.h"
#include "support/ui/WindowDriving.h"
#include "widgets/DataBrowser.h"

namespace shell::ui {
namespace {

using testsupport::Click;
using testsupport::Find;
using testsupport::ThenInModal;

using CorrespondenceWindowsTest = shelltest::ShellTest;

TEST_F(CorrespondenceWindowsTest, TheQueueFilledFromTheCustomerManagerIsGuardedAtExit) {
    TMainForm& main = StartedWindow();
    CompanyWindows companyWindows(main);
    CustomerWindows customerWindows(main, companyWindows);
    ProductWindows productWindows(main, companyWindows);
    InvoiceWindows invoiceWindows(main, companyWindows, customerWindows, productWindows);
    CorrespondenceWindows windows(main, customerWindows, invoiceWindows);
    testsupport::AddRecords(engine,
                            records::RecordTypeOf(records::RecordKind::Customer).Describe("1"),
                            std::vector{testsupport::SampleCustomer("A1", "Alpha Traders")});
    for (Command command :
         {Command::LabelWizard, Command::FormLetterWizard, Command::SendEMailMessage})
        EXPECT_TRUE(main.IsCommandEnabled(command));

    correspondence::ui::TLblWiz& wizard = windows.labelWizard();
    customers::ui::TDemoForm& manager = customerWindows.manager();
    std::string layout = (dir.path() / "sheet.LBL").string();
    ThenInModal(wizard, [&] {
        // The queue needs a layout first; any layout file will do.
        correspondence::LabelLayout sheet;
        sheet.font = {"Arial", 10, 0, 0};
        std::ofstream(layout, std::ios::binary) << correspondence::LabelLayoutBytes(sheet);
        prompts.ExpectOpenFile(layout);
        testsupport::Trigger(wizard, "Open2");
        ThenInModal(manager, [&] { QTest::keyClick(&manager.browser(), Qt::Key_Return); });
        Click(wizard, "AddOne");
        EXPECT_EQ(Find<QTreeWidget>(wizard, "LabelList").topLevelItemCount(), 1);
        Click(wizard, "CloseBtn");
    });
    QTest::mouseClick(&Find<QToolButton>(main, "LabelButn"), Qt::LeftButton);
    EXPECT_TRUE(main.context().state.printQueue.pending());

    ThenInModal(windows.letterWizard(),
                [&] { testsupport::Trigger(windows.letterWizard(), "FileExitItem"); });
    testsupport::Trigger(main, "FormLetterWizard1");
    ThenInModal(windows.mailMessage(), [&] { Click(windows.mailMessage(), "SpeedButton16"); });
    testsupport::Trigger(main, "SendEMailMessage1");

    prompts.ExpectYesNo("Please Confirm",
                        "You have labels in the print queue that you have not printed or saved "
                        "to a file. Exit anyway?",
                        false);
    EXPECT_FALSE(main.close());
}

}  // namespace
}  // namespace shell::ui

// End to end, as a new user: a data folder fresh from `kt-invorra-tool init`, the starter company
// set up for e-mail, a first customer, and a first invoice typed, posted and e-mailed to a real
// SMTP server on 127.0.0.1, all through the program's own windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include "ShellFixture.h"
#include "base/Text.h"
#include "company/ui/CompanyManager.h"
#include "company/ui/CompanyOptions.h"
#include "customers/ui/CustomerDialog.h"
#include "customers/ui/CustomerManager.h"
#include "invoicing/InvoiceDocument.h"
#include "invoicing/InvoiceFiles.h"
#include "invoicing/InvoiceMailText.h"
#include "invoicing/ui/InvoiceEntry.h"
#include "invoicing/ui/InvoiceManager.h"
#include "shell/ui/CompanyWindows.h"
#include "shell/ui/CustomerWindows.h"
#include "shell/ui/InvoiceWindows.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/PaymentWindows.h"
#include "shell/ui/ProductWindows.h"
#include "support/SmtpServer.h"
#include "support/ui/WindowDriving.h"
#include "widgets/DataBrowser.h"

namespace shell::ui {
namespace {

namespace fs = std::filesystem;

using testsupport::Click;
using testsupport::Find;
using testsupport::ThenInModal;
using testsupport::Trigger;

constexpr char kCompanyName[] = "Acme Design Studio";
constexpr char kCompanyAddress[] = "billing@acme.example";
constexpr char kCustomerName[] = "Harbour Cafe";
constexpr char kCustomerAddress[] = "accounts@harbour.example";

class FirstInvoiceTest : public shelltest::ShellTest {
protected:
    // The mail connection reads the login for the server from $HOME/.netrc: a developer's own
    // must not apply here.
    FirstInvoiceTest() {
        if (const char* home = std::getenv("HOME")) savedHome_ = home;
        setenv("HOME", dir.path().c_str(), 1);
    }
    ~FirstInvoiceTest() override {
        if (savedHome_)
            setenv("HOME", savedHome_->c_str(), 1);
        else
            unsetenv("HOME");
    }

    // The program as it starts for a user: every window wired to the main window.
    TMainForm& Start() {
        TMainForm& main = NewMainWindow();
        companyWindows_ = std::make_unique<CompanyWindows>(main);
        customerWindows_ = std::make_unique<CustomerWindows>(main, *companyWindows_);
        productWindows_ = std::make_unique<ProductWindows>(main, *companyWindows_);
        invoiceWindows_ = std::make_unique<InvoiceWindows>(main, *companyWindows_,
                                                           *customerWindows_, *productWindows_);
        paymentWindows_ = std::make_unique<PaymentWindows>(main, *customerWindows_);
        EXPECT_TRUE(main.FormCreate());
        main.show();
        EXPECT_TRUE(main.FormShow());
        return main;
    }

    void NewFileMessage(const std::string& kind) {
        prompts.ExpectInform(
            "New Company", "I am going to create a new, empty " + kind + " file for this company.");
    }

    static void ClickTool(const QWidget& window, const char* name) {
        QTest::mouseClick(&Find<QToolButton>(window, name), Qt::LeftButton);
    }

    // Replaces what the field holds with `text`, as select-all and typing do.
    static void Retype(const QWidget& window, const char* name, const QString& text) {
        auto& edit = Find<QLineEdit>(window, name);
        edit.setFocus();
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&edit, text);
    }

    static void ShowTab(const QWidget& window, const char* tabs, const QString& title) {
        QTabBar* bar = Find<QTabWidget>(window, tabs).tabBar();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i) == title)
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        ASSERT_EQ(bar->tabText(bar->currentIndex()), title);
    }

    // The entry window made the active window with the keyboard in its grid: offscreen, windows
    // become active only when asked, and the keys below go where the focus is.
    static void FocusGrid(QWidget& entry) {
        entry.activateWindow();
        auto& grid = Find<QTableWidget>(entry, "StringGrid1");
        grid.setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &grid; }));
    }

    static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void Press(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCoreApplication::processEvents();  // an open cell ends its edit after the key
    }

    // One grid line with no product code: Tab past the code, then quantity, description and price
    // each typed into its cell; Enter goes on to the next line.
    static void TypeLine(const QString& quantity, const QString& description,
                         const QString& price) {
        Press(Qt::Key_Tab);
        Type(quantity);
        Press(Qt::Key_Tab);
        Type(description);
        Press(Qt::Key_Tab);
        Type(price);
        Press(Qt::Key_Return);
    }

    std::unique_ptr<CompanyWindows> companyWindows_;
    std::unique_ptr<CustomerWindows> customerWindows_;
    std::unique_ptr<ProductWindows> productWindows_;
    std::unique_ptr<InvoiceWindows> invoiceWindows_;
    std::unique_ptr<PaymentWindows> paymentWindows_;

private:
    std::optional<std::string> savedHome_;
};

TEST_F(FirstInvoiceTest, NewUserSetsUpAndEMailsTheFirstInvoice) {
    const fs::path folder = dir.path() / "data";
    const std::string init =
        std::string(KT_TOOL_PATH) + " init '" + folder.string() + "' >/dev/null";
    ASSERT_EQ(std::system(init.c_str()), 0);
    fs::current_path(folder);
    testsupport::SmtpServer server(dir.path() / "spool", "plain");
    TMainForm& main = Start();

    // The Company Manager: the starter company gets a name, an address and a mail server, and
    // becomes the current company.
    company::ui::TListComps& companies = companyWindows_->manager();
    company::ui::TCompSet& options = companyWindows_->options();
    ThenInModal(companies, [&] {
        ThenInModal(options, [&] {
            Retype(options, "CName", kCompanyName);
            ShowTab(options, "PageControl1", "E-Mail");
            Retype(options, "CEmailAdd", kCompanyAddress);
            Retype(options, "CEMailHost", QString::fromStdString(server.Host()));
            Click(options, "OKBtn");
        });
        Trigger(companies, "EditItem");
        Trigger(companies, "SetDefaultItem");
    });
    ClickTool(main, "CompButn");
    EXPECT_TRUE(main.BannerText().contains(kCompanyName));

    // The Customer Manager: a first customer with a billing address and an e-mail address. The
    // company's files are made as they are first needed, each announced.
    customers::ui::TDemoForm& customers = customerWindows_->manager();
    customers::ui::TEditDlg& customer = customerWindows_->dialog();
    ThenInModal(customers, [&] {
        ThenInModal(customer, [&] {
            Retype(customer, "CNo", "HC1");
            Retype(customer, "CName", kCustomerName);
            Retype(customer, "CAdd1Edit", "12 Quay Street");
            Retype(customer, "CAdd2Edit", "Portside");
            Retype(customer, "EMadd", kCustomerAddress);
            Click(customer, "OKBtn");
        });
        Trigger(customers, "NewItem");
        Trigger(customers, "CloseItem");
    });
    NewFileMessage("customer");
    ClickTool(main, "CustButn");

    // Printed output now goes by e-mail.
    Find<QRadioButton>(main, "EMailRB").click();

    // The Invoice Manager: a new invoice for the customer with two typed lines, then Print sends
    // it by e-mail.
    invoicing::ui::Tinvlist& invoices = invoiceWindows_->manager();
    invoicing::ui::TProdInv& entry = invoiceWindows_->entry();
    QString added, sent;
    ThenInModal(invoices, [&] {
        EXPECT_EQ(invoices.windowTitle(), "Invoice Manager - (E-Mail Mode)");
        ThenInModal(entry, [&] {
            ThenInModal(customers, [&] { QTest::keyClick(&customers.browser(), Qt::Key_Return); });
            Click(entry, "BitBtn3");
            Find<QCheckBox>(entry, "PrintFlag").click();  // sent below with Print
            FocusGrid(entry);
            TypeLine("2", "Logo design", "150.00");
            TypeLine("3", "Letterhead layout", "40.00");
            Click(entry, "OKButton");
        });
        Trigger(invoices, "NewItem");
        added = Find<QLabel>(invoices, "HintPanel").text();
        prompts.ExpectInform("E-Mail Invoice", "Invoice sent by e-mail.");
        Trigger(invoices, "PrintBtn");
        sent = Find<QLabel>(invoices, "HintPanel").text();
        Trigger(invoices, "CloseItem");
    });
    NewFileMessage("invoice");
    ClickTool(main, "InvButn");
    EXPECT_EQ(added, "Added invoice 100 containing 2 line item(s).");
    EXPECT_EQ(sent, "Invoice 100 sent by e-mail.");
    prompts.Verify();

    const auto received = server.Received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].recipients, std::vector<std::string>{kCustomerAddress});
    invoicing::InvoiceFiles files(engine, prompts, "1");
    ASSERT_TRUE(files.Open());
    std::string failure;
    auto document = invoicing::LoadDocument(files, main.state().currentCompany, "100", failure);
    ASSERT_TRUE(document) << failure;
    const auto record = files.FindInvoice("100");
    ASSERT_TRUE(files.Close());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->record.printed(), "Y");
    EXPECT_EQ(base::Trim(record->record.emailedDate()), "03/09/2026");
    document->printed = false;  // as it was when it went out
    std::string body;
    for (const auto& line : invoicing::InvoiceMailLines(*document, main.state().currentCompany))
        body += line + "\r\n";
    EXPECT_TRUE(received[0].data.ends_with("\r\n\r\n" + body)) << received[0].data;
    for (const char* line : {
             "Acme Design Studio                            INVOICE",
             "Harbour Cafe                          Deliver To:",
             "12 Quay Street                        12 Quay Street",
             "Number: 100",
             "                    2 Logo design                           150.00         300.00",
             "                    3 Letterhead layout                      40.00         120.00",
             "Grand Total:       420.00",
         })
        EXPECT_NE(received[0].data.find(std::string("\r\n") + line + "\r\n"), std::string::npos)
            << line;
}

}  // namespace
}  // namespace shell::ui

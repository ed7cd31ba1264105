// The Send E-Mail Message window: a failed check puts the cursor in its field, and Enter sends the
// typed message to the queue over a real SMTP server. The checks and the run are tested in
// tests/correspondence/BulkMailTest.
#include "correspondence/ui/SendMailMessage.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "records/RecordTypes.h"
#include "support/Samples.h"
#include "support/SmtpServer.h"
#include "support/ui/TestWindowContext.h"
#include "support/ui/WindowDriving.h"

namespace correspondence::ui {
namespace {

using testsupport::Find;
using testsupport::ThenInModal;

TEST(SendMailMessageTest, KeysTypeTheMessageAndEnterSendsItToTheQueue) {
    testsupport::TestWindowContext w;
    testsupport::SmtpServer server(w.dir.path() / "spool", "plain");
    records::CompanyRecord company = testsupport::SampleCompany("1", "Acme Supply Co");
    company.setEmail("office@acme.example");
    company.setSmtpServer(server.Host());
    testsupport::AddCompanies({company});
    w.state.currentCompany = *testsupport::StoredCompany("1");
    records::CustomerRecord customer = testsupport::SampleCustomer("A1", "Alpha Traders");
    customer.setEmail("ap@alpha.example");
    testsupport::AddRecords(w.engine,
                            records::RecordTypeOf(records::RecordKind::Customer).Describe("1"),
                            std::vector{customer});
    w.state.printQueue.AddCustomer(customer);
    mail::MailConnection mail(w.prompts, w.clock);
    int queueShown = 0;
    TEMMemo window({w.prompts, w.engine, w.state, mail, w.statusWindow, [&] { ++queueShown; },
                    [&](const QString& topic) { w.helpTopics.push_back(topic); }});

    ThenInModal(window, [&] {
        testsupport::Activate(window);
        auto& subject = Find<QLineEdit>(window, "EMSubject");
        auto& returnAddress = Find<QLineEdit>(window, "EMRetAdd");
        EXPECT_TRUE(subject.hasFocus());
        EXPECT_EQ(returnAddress.text(), "office@acme.example");
        EXPECT_EQ(Find<QLabel>(window, "Label3").text(), "Records in Queue: 1");
        QTest::keyClicks(&subject, "Spring sale");
        QTest::keyClick(&subject, Qt::Key_Tab);
        QTest::keyClick(&returnAddress, Qt::Key_End);
        QTest::keyClicks(&returnAddress, ", spy@evil.example");
        w.prompts.ExpectWarn("Return E-Mail Address",
                             "The return e-mail address does not have the @ sign included. Bad "
                             "e-mail address.");
        QTest::keyClick(&returnAddress, Qt::Key_Return);
        EXPECT_TRUE(returnAddress.hasFocus());
        returnAddress.setText("office@acme.example");
        QTest::keyClick(&returnAddress, Qt::Key_Tab);
        QTest::keyClicks(&Find<QPlainTextEdit>(window, "EMBody"), "Ten percent off.");
        w.prompts.ExpectInform("E-Mail Sent", "There were 1 e-mail messages sent.");
        testsupport::Click(window, "OKButton");
        QPixmap picture = window.grab();
        picture.save(qEnvironmentVariable("KT_SCREENSHOTS", "/tmp") + "/send-mail.png");
        testsupport::Click(window, "SpeedButton16");
    });
    window.Execute();
    ASSERT_EQ(server.Received().size(), 1u);
    EXPECT_EQ(server.Received()[0].recipients, std::vector<std::string>{"ap@alpha.example"});
    EXPECT_FALSE(w.state.printQueue.pending());
}

}  // namespace
}  // namespace correspondence::ui

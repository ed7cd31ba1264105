#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "correspondence/BulkMail.h"
#include "support/CompanyOneFixture.h"
#include "support/SmtpServer.h"
#include "support/TempDir.h"

namespace correspondence {
namespace {

using testsupport::SmtpServer;

constexpr char kCompanyAddress[] = "office@example.com";
constexpr char kConnectionText[] =
    "The connection could not be made or has been terminated. Unable to continue.";

TEST(BulkMailChecks, TheFormIsCheckedInOrderBeforeAnythingConnects) {
    struct Case {
        BulkMailForm form;
        size_t queued;
        std::optional<BulkMailField> field;
        std::string text;
    };
    const std::string noAt =
        "The return e-mail address does not have the @ sign included. Bad e-mail address.";
    const Case cases[] = {
        {{" ", "", ""}, 0, BulkMailField::Subject, "You need an e-mail subject line."},
        {{"Hi\r\nBcc: x@y.z", "a@b.c", "x"},
         1,
         BulkMailField::Subject,
         "The subject must be one line."},
        {{"Hi", " ", ""}, 0, BulkMailField::ReturnAddress, "You need a return e-mail address."},
        {{"Hi", "office.example.com", "x"}, 1, BulkMailField::ReturnAddress, noAt},
        {{"Hi", "a@b.c, spy@d.e", "x"}, 1, BulkMailField::ReturnAddress, noAt},
        {{"Hi", "a@b.c>\r\nRCPT TO:<spy@d.e", "x"}, 1, BulkMailField::ReturnAddress, noAt},
        {{"Hi", "<a@b.c", "x"}, 1, BulkMailField::ReturnAddress, noAt},
        {{"Hi", "a@b.c", " \n "},
         1,
         BulkMailField::Body,
         "You have not entered a message to send."},
        {{"Hi", "a@b.c", "x"},
         0,
         BulkMailField::Queue,
         "You do not have any customers selected (listed) in the print queue. Select the Queue "
         "button to add customers to the queue."},
        {{"Hi", " a@b.c ", "x"}, 1, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const auto refusal = CheckBulkMail(c.form, c.queued);
        ASSERT_EQ(refusal.has_value(), c.field.has_value()) << c.form.returnAddress;
        if (!refusal) continue;
        EXPECT_EQ(refusal->field, *c.field) << c.text;
        EXPECT_EQ(refusal->text, c.text);
    }
}

// Started before the company is made, which names the server as its mail host.
struct LoopbackServer {
    testsupport::TempDir spool_;
    SmtpServer server_{spool_.path() / "spool", "plain"};
};

class BulkMailTest : protected LoopbackServer, public testsupport::CompanyOneFixture {
protected:
    explicit BulkMailTest(bool toCompany = false)
        : CompanyOneFixture([&](records::CompanyRecord& company) {
              company.setEmail(kCompanyAddress);
              company.setSmtpServer(server_.Host());
              company.setEmailWithoutAddress(toCompany);
          }) {}

    void Queue(const std::vector<std::pair<std::string, std::string>>& customers) {
        std::vector<records::CustomerRecord> records;
        for (const auto& [number, email] : customers) {
            records::CustomerRecord customer =
                testsupport::SampleCustomer(number, "Customer " + number);
            customer.setEmail(email);
            records.push_back(customer);
            state.printQueue.AddCustomer(customer);
        }
        testsupport::AddRecords(engine, File(records::RecordKind::Customer), records);
    }

    std::optional<BulkMailResult> Send(BulkMailForm form = {"Spring sale", kCompanyAddress,
                                                            "Dear customer,\n.\nBye"}) {
        BulkMailRun run{prompts, engine, mail_, state.currentCompany, state.printQueue};
        return SendEmailMessage(run, form);
    }

    static mail::MailOptions Options() {
        mail::MailOptions options;
        options.netrcFile = "/nonexistent/netrc";
        options.connectTimeout = std::chrono::milliseconds(2000);
        options.replyTimeout = std::chrono::seconds(2);
        options.transferTimeout = std::chrono::seconds(10);
        return options;
    }

    std::vector<std::string> Subjects() const {
        std::vector<std::string> subjects;
        for (const auto& mail : server_.Received()) {
            const size_t at = mail.data.find("Subject: ");
            subjects.push_back(mail.data.substr(at + 9, mail.data.find('\r', at) - at - 9));
        }
        return subjects;
    }

    mail::MailConnection mail_{prompts, clock, {}, Options()};
};

TEST_F(BulkMailTest, ACustomerWithoutAddressIsCountedAndPassedOver) {
    Queue({{"A1", "a1@example.net"}, {"B1", " "}, {"C1", "c1@example.net"}});
    prompts.ExpectInform("E-Mail Addresses",
                         "There were 1 empty customer e-mail addresses. The customers were not "
                         "sent your message.");
    prompts.ExpectInform("E-Mail Sent", "There were 2 e-mail messages sent.");
    const std::optional<BulkMailResult> result = Send();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->sent, 2);
    EXPECT_EQ(result->empty, 1);
    EXPECT_EQ(result->sentTo, (std::vector<std::string>{"A1", "C1"}));
    EXPECT_FALSE(state.printQueue.pending());
    const auto received = server_.Received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].clientPort, received[1].clientPort);
    EXPECT_EQ(received[1].recipients, std::vector<std::string>{"c1@example.net"});
    // The lone dot line arrives whole: the transfer doubled it and the server undid that.
    EXPECT_NE(received[0].data.find("\r\n.\r\nBye"), std::string::npos);
}

class BulkMailToCompanyTest : public BulkMailTest {
protected:
    BulkMailToCompanyTest() : BulkMailTest(true) {}
};

TEST_F(BulkMailToCompanyTest, ACustomerWithoutAddressIsReportedToTheCompany) {
    Queue({{"A1", "a1@example.net"}, {"B1", ""}, {"C1", "c1@example.net"}});
    prompts.ExpectInform("E-Mail Sent", "There were 3 e-mail messages sent.");
    ASSERT_TRUE(Send());
    const auto received = server_.Received();
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[1].recipients, std::vector<std::string>{kCompanyAddress});
    EXPECT_EQ(Subjects(),
              (std::vector<std::string>{"Spring sale", "BAD E-MAIL ADDRESS FOR: Customer B1",
                                        "Spring sale"}));
}

TEST_F(BulkMailTest, ABadReturnAddressIsRefusedBeforeConnecting) {
    Queue({{"A1", "a1@example.net"}});
    prompts.ExpectWarn("Return E-Mail Address",
                       "The return e-mail address does not have the @ sign included. Bad e-mail "
                       "address.");
    EXPECT_FALSE(Send({"Sale", "office.example.com", "Hi"}));
    EXPECT_FALSE(mail_.Connected());
    EXPECT_TRUE(server_.Received().empty());
    EXPECT_TRUE(state.printQueue.pending());
}

TEST_F(BulkMailTest, ARefusedMessageFailsAndTheRunGoesOnAndADeletedCustomerGetsNothing) {
    Queue({{"A1", "reject@example.net"}, {"C1", "c1@example.net"}});
    state.printQueue.Add({"GONE", "", "", ""});
    prompts.ExpectWarn("E-Mail Not Sent",
                       "These customers were not sent your message:\n"
                       "A1: refused: 550 5.1.1 No such user here\n"
                       "GONE: Customer GONE is no longer on file.");
    prompts.ExpectInform("E-Mail Sent", "There were 1 e-mail messages sent.");
    const std::optional<BulkMailResult> result = Send();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->sent, 1);
    EXPECT_EQ(result->failures.size(), 2u);
    EXPECT_EQ(server_.Received().size(), 1u);
}

TEST_F(BulkMailTest, ALostConnectionStopsTheRunAndSaysWhoWasNotSent) {
    Queue({{"A1", "a1@example.net"}, {"B1", "drop@example.net"}, {"C1", "c1@example.net"}});
    prompts.ExpectMessage("KT Invorra Pro", kConnectionText, base::PromptAnswer::Ok,
                          base::PromptIcon::Error);
    prompts.ExpectWarn("E-Mail Mode",
                       "These customers were not sent your message:\n"
                       "B1: not sent: the connection to the mail server was lost\n"
                       "C1: not sent: the connection to the mail server was lost");
    const std::optional<BulkMailResult> result = Send();
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->stopped);
    EXPECT_EQ(result->sentTo, std::vector<std::string>{"A1"});
    EXPECT_TRUE(state.printQueue.pending());
}

}  // namespace
}  // namespace correspondence

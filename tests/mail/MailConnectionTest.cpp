#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "mail/MailConnection.h"
#include "support/ScriptedPrompts.h"
#include "support/SmtpServer.h"
#include "support/TempDir.h"

namespace mail {
namespace {

using testsupport::SmtpServer;

constexpr char kProgram[] = "KT Invorra Pro";
constexpr char kConnectionText[] =
    "The connection could not be made or has been terminated. Unable to continue.";
constexpr char kCompanyAddress[] = "billing@example.com";

MailMessage MessageTo(std::string recipient) {
    return {"Smith & Sons",
            kCompanyAddress,
            std::move(recipient),
            "Invoice 1001\r\nBcc: spy@example.org",
            {"Dear customer,", ".", "..", "Total \x80 5"}};
}

class MailConnectionTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        tzset();
    }

    // Small timeouts: a test that fails must fail fast, never hang.
    MailOptions Options(const SmtpServer* server = nullptr) const {
        MailOptions options;
        options.caBundle = server ? server->CaFile() : "";
        options.netrcFile = dir_.file("netrc");
        options.connectTimeout = std::chrono::milliseconds(2000);
        options.replyTimeout = std::chrono::seconds(1);
        options.transferTimeout = std::chrono::seconds(10);
        return options;
    }

    MailConnection Connection(MailOptions options) {
        return MailConnection(
            prompts_, clock_,
            {[this](std::string_view caption, std::string_view text) {
                 status_.push_back(std::string(caption) + ": " + std::string(text));
             },
             [this] { status_.push_back("hidden"); }},
            std::move(options));
    }

    void WriteNetrc(const std::string& password) {
        std::ofstream(dir_.file("netrc"))
            << "machine 127.0.0.1 login billing password " << password << "\n";
    }

    void ExpectConnectionMessage() {
        prompts_.ExpectMessage(kProgram, kConnectionText, base::PromptAnswer::Ok,
                               base::PromptIcon::Error);
    }

    testsupport::TempDir dir_;
    testsupport::ScriptedPrompts prompts_;
    base::FixedClock clock_{{{2026, 12, 7}, 10, 30, 5}};
    std::vector<std::string> status_;
};

TEST_F(MailConnectionTest, TlsAndLoginModes) {
    const struct {
        std::string what;
        std::string mode;
        std::string scheme;
        std::string netrcPassword;  // empty: no netrc file
        bool trustServer;
        bool checkPasses;
        SendOutcome outcome;
    } cases[] = {
        {"STARTTLS", "starttls", "", "", true, true, SendOutcome::Accepted},
        {"implicit TLS", "smtps", "smtps://", "", true, true, SendOutcome::Accepted},
        {"login from netrc", "auth", "", "s3cret", true, true, SendOutcome::Accepted},
        {"no login for a server that wants one", "auth", "", "", true, true, SendOutcome::Rejected},
        {"wrong password", "auth", "", "wrong", true, false, SendOutcome::ConnectionLost},
        {"untrusted certificate", "starttls", "", "", false, false, SendOutcome::ConnectionLost},
        {"untrusted certificate, implicit TLS", "smtps", "smtps://", "", false, false,
         SendOutcome::ConnectionLost},
    };
    int run = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SmtpServer server(dir_.path() / ("spool" + std::to_string(++run)), c.mode,
                          "billing:s3cret");
        std::filesystem::remove(dir_.file("netrc"));
        if (!c.netrcPassword.empty()) WriteNetrc(c.netrcPassword);
        MailOptions options = Options(c.trustServer ? &server : nullptr);
        MailConnection connection = Connection(options);
        if (!c.checkPasses) {
            ExpectConnectionMessage();
            prompts_.ExpectInform(kProgram, "Not Online");
        }
        EXPECT_EQ(connection.MailCheck(kCompanyAddress, server.Host(c.scheme)), c.checkPasses);
        prompts_.Verify();
        if (!c.checkPasses) continue;
        const SendResult result = connection.Send(MessageTo("customer@example.net"));
        EXPECT_EQ(result.outcome, c.outcome) << result.reply;
        EXPECT_EQ(server.Received().size(), c.outcome == SendOutcome::Accepted ? 1u : 0u);
        if (c.outcome == SendOutcome::Rejected) {
            EXPECT_EQ(result.reply.substr(0, 3), "530");
        }
    }
}

// One connection serves the run and carries each message byte for byte; a refused message is
// only that message's failure, a dropped connection ends the run with the connection message.
TEST_F(MailConnectionTest, RunSendsOverOneConnectionAndStopsWhenItIsLost) {
    SmtpServer server(dir_.path() / "spool", "plain");
    MailConnection connection = Connection(Options());
    ASSERT_TRUE(connection.MailCheck(kCompanyAddress, server.Host()));
    EXPECT_EQ(status_,
              (std::vector<std::string>{"E-Mail Mode: Checking E-Mail Server...", "hidden"}));
    const std::vector<std::string> recipients = {
        " one@example.net ", "two@example.net",  "reject@example.net", "bad address@example.net",
        "three@example.net", "drop@example.net", "four@example.net"};
    const std::vector<SendOutcome> expected = {SendOutcome::Accepted, SendOutcome::Accepted,
                                               SendOutcome::Rejected, SendOutcome::BadAddress,
                                               SendOutcome::Accepted, SendOutcome::ConnectionLost};
    ExpectConnectionMessage();
    std::vector<SendOutcome> outcomes;
    std::vector<std::string> replies;
    for (const std::string& recipient : recipients) {
        if (!connection.Connected()) break;
        const SendResult result = connection.Send(MessageTo(recipient));
        outcomes.push_back(result.outcome);
        replies.push_back(result.reply);
    }
    EXPECT_EQ(outcomes, expected);
    EXPECT_EQ(replies[2], "550 5.1.1 No such user here");
    EXPECT_EQ(connection.Send(MessageTo("four@example.net")).outcome, SendOutcome::ConnectionLost);

    const auto received = server.Received();
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[0].from, kCompanyAddress);
    EXPECT_EQ(received[0].recipients, std::vector<std::string>{"one@example.net"});
    EXPECT_EQ(received[0].clientPort, received[1].clientPort);
    EXPECT_EQ(received[2].recipients[0], "three@example.net");
    // What was rendered, lines of dots included; the Message-ID's token is the random part.
    std::smatch id;
    ASSERT_TRUE(std::regex_search(received[0].data, id,
                                  std::regex("Message-ID: <20261207103005\\.(\\w{16})@example")));
    EXPECT_EQ(received[0].data,
              RenderMessage(MessageTo("one@example.net"), {clock_.Now(), 0, id[1]}));
}

TEST_F(MailConnectionTest, ConnectionTheServerClosedWhileIdleIsOpenedAgain) {
    SmtpServer server(dir_.path() / "spool", "plain", "", 0.3);
    MailConnection connection = Connection(Options());
    ASSERT_TRUE(connection.MailCheck(kCompanyAddress, server.Host()));
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    ASSERT_TRUE(connection.MailCheck(kCompanyAddress, server.Host()));
    EXPECT_EQ(connection.Send(MessageTo("one@example.net")).outcome, SendOutcome::Accepted);
}

TEST_F(MailConnectionTest, NoServerGivesTheConnectionMessageWithoutHanging) {
    testsupport::SilentServer silent;
    const std::string hosts[] = {"127.0.0.1:" + std::to_string(testsupport::UnusedPort()),
                                 "127.0.0.1:" + std::to_string(silent.port())};
    for (const std::string& host : hosts) {
        SCOPED_TRACE(host);
        status_.clear();
        MailConnection connection = Connection(Options());
        ExpectConnectionMessage();
        prompts_.ExpectInform(kProgram, "Not Online");
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(connection.MailCheck(kCompanyAddress, host));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
        EXPECT_EQ(status_,
                  (std::vector<std::string>{"E-Mail Mode: Checking E-Mail Server...", "hidden"}));
        EXPECT_EQ(connection.Send(MessageTo("one@example.net")).outcome,
                  SendOutcome::ConnectionLost);
        prompts_.Verify();
    }
}

TEST_F(MailConnectionTest, MailCheckNeedsCompanyAddressAndHost) {
    const std::string companyText =
        "You need to enter your company e-mail address in your company setup so your customers "
        "have a return e-mail address for you.";
    const std::string hostText =
        "You need to enter your company Host Mail Server. This is who will be used to e-mail "
        "your invoices.";
    const struct {
        std::string email, host, caption, text;
    } cases[] = {
        {"", "mail.example.com", "Your Company E-Mail Address", companyText},
        {"billing at example.com", "mail.example.com", "Your Company E-Mail Address", companyText},
        {kCompanyAddress, "  ", "Your Company E-Mail Host Server", hostText},
        {kCompanyAddress, "ftp://mail.example.com", "Your Company E-Mail Host Server", hostText},
    };
    MailConnection connection = Connection(Options());
    for (const auto& c : cases) {
        prompts_.ExpectInform(c.caption, c.text);
        EXPECT_FALSE(connection.MailCheck(c.email, c.host)) << c.email << " / " << c.host;
        prompts_.Verify();
    }
    EXPECT_TRUE(status_.empty());
}

}  // namespace
}  // namespace mail

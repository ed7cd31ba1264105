// Batch statements: who is chosen, the batch size, the pauses, the run's tally, the last batch
// date, and the e-mail run against a real SMTP server on 127.0.0.1.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/Text.h"
#include "statements/StatementBatch.h"
#include "statements/StatementFixture.h"
#include "support/SmtpServer.h"

namespace statements::testing {
namespace {

constexpr char kProgram[] = "KT Invorra Pro";
constexpr char kConnectionText[] =
    "The connection could not be made or has been terminated. Unable to continue.";
constexpr char kPause[] = "Batch Job Pause...";

records::CustomerRecord Owing(std::string number, std::string name,
                              std::array<std::string, 4> aging, std::string email = "") {
    records::CustomerRecord c = testsupport::SampleCustomer(number, name);
    base::Decimal balance;
    for (const std::string& a : aging) balance += base::Decimal::ParseOrZero(a);
    c.setBalanceAmount(balance);
    c.setAging1(aging[0]);
    c.setAging2(aging[1]);
    c.setAging3(aging[2]);
    c.setAging4(aging[3]);
    c.setEmail(email);
    return c;
}

class StatementBatchTest : public StatementFixture {
protected:
    StatementBatchTest() {
        setenv("TZ", "UTC0", 1);
        tzset();
    }

    // Five customers owing in one category each (and one owing nothing), by name:
    // Cole (current), Dale (31-60), Eden (61-90), Fitz (over 90), Gray (credit in 31-60).
    void AddOwingCustomers(std::array<std::string, 5> emails = {}) {
        AddCustomers({Owing("C1", "Cole Stores", {"10.00", "0.00", "0.00", "0.00"}, emails[0]),
                      Owing("C2", "Dale Supply", {"0.00", "20.00", "0.00", "0.00"}, emails[1]),
                      Owing("C3", "Eden Farms", {"0.00", "0.00", "30.00", "0.00"}, emails[2]),
                      Owing("C4", "Fitz Motors", {"0.00", "0.00", "0.00", "40.00"}, emails[3]),
                      Owing("C5", "Gray Works", {"0.00", "-5.00", "0.00", "0.00"}, emails[4])});
        for (const char* number : {"C1", "C2", "C3", "C4", "C5"})
            AddItems({Item(number, std::string("9") + (number + 1), "I", "2026/10/01", "10.00",
                           "0.00", "10.00")});
    }

    OutputContext Printing() {
        return {state.currentCompany, company::PrintedOutput::PrinterOrFax,
                [this](const Statement& s, const auto&) {
                    printed.push_back(s.customer.number);
                    return !failPrinter;
                },
                nullptr, "12/06/2026"};
    }

    std::optional<StatementTally> RunCommand(OutputContext& output, BatchChoice choice,
                                             std::string typedSize) {
        BatchSteps steps;
        steps.choose = [choice] { return choice; };
        steps.askSize = [&](const BatchDialogTexts& texts, size_t count) {
            dialogTexts = texts;
            return BatchSize(typedSize, count, prompts);
        };
        steps.shown.status = [this](std::string_view line) { statuses.emplace_back(line); };
        steps.shown.progress = [this](std::string_view line) { progress.emplace_back(line); };
        return BatchStatementsCommand(engine, prompts, Customers(), output, state, clock, steps);
    }

    std::string LastBatchDate() {
        return base::Trim(testsupport::StoredCompany("1")->lastStatementRunDate());
    }

    std::vector<std::string> printed;
    bool failPrinter = false;
    BatchDialogTexts dialogTexts;
    std::vector<std::string> statuses, progress;
};

TEST_F(StatementBatchTest, SelectionsChooseByStoredCategories) {
    AddOwingCustomers();
    struct Case {
        BalanceSelection selection;
        std::vector<std::string> numbers;
    };
    const std::vector<Case> cases = {
        {BalanceSelection::All, {"C1", "C2", "C3", "C4", "C5"}},
        {BalanceSelection::Over30, {"C2", "C3", "C4", "C5"}},
        {BalanceSelection::Over60, {"C3", "C4"}},
        {BalanceSelection::Over90, {"C4"}},
    };
    for (const Case& c : cases) EXPECT_EQ(*CollectCustomers(Customers(), c.selection), c.numbers);
    // A1, A10 and B2 owe nothing and are never chosen.
}

TEST(StatementBatchSize, TypedSizeIsCorrectedOrRefused) {
    struct Case {
        std::string typed;
        std::optional<size_t> size;
    };
    const std::vector<Case> cases = {{"2", 2},   {"0", 1},           {"9", 5},
                                     {" 5 ", 5}, {"", std::nullopt}, {"x2", std::nullopt}};
    for (const Case& c : cases) {
        testsupport::ScriptedPrompts prompts;
        if (!c.size) prompts.ExpectWarn("Number to Batch Print", kBatchSizeNeeded);
        EXPECT_EQ(BatchSize(c.typed, 5, prompts), c.size) << c.typed;
    }
}

// Batches of 2: a pause after the second and the fourth statement; the run goes on, every
// statement is printed, and the last batch date becomes today.
TEST_F(StatementBatchTest, PrintedBatchPausesBetweenBatchesAndStoresTheDate) {
    AddOwingCustomers();
    state.currentCompany.setLabelQueueOnBatchPrint(true);
    prompts.ExpectYesNo(kPause,
                        "2 statements processed during this cycle. There are 3 statements "
                        "remaining. Do you want to continue?",
                        true);
    prompts.ExpectYesNo(kPause,
                        "2 statements processed during this cycle. There are 1 statements "
                        "remaining. Do you want to continue?",
                        true);
    OutputContext output = Printing();
    const auto tally = RunCommand(output, {BalanceSelection::All, false}, "2");
    ASSERT_TRUE(tally);
    EXPECT_EQ(dialogTexts.count, "There are 5 statements to be printed.");
    EXPECT_EQ(dialogTexts.button, "&Print");
    EXPECT_EQ(dialogTexts.lastRun, "Last Batch Run: ");
    EXPECT_EQ(printed, (std::vector<std::string>{"C1", "C2", "C3", "C4", "C5"}));
    EXPECT_EQ(tally->sent, 5);
    EXPECT_TRUE(tally->Completed());
    EXPECT_EQ(LastBatchDate(), "12/06/2026");
    EXPECT_EQ(state.currentCompany.lastStatementRunDate(), "12/06/2026");
    EXPECT_EQ(progress.front(), "Printing Statement 1 ...");
    EXPECT_EQ(statuses.front(), "Spooling statement 1 of 5 (batches of 2) ...");
    EXPECT_EQ(statuses.back(), "Batch Print complete. 5 statements sent to spooler.");
    EXPECT_EQ(state.printQueue.size(), 5u);
}

// "No" at a pause ends the run; the last batch date stays as it was.
TEST_F(StatementBatchTest, NoAtAPauseCancelsAndKeepsTheLastBatchDate) {
    AddOwingCustomers();
    prompts.ExpectYesNo(kPause,
                        "2 statements processed during this cycle. There are 3 statements "
                        "remaining. Do you want to continue?",
                        false);
    OutputContext output = Printing();
    const auto tally = RunCommand(output, {BalanceSelection::All, false}, "2");
    ASSERT_TRUE(tally);
    EXPECT_EQ(printed.size(), 2u);
    EXPECT_TRUE(tally->canceled);
    EXPECT_EQ(statuses.back(), "Batch job canceled.");
    EXPECT_EQ(LastBatchDate(), "");
}

TEST_F(StatementBatchTest, NobodyQualifyingIsSaid) {
    prompts.ExpectInform("Batch Print - Statements", kNoCustomersText);
    OutputContext output = Printing();
    EXPECT_FALSE(RunCommand(output, {BalanceSelection::All, false}, "1"));
}

// A printer that fails stops the run: the rest would fail too. The date is not stored.
TEST_F(StatementBatchTest, AFailedPrinterStopsTheRunAndSaysWho) {
    AddOwingCustomers();
    failPrinter = true;
    prompts.ExpectWarn("Batch Print - Statements",
                       "Batch Print complete.\n\nPrinted: 0\nFailed: 1\nNot sent: 4\n\nThe run "
                       "stopped there; the rest was not sent.\nStatement for Cole Stores: The "
                       "statement was not printed.");
    OutputContext output = Printing();
    const auto tally = RunCommand(output, {BalanceSelection::All, false}, "5");
    ASSERT_TRUE(tally);
    EXPECT_TRUE(tally->stopped);
    EXPECT_EQ(LastBatchDate(), "");
}

// Five statements by e-mail over one connection: the second address is refused (550) and the run
// goes on; the fourth drops the connection and the run stops there. Each is accounted for, and
// the last batch date stays as it was.
TEST_F(StatementBatchTest, MailBatchReportsSentFailedAndStopsOnALostConnection) {
    testsupport::SmtpServer server(dir.path() / "spool", "plain");
    AddOwingCustomers({"cole@example.com", "reject@dale.example", "eden@example.com",
                       "drop@fitz.example", "gray@example.com"});
    state.currentCompany.setSmtpServer(server.Host());
    mail::MailOptions options;
    options.connectTimeout = std::chrono::milliseconds(2000);
    options.replyTimeout = std::chrono::seconds(2);
    options.transferTimeout = std::chrono::seconds(10);
    mail::MailConnection mail(prompts, clock, {}, options);
    OutputContext output{
        state.currentCompany, company::PrintedOutput::EMail, {}, &mail, "12/06/2026"};
    prompts.ExpectMessage(kProgram, kConnectionText, base::PromptAnswer::Ok,
                          base::PromptIcon::Error);
    prompts.ExpectInform(
        "Batch E-Mail",
        "E-mail operation complete.\n\nSent: 2\nFailed: 2\nNot sent: 1\n\nThe run stopped there; "
        "the rest was not sent.\nStatement for Dale Supply: 550 5.1.1 No such user here\n"
        "Statement for Fitz Motors: The connection to the mail server was lost.");
    const auto tally = RunCommand(output, {BalanceSelection::All, false}, "5");
    ASSERT_TRUE(tally);
    EXPECT_EQ(dialogTexts.count, "There are 5 statements to be e-mailed.");
    EXPECT_EQ(tally->sent, 2);
    EXPECT_EQ(tally->failed, 2);
    EXPECT_TRUE(tally->stopped);
    EXPECT_EQ(statuses.back(), "Batch complete. 2 statements sent by e-mail.");
    EXPECT_EQ(progress.front(), "E-Mailing Statement 1 ...");
    const auto received = server.Received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].recipients, (std::vector<std::string>{"cole@example.com"}));
    EXPECT_EQ(received[1].recipients, (std::vector<std::string>{"eden@example.com"}));
    EXPECT_NE(received[0].data.find("Subject: Statement - Cole Stores"), std::string::npos);
    EXPECT_EQ(LastBatchDate(), "");
}

}  // namespace
}  // namespace statements::testing

// Sending invoices out: the copies of one invoice and their order, when an invoice counts as
// printed, e-mail through a real SMTP server on 127.0.0.1 and Batch Print.

#include <gtest/gtest.h>

#include "InvoicingFixture.h"
#include "base/Text.h"
#include "invoicing/BatchPrint.h"
#include "invoicing/InvoiceDispatch.h"
#include "invoicing/InvoiceMailText.h"
#include "support/RecordingCanvas.h"
#include "support/SmtpServer.h"

namespace invoicing::testing {
namespace {

constexpr char kCompanyAddress[] = "billing@acme.example";
constexpr char kProgram[] = "KT Invorra Pro";
constexpr char kConnectionText[] =
    "The connection could not be made or has been terminated. Unable to continue.";

// The printer: each copy on a recording canvas of its own, "1001 INV", "1001 FCP2", ...
class RecordingSink : public PrintSink {
public:
    bool Print(const PrintedCopy& copy, const std::function<bool(base::Canvas&)>& draw) override {
        static const char* const kCodes[] = {"INV", "PSL", "FCP"};
        std::string name = copy.number + " " + kCodes[static_cast<int>(copy.kind)];
        if (copy.kind == DocumentKind::FileCopy) name += std::to_string(copy.copy);
        copies.push_back(name);
        canvases.emplace_back();
        return draw(canvases.back());
    }
    std::vector<std::string> copies;
    std::vector<testsupport::RecordingCanvas> canvases;
};

bool Shows(const testsupport::RecordingCanvas& canvas, std::string_view text) {
    return std::ranges::any_of(canvas.texts(), [&](const auto& t) { return t.text == text; });
}

class InvoiceDispatchTest : public InvoicingFixture {
protected:
    InvoiceDispatchTest() {
        setenv("TZ", "UTC0", 1);
        tzset();
        state.currentCompany.setEmail(kCompanyAddress);
        state.currentCompany.setInvoiceCaption("INVOICE");
    }

    // Invoice `number` of customer `customer` for 10.00 plus tax.
    void AddInvoice(const std::string& number, const std::string& customer = "A1") {
        InvoiceDraft draft = Draft(number, {{"", "1", "Service call", "10.00", "N"}});
        draft.customer = customer;
        ASSERT_TRUE(Add(draft));
    }

    void SetCustomerEmail(const std::string& number, const std::string& email) {
        auto found = receivables::FindCustomer(engine, prompts, "1", number);
        ASSERT_TRUE(found);
        engine::RecordFile<records::CustomerRecord> file(
            engine, File(records::RecordKind::Customer), prompts);
        ASSERT_TRUE(file.Open());
        records::CustomerRecord changed = found->record;
        changed.setEmail(email);
        EXPECT_TRUE(receivables::Written(file.Update(found->recordNumber, changed, found->record)));
        ASSERT_TRUE(file.Close());
    }

    // "Y" and the e-mailed date of each record numbered `number`.
    std::vector<std::string> Marks(const std::string& number) {
        std::vector<std::string> marks;
        for (const auto& r : Invoices())
            if (base::Trim(r.invoiceNumber()) == number)
                marks.push_back(base::Trim(r.printed()) + "|" + base::Trim(r.emailedDate()));
        return marks;
    }

    // Runs `run` on the open invoice files with a dispatch context in `mode`.
    template <typename Run>
    auto WithContext(OutputMode mode, Run run) {
        InvoiceFiles invoiceFiles(engine, prompts, "1");
        EXPECT_TRUE(invoiceFiles.Open());
        DispatchContext context{
            invoiceFiles,    state.currentCompany, mode, sink, mail ? &*mail : nullptr, clock,
            state.todayText, &state.printQueue};
        auto result = run(context);
        EXPECT_TRUE(invoiceFiles.Close());
        return result;
    }

    // A fresh connection to `server`, checked; the company is set up to use it.
    bool Connect(const testsupport::SmtpServer& server) {
        mail::MailOptions options;
        options.connectTimeout = std::chrono::milliseconds(2000);
        options.replyTimeout = std::chrono::seconds(2);
        options.transferTimeout = std::chrono::seconds(10);
        mail.reset();
        mail.emplace(prompts, clock, mail::MailStatus{}, options);
        state.currentCompany.setSmtpServer(server.Host());
        return mail->MailCheck(kCompanyAddress, server.Host());
    }

    RecordingSink sink;
    std::optional<mail::MailConnection> mail;
};

// One Print: the invoice, the packing slip and the file copies in that order; the first print is
// no duplicate, every later one is. Only the invoice records are marked.
TEST_F(InvoiceDispatchTest, PrintProducesCopiesInOrderAndMarksTheInvoice) {
    state.currentCompany.setPrintPackingSlip(true);
    state.currentCompany.setPrintFileCopy(true);
    state.currentCompany.setNumberOfCopies("2");
    state.currentCompany.setPrintDuplicateInvoice(true);
    AddInvoice("1001");
    auto payment = Invoices().front();
    payment.setTypeCode("X");
    testsupport::AddRecords(engine, File(records::RecordKind::Invoice),
                            std::vector<records::InvoiceRecord>{payment});

    for (int round = 0; round < 2; ++round) {
        const auto result = WithContext(OutputMode::Printer,
                                        [](DispatchContext& c) { return PrintCommand(c, "1001"); });
        EXPECT_EQ(result.status, "Invoice 1001 sent to print queue.");
    }
    EXPECT_EQ(sink.copies,
              (std::vector<std::string>{"1001 INV", "1001 PSL", "1001 FCP1", "1001 FCP2",
                                        "1001 INV", "1001 PSL", "1001 FCP1", "1001 FCP2"}));
    EXPECT_FALSE(Shows(sink.canvases[0], "** Duplicate Invoice **"));
    EXPECT_TRUE(Shows(sink.canvases[4], "** Duplicate Invoice **"));
    EXPECT_EQ(Marks("1001"), (std::vector<std::string>{"Y|", "|"}));  // the payment keeps its flag
    EXPECT_TRUE(state.printQueue.empty());  // labels come only with Batch Print
}

// Deposits are viewed, never printed; a failed mail check sends nothing.
TEST_F(InvoiceDispatchTest, DepositsAndFailedMailChecksProduceNothing) {
    AddInvoice("1001");
    auto deposit = Invoices().front();
    deposit.setInvoiceNumber("DP1");
    deposit.setTypeCode("D");
    testsupport::AddRecords(engine, File(records::RecordKind::Invoice),
                            std::vector<records::InvoiceRecord>{deposit});
    prompts.ExpectInform("Deposit Transaction",
                         "This record is a deposit. Unable to print. I am going to use the view "
                         "option instead.");
    EXPECT_TRUE(WithContext(OutputMode::Printer, [](DispatchContext& c) {
                    return PrintCommand(c, "DP1");
                }).viewInstead);

    state.currentCompany.setEmail("");
    mail.emplace(prompts, clock);
    prompts.ExpectInform("Your Company E-Mail Address",
                         "You need to enter your company e-mail address in your company setup so "
                         "your customers have a return e-mail address for you.");
    EXPECT_EQ(
        WithContext(OutputMode::EMail, [](DispatchContext& c) { return PrintCommand(c, "1001"); })
            .status,
        "");
    EXPECT_TRUE(sink.copies.empty());
    EXPECT_EQ(Marks("1001"), std::vector<std::string>{"|"});
    prompts.Verify();
}

// E-mail mode: the message the server receives is the invoice's text under its subject, or goes
// to the company under the bad-address subject; nothing is sent without an address unless the
// company asks for it; a refusal leaves the invoice unmarked. The packing slip still prints.
TEST_F(InvoiceDispatchTest, MailedInvoicesReachTheServerAndAreMarkedOnlyWhenTaken) {
    struct Case {
        std::string email;
        bool sendWithoutAddress;
        std::string recipient;  // empty: nothing arrives
        std::string subject;
        std::string status;
        std::string message;  // of "E-Mail Invoice"
        std::string marks;
    };
    const std::vector<Case> cases = {
        {" ap@ames.example ", false, "ap@ames.example", "INVOICE - 1001",
         "Invoice 1001 sent by e-mail.", "Invoice sent by e-mail.", "Y|12/06/2026"},
        {"", false, "", "", "Invoice 1001 was not sent by e-mail.",
         "This customer has no e-mail address. Invoice not sent by e-mail.", "|"},
        {"", true, kCompanyAddress, "BAD CUSTOMER E-MAIL ADDRESS", "Invoice 1001 sent by e-mail.",
         "Invoice sent by e-mail.", "Y|12/06/2026"},
        {"ap@ames.example,x@evil.example", false, kCompanyAddress, "BAD CUSTOMER E-MAIL ADDRESS",
         "Invoice 1001 sent by e-mail.", "Invoice sent by e-mail.", "Y|12/06/2026"},
        {"reject@ames.example", false, "", "", "Invoice 1001 was not sent by e-mail.",
         "The mail server did not accept invoice 1001: 550 5.1.1 No such user here", "|"},
    };
    state.currentCompany.setPrintPackingSlip(true);
    int run = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.email);
        testsupport::SmtpServer server(dir.path() / ("spool" + std::to_string(++run)), "plain");
        ASSERT_NO_FATAL_FAILURE(SetCustomerEmail("A1", c.email));
        state.currentCompany.setEmailWithoutAddress(c.sendWithoutAddress);
        AddInvoice("1001");
        const bool refused = c.email.starts_with("reject");
        prompts.ExpectMessage("E-Mail Invoice", c.message, base::PromptAnswer::Ok,
                              refused ? base::PromptIcon::Warning : base::PromptIcon::Information);
        sink.copies.clear();
        ASSERT_TRUE(Connect(server));
        const auto result = WithContext(OutputMode::EMail, [](DispatchContext& context) {
            return PrintCommand(context, "1001");
        });
        EXPECT_EQ(result.status, c.status);
        // After a refused invoice copy nothing else is produced.
        EXPECT_EQ(sink.copies,
                  refused ? std::vector<std::string>{} : std::vector<std::string>{"1001 PSL"});
        EXPECT_EQ(Marks("1001"), std::vector<std::string>{c.marks});
        const auto received = server.Received();
        ASSERT_EQ(received.size(), c.recipient.empty() ? 0u : 1u);
        if (!received.empty()) {
            EXPECT_EQ(received[0].recipients, std::vector<std::string>{c.recipient});
            EXPECT_NE(received[0].data.find("\r\nSubject: " + c.subject + "\r\n"),
                      std::string::npos);
            // The body is the invoice's text, line for line.
            InvoiceFiles invoiceFiles(engine, prompts, "1");
            ASSERT_TRUE(invoiceFiles.Open());
            std::string failure;
            auto document = LoadDocument(invoiceFiles, state.currentCompany, "1001", failure);
            ASSERT_TRUE(invoiceFiles.Close());
            document->printed = false;
            std::string body;
            for (const auto& line : InvoiceMailLines(*document, state.currentCompany))
                body += line + "\r\n";
            EXPECT_TRUE(received[0].data.ends_with("\r\n\r\n" + body)) << received[0].data;
        }
        ASSERT_TRUE(Delete("1001"));
    }
    prompts.Verify();
}

// Batch Print collects what is not printed in file order, prints the number asked for and marks
// exactly those; the next batch collects the rest. Masters, deposits and payments never come.
TEST_F(InvoiceDispatchTest, BatchPrintMarksExactlyTheInvoicesItPrinted) {
    state.currentCompany.setLabelQueueOnBatchPrint(true);
    for (int n = 1001; n <= 1010; ++n) AddInvoice(std::to_string(n), n % 2 ? "A1" : "B2");
    std::vector<records::InvoiceRecord> others;
    for (const char* type : {"R", "D", "T", "X"}) {
        records::InvoiceRecord record = Invoices().front();
        record.setInvoiceNumber(std::string("O") + type);
        record.setTypeCode(type);
        others.push_back(record);
    }
    testsupport::AddRecords(engine, File(records::RecordKind::Invoice), others);

    std::vector<std::string> progress;
    const BatchTally tally = WithContext(OutputMode::Printer, [&](DispatchContext& context) {
        const auto numbers = CollectUnprinted(context.files);
        EXPECT_EQ(numbers->size(), 10u);
        return RunBatch(context, *numbers, *BatchCount("3", numbers->size(), prompts),
                        [&](std::string_view line) { progress.emplace_back(line); });
    });
    EXPECT_EQ(tally.sent, 3);
    EXPECT_EQ(BatchStatus(tally, OutputMode::Printer),
              "Batch Print complete. 3 invoices sent to spooler.");
    EXPECT_EQ(progress,
              (std::vector<std::string>{"E-Mailing Invoice 1001 ...", "E-Mailing Invoice 1002 ...",
                                        "E-Mailing Invoice 1003 ..."}));
    EXPECT_EQ(state.printQueue.size(), 3u);
    const auto rest = WithContext(OutputMode::Printer, [](DispatchContext& context) {
        return *CollectUnprinted(context.files);
    });
    EXPECT_EQ(rest,
              (std::vector<std::string>{"1004", "1005", "1006", "1007", "1008", "1009", "1010"}));
}

// Batch e-mail: only invoice copies; a customer without an address is skipped, a refusal is that
// invoice's failure, and a dropped connection stops the run there with the rest unmarked.
TEST_F(InvoiceDispatchTest, BatchMailCountsSentSkippedAndFailedAndStopsOnALostConnection) {
    testsupport::SmtpServer server(dir.path() / "spool", "plain");
    state.currentCompany.setPrintPackingSlip(true);
    state.currentCompany.setPrintFileCopy(true);
    state.currentCompany.setNumberOfCopies("1");
    ASSERT_NO_FATAL_FAILURE(SetCustomerEmail("A1", "ap@ames.example"));
    ASSERT_NO_FATAL_FAILURE(SetCustomerEmail("A10", "reject@ten.example"));
    ASSERT_NO_FATAL_FAILURE(SetCustomerEmail("B2", "drop@brook.example"));
    for (const auto& [number, customer] : std::vector<std::pair<std::string, std::string>>{
             {"1001", "A1"}, {"1002", "A10"}, {"1003", "A1"}, {"1004", "B2"}, {"1005", "A1"}})
        AddInvoice(number, customer);

    ASSERT_TRUE(Connect(server));
    prompts.ExpectMessage(kProgram, kConnectionText, base::PromptAnswer::Ok,
                          base::PromptIcon::Error);
    const BatchTally tally = WithContext(OutputMode::EMail, [&](DispatchContext& context) {
        const auto numbers = CollectUnprinted(context.files);
        return RunBatch(context, *numbers, numbers->size(), {});
    });
    EXPECT_EQ(tally.sent, 2);
    EXPECT_EQ(tally.failed, 2);
    EXPECT_TRUE(tally.stopped);
    EXPECT_TRUE(sink.copies.empty());
    EXPECT_EQ(server.Received().size(), 2u);
    std::vector<std::string> marks;
    for (const char* number : {"1001", "1002", "1003", "1004", "1005"})
        marks.push_back(Marks(number).front());
    EXPECT_EQ(marks, (std::vector<std::string>{"Y|12/06/2026", "|", "Y|12/06/2026", "|", "|"}));
    EXPECT_EQ(BatchStatus(tally, OutputMode::EMail),
              "Batch Print complete. 2 invoices sent to e-mail.");
    EXPECT_TRUE(BatchSummary(tally, OutputMode::EMail)
                    .starts_with("E-mail operation complete.\n\nSent: 2\nSkipped (no e-mail "
                                 "address): 0\nFailed: 2"));
    prompts.Verify();
}

TEST_F(InvoiceDispatchTest, BatchDialogTextsAndNumber) {
    state.currentCompany.setPrintPackingSlip(true);
    state.currentCompany.setPrintFileCopy(false);
    const auto print = BatchDialogTexts(7, OutputMode::Printer, state.currentCompany);
    EXPECT_EQ(print.lines, (std::array<std::string, 3>{"There are 7 invoice(s) to print.",
                                                       "Packing Slips will be printed.",
                                                       "File Copies are turned off."}));
    EXPECT_EQ(print.button, "&Print");
    const auto mail = BatchDialogTexts(7, OutputMode::EMail, state.currentCompany);
    EXPECT_EQ(mail.lines,
              (std::array<std::string, 3>{"There are 7 invoice(s) to e-mail.", "* E-Mail Mode *",
                                          "(No packing slips or copies.)"}));
    prompts.ExpectInform("Batch Print", "There are no invoices to print.");
    const std::string status = WithContext(OutputMode::Printer, [](DispatchContext& context) {
        BatchPrintSteps steps;
        steps.askCount = [](const BatchPrintTexts&, size_t) {
            ADD_FAILURE() << "nothing to ask";
            return std::optional<size_t>();
        };
        return BatchPrintCommand(context, steps);
    });
    EXPECT_EQ(status, "");
    const struct {
        const char* typed;
        std::optional<size_t> count;  // nothing: "You need to specify the number to print."
    } counts[] = {
        {" 25 ", 7}, {"3", 3}, {"  ", std::nullopt}, {"0", std::nullopt}, {"0000", std::nullopt},
    };
    for (const auto& c : counts) {
        SCOPED_TRACE(c.typed);
        if (!c.count)
            prompts.ExpectWarn("Print Number", "You need to specify the number to print.");
        EXPECT_EQ(BatchCount(c.typed, 7, prompts), c.count);
        prompts.Verify();
    }
}

}  // namespace
}  // namespace invoicing::testing

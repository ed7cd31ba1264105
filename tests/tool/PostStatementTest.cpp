// The statement operations of post and the print-statement command: their fields, their refusals,
// the PDF files they write and the last batch date a finished batch stores.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "support/SmtpServer.h"
#include "support/TempDir.h"
#include "tool/DataFolderTest.h"

namespace tooltest {
namespace {

using nlohmann::json;

class PostStatement : public DataFolderTest {
protected:
    PostStatement() {
        for (
            const json& reply : Post({
                R"({"op": "set-company", "name": "Acme Supply", "email": "billing@acme.example"})",
                R"({"op": "add-customer", "number": "A1", "name": "Ames Hardware"})",
                R"({"op": "add-customer", "number": "B2", "name": "Brook Ltd"})",
                R"({"op": "add-customer", "number": "C3", "name": "Cole Farms"})",
                R"({"op": "add-invoice", "customer": "A1", "date": "10/01/2026", "lines": [{"quantity": "1", "description": "Widget", "price": "120"}]})",
                R"({"op": "add-invoice", "customer": "B2", "date": "12/01/2026", "lines": [{"quantity": "1", "description": "Bolt", "price": "5"}]})",
                R"({"op": "age"})",
            }))
            EXPECT_EQ(reply["ok"], true) << reply;
    }

    std::string PdfText(const std::filesystem::path& pdf) {
        const std::filesystem::path text = parent.path() / "read.txt";
        const std::string command =
            "pdftotext -layout '" + pdf.string() + "' '" + text.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return testsupport::FileBytes(text);
    }

    std::string LastBatchDate() {
        const std::string dump = RunTool({"dump", "Company", "--fields"}, dir).out;
        const size_t at = dump.find("lastStatementRunDate:");
        if (at == std::string::npos) return "?";
        const size_t open = dump.find('"', at);
        const std::string date = dump.substr(open + 1, dump.find('"', open + 1) - open - 1);
        return date == " " ? "" : date;  // the starter company holds one blank
    }
};

TEST_F(PostStatement, LinesTheOperationsCannotRunAreRefused) {
    ExpectRefused({
        {R"({"op": "print-statement", "customer": "A1"})",
         "\"folder\" names no folder for the PDF files"},
        {R"({"op": "mail-statement"})", "\"customer\" names no customer"},
        {R"({"op": "print-statement", "customer": "A9", "folder": "out"})",
         "Customer A9 is not on file."},
        {R"({"op": "mail-statement", "customer": "C3"})",
         "There is no activity for this customer."},
        {R"({"op": "batch-statements", "selection": "over45", "mode": "pdf", "folder": "out"})",
         "\"selection\" must be \"all\", \"over30\", \"over60\" or \"over90\""},
        {R"({"op": "batch-statements", "mode": "fax"})", "\"mode\" must be \"pdf\" or \"mail\""},
        {R"({"op": "batch-statements", "mode": "pdf", "folder": "out", "count": "x"})",
         "You must enter the number of statements to print in this batch."},
        {R"({"op": "batch-statements", "selection": "over90", "mode": "pdf", "folder": "out"})",
         "There are no customers with a non-zero balance that meet your aging selection. There "
         "are no statements to print."},
    });
    EXPECT_EQ(LastBatchDate(), "");
}

TEST_F(PostStatement, PrintedStatementsBecomePdfFilesAndAFinishedBatchStoresItsDate) {
    const std::vector<json> replies = Post({
        R"({"op": "print-statement", "customer": "a1", "folder": "out"})",
        R"({"op": "batch-statements", "selection": "all", "unpaid_only": true, "mode": "pdf", "folder": "batch", "count": "1"})",
    });
#if !KT_TOOL_WRITES_PDF
    EXPECT_EQ(replies[0]["message"], "The statement was not printed.");
    GTEST_SKIP() << "this build has no Qt to print with";
#endif
    ASSERT_EQ(replies[0]["ok"], true) << replies[0];
    EXPECT_EQ(replies[0]["status"], "Statement for Ames Hardware sent to print queue.");
    const std::filesystem::path one = parent.path() / "out" / "A1-statement.pdf";
    EXPECT_EQ(replies[0]["files"], json::array({one.string()}));
    const std::string text = PdfText(one);
    for (const char* shown : {"Account Number: A1", "Statement Date: 12/06/2026", "Ames Hardware",
                              "*** Account Totals:", "Account Status:", "61-90: 120.00"})
        EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;

    const json& batch = replies[1];
    ASSERT_EQ(batch["ok"], true) << batch;
    EXPECT_EQ(batch["collected"], 2);
    EXPECT_EQ(batch["sent"], 2);
    EXPECT_EQ(batch["failed"], 0);
    EXPECT_EQ(batch["stopped"], false);
    EXPECT_EQ(batch["status"], "Batch Print complete. 2 statements sent to spooler.");
    EXPECT_EQ(batch["files"].size(), 2u);
    EXPECT_EQ(LastBatchDate(), "12/06/2026");
}

TEST_F(PostStatement, PrintStatementCommandWritesOnlyThePdf) {
    const ToolResult usage = RunTool({"print-statement", dir.string(), "A1"}, parent.path());
    EXPECT_EQ(usage.exitCode, 2);
    const ToolResult missing =
        RunTool({"print-statement", dir.string(), "A9", "--pdf", "a9.pdf"}, parent.path());
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("Customer A9 is not on file."), std::string::npos) << missing.err;
    const ToolResult written = RunTool({"print-statement", dir.string(), "B2", "--pdf", "b2.pdf",
                                        "--unpaid-only", "--today", "2026-12-07"},
                                       parent.path());
#if !KT_TOOL_WRITES_PDF
    EXPECT_EQ(written.exitCode, 1);
    GTEST_SKIP() << "this build has no Qt to print with";
#endif
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const std::string text = PdfText(parent.path() / "b2.pdf");
    EXPECT_NE(text.find("Statement Date: 12/07/2026"), std::string::npos) << text;
    EXPECT_NE(text.find("Current: 5.00"), std::string::npos) << text;
}

// By e-mail over a real SMTP server: an unusable customer address sends the statement to the
// company under the bad-address subject; a refused one is that customer's failure.
TEST_F(PostStatement, MailedStatementsReachTheServerOrSayWhyNot) {
    testsupport::SmtpServer server(parent.path() / "spool", "plain");
    const std::vector<json> replies = Post({
        R"({"op": "set-company", "mail_server": ")" + server.Host() + R"("})",
        R"({"op": "edit-customer", "number": "A1", "email": "a@b,x@evil.example"})",
        R"({"op": "edit-customer", "number": "B2", "email": "reject@brook.example"})",
        R"({"op": "mail-statement", "customer": "A1"})",
        R"({"op": "batch-statements", "mode": "mail"})",
    });
    ASSERT_EQ(replies.size(), 5u);
    EXPECT_EQ(replies[3]["status"], "Statement for Ames Hardware sent by e-mail.") << replies[3];
    const json& batch = replies[4];
    EXPECT_EQ(batch["sent"], 1) << batch;
    EXPECT_EQ(batch["failed"], 1);
    EXPECT_EQ(batch["stopped"], false);
    EXPECT_EQ(batch["failures"],
              json::array({"Statement for Brook Ltd: 550 5.1.1 No such user here"}));
    EXPECT_EQ(LastBatchDate(), "");
    const auto received = server.Received();
    ASSERT_EQ(received.size(), 2u);
    for (const auto& mail : received) {
        EXPECT_EQ(mail.recipients, (std::vector<std::string>{"billing@acme.example"}));
        EXPECT_NE(mail.data.find("Subject: BAD CUSTOMER E-MAIL ADDRESS"), std::string::npos);
        EXPECT_NE(mail.data.find("Account Number: A1"), std::string::npos);
    }
}

}  // namespace
}  // namespace tooltest

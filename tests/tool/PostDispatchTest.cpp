// post print-invoice, mail-invoice and batch-print through the tool process: the PDF files each
// copy becomes, the invoices marked printed, e-mail through a real SMTP server, and the lines
// refused before anything goes out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/SmtpServer.h"
#include "support/TempDir.h"
#include "tool/DataFolderTest.h"

namespace tooltest {
namespace {

using nlohmann::json;

[[maybe_unused]] constexpr char kNoPdf[] =
    R"({"message": "printing to PDF is not built into this tool"})";
constexpr char kNumberNeeded[] = R"({"message": "You need to specify the number to print."})";
constexpr char kNoFolder[] = R"({"message": "\"folder\" names no folder for the PDF files"})";

class PostDispatch : public DataFolderTest {
protected:
    PostDispatch() {
        Post({
            R"({"op": "set-company", "name": "Acme Supply", "next_invoice": "1001", "email": "billing@acme.example", "print_packing_slip": true, "print_file_copy": true, "file_copies": "2"})",
            R"({"op": "add-customer", "number": "A1", "name": "Ames Hardware", "email": "ap@ames.example"})",
            R"({"op": "add-customer", "number": "B2", "name": "Brook Ltd", "email": "reject@brook.example"})",
            R"({"op": "add-customer", "number": "C3", "name": "Cole Farms"})",
        });
    }

    // One invoice of 5.00 for each customer, numbered on from 1001.
    void AddInvoices(const std::vector<std::string>& customers) {
        std::vector<std::string> lines;
        for (const std::string& customer : customers)
            lines.push_back(
                R"({"op": "add-invoice", "customer": ")" + customer +
                R"(", "lines": [{"code": "P1", "quantity": "1", "description": "Widget", "price": "5"}]})");
        for (const json& reply : Post(lines)) ASSERT_EQ(reply["ok"], true) << reply;
    }

    // Runs the lines and compares each reply with the fields its expectation (JSON text, "@/"
    // standing for the start folder) names.
    void ExpectReplies(const std::vector<std::pair<std::string, std::string>>& cases) {
        std::vector<std::string> lines;
        for (const auto& c : cases) lines.push_back(c.first);
        const std::vector<json> replies = Post(lines);
        ASSERT_EQ(replies.size(), cases.size());
        for (size_t i = 0; i < cases.size(); ++i) {
            std::string expected = cases[i].second;
            for (size_t at; (at = expected.find("@/")) != std::string::npos;)
                expected.replace(at, 2, parent.path().string() + "/");
            const json fields = json::parse(expected);
            for (const auto& [field, value] : fields.items())
                EXPECT_EQ(replies[i][field], value) << cases[i].first << "\n" << replies[i];
        }
    }

    // "number printed|emailed date" of every invoice-file record, in record order.
    std::vector<std::string> Marks() {
        std::istringstream dump(RunTool({"dump", "1I", "--fields"}, dir).out);
        std::vector<std::string> marks;
        const auto value = [](const std::string& line) {
            const size_t open = line.find('"');
            return line.substr(open + 1, line.rfind('"') - open - 1);
        };
        for (std::string line; std::getline(dump, line);) {
            if (line.starts_with("  invoiceNumber:")) marks.push_back(value(line) + " ");
            if (line.starts_with("  printed:")) marks.back() += value(line) + "|";
            if (line.starts_with("  emailedDate:")) marks.back() += value(line);
        }
        return marks;
    }

    std::string PdfText(const std::filesystem::path& pdf) {
        const std::filesystem::path text = parent.path() / "read.txt";
        const std::string command = "pdftotext '" + pdf.string() + "' '" + text.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return testsupport::FileBytes(text);
    }
};

TEST_F(PostDispatch, PrintInvoiceWritesEachCopyAsAPdfAndMarksTheInvoice) {
    AddInvoices({"A1"});
    const json payment = Post(
        {R"({"op": "payment", "customer": "A1", "amount": "25", "items": [{"deposit": "25"}]})"})
        [0];
    const std::string deposit = payment["records"][0]["number"];
    Post(
        {R"({"op": "add-invoice", "customer": "C3", "number": "a/7 x", "lines": [{"description": "Visit", "quantity": "1", "price": "5"}]})"});
#if !KT_TOOL_WRITES_PDF
    ExpectReplies({{R"({"op": "print-invoice", "number": "1001", "folder": "out"})", kNoPdf},
                   {R"({"op": "batch-print", "mode": "pdf", "folder": "out"})", kNoPdf}});
    GTEST_SKIP() << "this build has no Qt to print with";
#endif
    ExpectReplies({
        {R"({"op": "print-invoice", "number": "1001", "folder": "out"})",
         R"({"ok": true, "status": "Invoice 1001 sent to print queue.", "files": ["@/out/1001-invoice.pdf", "@/out/1001-packing-slip.pdf", "@/out/1001-file-copy-1.pdf", "@/out/1001-file-copy-2.pdf"]})"},
        {R"({"op": "print-invoice", "number": "A/7 X", "folder": "new/out"})",
         R"({"ok": true, "files": ["@/new/out/A_7_X-invoice.pdf", "@/new/out/A_7_X-packing-slip.pdf", "@/new/out/A_7_X-file-copy-1.pdf", "@/new/out/A_7_X-file-copy-2.pdf"]})"},
        {R"({"op": "print-invoice", "number": "999", "folder": "out"})",
         R"({"message": "Invoice 999 is not on file."})"},
        {R"({"op": "print-invoice", "number": ")" + deposit + R"(", "folder": "out"})",
         R"({"message": "This record is a deposit. Unable to print. I am going to use the view option instead."})"},
        {R"({"op": "print-invoice", "number": "1001"})", kNoFolder},
    });
    EXPECT_NE(PdfText(parent.path() / "out" / "1001-packing-slip.pdf")
                  .find("This is a packing slip. Please pay from invoice."),
              std::string::npos);
    EXPECT_EQ(Marks(), (std::vector<std::string>{"1001 Y|", deposit + " |", "A/7 X Y|"}));
}

TEST_F(PostDispatch, BatchPrintMarksExactlyTheInvoicesItPrinted) {
#if !KT_TOOL_WRITES_PDF
    GTEST_SKIP() << "this build has no Qt to print with";
#endif
    Post({R"({"op": "set-company", "print_packing_slip": false, "print_file_copy": false})"});
    AddInvoices(std::vector<std::string>(10, "A1"));
    ExpectReplies({
        {R"({"op": "batch-print", "mode": "pdf", "count": "3", "folder": "out"})",
         R"({"collected": 10, "sent": 3, "failed": 0, "stopped": false, "status": "Batch Print complete. 3 invoices sent to spooler.", "files": ["@/out/1001-invoice.pdf", "@/out/1002-invoice.pdf", "@/out/1003-invoice.pdf"]})"},
        {R"({"op": "batch-print", "mode": "pdf", "count": "0", "folder": "out"})", kNumberNeeded},
        {R"({"op": "batch-print", "mode": "pdf", "count": "x", "folder": "out"})", kNumberNeeded},
        {R"({"op": "batch-print", "mode": "pdf"})", kNoFolder},
        {R"({"op": "batch-print", "mode": "fax", "folder": "out"})",
         R"({"message": "\"mode\" must be \"pdf\" or \"mail\""})"},
    });
    EXPECT_EQ(
        std::ranges::count_if(Marks(), [](const std::string& m) { return m.ends_with("Y|"); }), 3);
    ExpectReplies({
        {R"({"op": "batch-print", "mode": "pdf", "count": "9999", "folder": "out"})",
         R"({"collected": 7, "sent": 7})"},
        {R"({"op": "batch-print", "mode": "pdf", "folder": "out"})",
         R"({"message": "There are no invoices to print."})"},
    });
}

// Only the invoice copy is e-mailed: a company that prints packing slips needs a folder first. A
// refused message, a customer without an address and a failed mail check are told as the
// manager tells them.
TEST_F(PostDispatch, MailedInvoicesReachTheServer) {
    testsupport::SmtpServer server(parent.path() / "spool", "plain");
    AddInvoices({"A1", "B2", "C3", "A1", "B2"});
    ExpectReplies({
        {R"({"op": "set-company", "mail_server": ")" + server.Host() +
             R"(", "batch_labels": true})",
         R"({"ok": true})"},
        {R"({"op": "mail-invoice", "number": "1001"})",
         R"({"message": "\"folder\" is needed: the company prints packing slips or file copies"})"},
        {R"({"op": "set-company", "print_packing_slip": false, "print_file_copy": false})",
         R"({"ok": true})"},
        {R"({"op": "mail-invoice", "number": "1001"})",
         R"({"ok": true, "status": "Invoice 1001 sent by e-mail.", "files": []})"},
        {R"({"op": "mail-invoice", "number": "1002"})",
         R"({"message": "The mail server did not accept invoice 1002: 550 5.1.1 No such user here"})"},
        {R"({"op": "batch-print", "mode": "mail"})",
         R"({"collected": 4, "sent": 1, "skipped": 1, "failed": 2, "stopped": false, "status": "Batch Print complete. 1 invoices sent to e-mail.", "failures": ["Invoice 1002: 550 5.1.1 No such user here", "Invoice 1005: 550 5.1.1 No such user here"]})"},
        {R"({"op": "set-company", "mail_server": "127.0.0.1:)" +
             std::to_string(testsupport::UnusedPort()) + R"("})",
         R"({"ok": true})"},
        {R"({"op": "batch-print", "mode": "mail"})", R"({"message": "Not Online"})"},
    });
    std::vector<std::string> recipients;
    for (const testsupport::ReceivedMail& mail : server.Received())
        recipients.insert(recipients.end(), mail.recipients.begin(), mail.recipients.end());
    EXPECT_EQ(recipients, (std::vector<std::string>{"ap@ames.example", "ap@ames.example"}));
    EXPECT_EQ(Marks(), (std::vector<std::string>{"1001 Y|12/06/2026", "1002 |", "1003 |",
                                                 "1004 Y|12/06/2026", "1005 |"}));
}

}  // namespace
}  // namespace tooltest

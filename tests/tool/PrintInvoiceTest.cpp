// print-invoice through the tool process: the PDF read back as text with the copy kind parsed
// from the options and nothing on standard error, and the refusals (a deposit among them) that
// write no file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/TempDir.h"
#include "tool/DataFolderTest.h"

namespace tooltest {
namespace {

class PrintInvoice : public DataFolderTest {
protected:
    PrintInvoice() {
        Post({
            R"({"op": "set-company", "name": "Acme Supply Co", "address": ["400 Industrial Way"], "charge_tax": true, "tax_rate": "8.25", "next_invoice": "1001"})",
            R"({"op": "add-customer", "number": "A1", "name": "Ames Hardware", "address": ["12 Main Street"]})",
            R"({"op": "add-invoice", "customer": "A1", "lines": [{"code": "P1", "quantity": "2.5", "description": "Widget, large", "price": "1,250.5", "taxed": true}]})",
            R"({"op": "add-invoice", "customer": "A1", "form": "M", "memo": {"text": "Shelving layout", "description": "Consulting", "net": "450", "tax": "0"}})",
        });
    }

    // The text of a PDF as pdftotext reads it.
    std::string PdfText(const std::filesystem::path& pdf) {
        const std::filesystem::path text = parent.path() / "read.txt";
        const std::string command =
            "pdftotext -layout '" + pdf.string() + "' '" + text.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return testsupport::FileBytes(text);
    }
};

// The environment of a cron job or a plain ssh session, which names no runtime directory; the
// one the test process had is put back afterwards.
class WithoutRuntimeDir {
public:
    WithoutRuntimeDir() {
        if (const char* dir = std::getenv(kName)) saved_ = dir;
        unsetenv(kName);
    }
    ~WithoutRuntimeDir() {
        if (saved_) setenv(kName, saved_->c_str(), 1);
    }

private:
    static constexpr char kName[] = "XDG_RUNTIME_DIR";
    std::optional<std::string> saved_;
};

TEST_F(PrintInvoice, WritesEachCopyKindAsAPdf) {
#if !KT_TOOL_WRITES_PDF
    const ToolResult result =
        RunTool({"print-invoice", "data", "1001", "--pdf", "a.pdf"}, parent.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("built without Qt"), std::string::npos);
    GTEST_SKIP() << "this build has no Qt to print with";
#endif
    struct Case {
        std::vector<std::string> options;
        std::string reply;
        std::vector<std::string> shown;
        std::vector<std::string> hidden;
    } cases[] = {
        {{"1001"},
         "Invoice - 1001",
         {"INVOICE", "Ames Hardware", "1,250.5", "3,126.25", "Grand Total:"},
         {"xxxxxxxxxx"}},
        {{"1001", "--kind", "fcp", "--company", "1"},
         "File Copy - 1001",
         {"FILE COPY", "1,250.5", "Balance Due:"},
         {"INVOICE"}},
    };
    const WithoutRuntimeDir cronLike;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        std::vector<std::string> args = {"print-invoice", "data", "--pdf", "out.pdf"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ToolResult result = RunTool(args, parent.path());
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::filesystem::path pdf = parent.path() / "out.pdf";
        EXPECT_EQ(result.out, c.reply + " written to " + pdf.string() + "\n");
        EXPECT_EQ(result.err, "");
        const std::string text = PdfText(pdf);
        for (const std::string& shown : c.shown)
            EXPECT_NE(text.find(shown), std::string::npos) << shown;
        for (const std::string& hidden : c.hidden)
            EXPECT_EQ(text.find(hidden), std::string::npos) << hidden;
        std::filesystem::remove(pdf);
    }
}

TEST_F(PrintInvoice, RefusesWhatItCannotPrintAndWritesNoFile) {
    const std::string deposit = Post({
        R"({"op": "payment", "customer": "A1", "amount": "25", "items": [{"deposit": "25"}]})",
    })[0]["records"][0]["number"];
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"data", "999", "--pdf", "out.pdf"}, 1, "Invoice 999 is not on file."},
        {{"data", deposit, "--pdf", "out.pdf"},
         1,
         "This record is a deposit. Unable to print. I am going to use the view option instead."},
        {{"data", "1001", "--pdf", "out.pdf", "--company", "7"}, 2, "no company 7"},
        {{"data", "1001", "--pdf", "out.pdf", "--kind", "PDF"}, 2, "usage:"},
        {{"data", "1001"}, 2, "usage:"},
        {{"missing", "1001", "--pdf", "out.pdf"}, 2, "cannot open the data folder"},
    };
#if !KT_TOOL_WRITES_PDF
    GTEST_SKIP() << "this build has no Qt to print with";
#endif
    for (const Case& c : cases) {
        std::vector<std::string> args = {"print-invoice"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolResult result = RunTool(args, parent.path());
        EXPECT_EQ(result.exitCode, c.exitCode) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(parent.path() / "out.pdf")) << c.message;
    }
}

}  // namespace
}  // namespace tooltest

// labels, letters, list --queue and post bulk-mail through the tool process: the PDF pages and
// where the addresses land on them, the queue list files, and the mail run against a real SMTP
// server.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>

#include "correspondence/LabelLayout.h"
#include "support/CommandOutput.h"
#include "support/SmtpServer.h"
#include "tool/DataFolderTest.h"

namespace tooltest {
namespace {

using nlohmann::json;

class CorrespondenceTool : public DataFolderTest {
protected:
    CorrespondenceTool() {
        for (
            const json& reply : Post({
                R"({"op": "set-company", "name": "Acme Supply", "email": "office@acme.example"})",
                R"({"op": "add-customer", "number": "A1", "name": "Ames Hardware", "address": ["1 Elm St", "Ames"], "email": "ap@ames.example"})",
                R"({"op": "add-customer", "number": "B2", "name": "Brook Ltd", "address": ["2 Oak Rd", "Brook"], "email": "reject@brook.example"})",
                R"({"op": "add-customer", "number": "C3", "name": "Cole Farms", "address": ["3 Ash Ln", "Cole"]})",
            }))
            EXPECT_EQ(reply["ok"], true) << reply;
    }

    std::filesystem::path Write(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path = parent.path() / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path Layout(const std::string& columns, const std::string& rows) {
        correspondence::LabelLayout layout;
        layout.leftMargin = "150";
        layout.topMargin = "300";
        layout.columnsAcross = columns;
        layout.rowsDown = rows;
        layout.labelWidth = "1650";
        layout.labelHeight = "600";
        layout.font = {"Arial", 10, 0, 0};
        return Write("sheet.LBL", correspondence::LabelLayoutBytes(layout));
    }

    std::filesystem::path Queue() {
        return Write("q.LST",
                     RunTool({"list", dir.string(), "customers", "--queue"}, parent.path()).out);
    }

    int Pages(const std::filesystem::path& pdf) {
        const std::string info = testsupport::RunCommand("pdfinfo '" + pdf.string() + "'").output;
        std::smatch pages;
        EXPECT_TRUE(std::regex_search(info, pages, std::regex("Pages:\\s+(\\d+)"))) << info;
        return pages.empty() ? 0 : std::stoi(pages[1]);
    }

    // The top-left corner, in printer dots, of the first word `word` of the PDF.
    std::pair<int, int> WordAt(const std::filesystem::path& pdf, const std::string& word) {
        const std::string boxes =
            testsupport::RunCommand("pdftotext -bbox '" + pdf.string() + "' -").output;
        std::smatch box;
        const std::regex pattern("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>" + word + "<");
        EXPECT_TRUE(std::regex_search(boxes, box, pattern)) << word;
        if (box.empty()) return {};
        // Points to dots at 600 per inch.
        return {static_cast<int>(std::stod(box[1]) * 600 / 72 + 0.5),
                static_cast<int>(std::stod(box[2]) * 600 / 72 + 0.5)};
    }
};

TEST_F(CorrespondenceTool, LabelsStartAtTheLabelAskedForAndBreakPagesOnlyBetweenLabels) {
    if (!KT_TOOL_WRITES_PDF) GTEST_SKIP() << "printing to PDF is not built into this tool";
    const std::filesystem::path pdf = parent.path() / "labels.pdf";
    ToolResult run = RunTool({"labels", dir.string(), "--layout", Layout("3", "10").string(),
                              "--queue", Queue().string(), "--pdf", pdf.string(), "--start", "5"},
                             parent.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Complete. 3 label(s) sent to printer.\n");
    const auto [x, y] = WordAt(pdf, "Ames");
    EXPECT_NEAR(x, 150 + 1650, 12);
    EXPECT_NEAR(y, 300 + 600, 30);

    run = RunTool({"labels", dir.string(), "--layout", Layout("1", "2").string(), "--queue",
                   Queue().string(), "--pdf", pdf.string(), "--copies", "2"},
                  parent.path());
    EXPECT_EQ(run.out, "Complete. 6 label(s) sent to printer.\n");
    EXPECT_EQ(Pages(pdf), 3);
}

TEST_F(CorrespondenceTool, ADamagedLayoutIsRefusedBeforeAnythingPrints) {
    if (!KT_TOOL_WRITES_PDF) GTEST_SKIP() << "printing to PDF is not built into this tool";
    const std::filesystem::path pdf = parent.path() / "labels.pdf";
    const std::filesystem::path layout = Write("bad.LBL", std::string(443, '\0'));
    const ToolResult run = RunTool({"labels", dir.string(), "--layout", layout.string(), "--queue",
                                    Queue().string(), "--pdf", pdf.string()},
                                   parent.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, layout.string() +
                           " is not a label layout file, or it is damaged. Nothing was changed.\n");
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(CorrespondenceTool, LettersMergeOnePagePerQueuedCustomer) {
    if (!KT_TOOL_WRITES_PDF) GTEST_SKIP() << "printing to PDF is not built into this tool";
    const std::filesystem::path pdf = parent.path() / "letters.pdf";
    const std::filesystem::path letter =
        Write("letter.rtf",
              "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Dear \\b ZRCST\\b0 NAME of "
              "ZRCSTADD2, from ZRCMPNAME.\\par}");
    const ToolResult run = RunTool({"letters", dir.string(), "--letter", letter.string(), "--queue",
                                    Queue().string(), "--pdf", pdf.string()},
                                   parent.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Pages(pdf), 3);
    const std::string text = testsupport::RunCommand("pdftotext '" + pdf.string() + "' -").output;
    EXPECT_NE(text.find("Dear Brook Ltd of Brook, from Acme Supply."), std::string::npos) << text;
}

TEST_F(CorrespondenceTool, QueueListOptionsAreChecked) {
    const auto exitCode = [&](std::vector<std::string> options) {
        options.insert(options.begin(), {"list", dir.string(), "customers"});
        return RunTool(options, parent.path()).exitCode;
    };
    EXPECT_EQ(exitCode({"--queue", "--aging", "5"}), 2);
    EXPECT_EQ(exitCode({"--queue", "--over", "4"}), 2);
    EXPECT_EQ(exitCode({"--queue", "--aging", "1", "--over", "1"}), 2);
    EXPECT_EQ(exitCode({"--aging", "1"}), 2);
    const ToolResult owing =
        RunTool({"list", dir.string(), "customers", "--queue", "--aging", "2"}, parent.path());
    EXPECT_EQ(owing.exitCode, 0) << owing.err;
    EXPECT_EQ(owing.out, "");  // nobody owes anything yet
    const std::string all =
        RunTool({"list", dir.string(), "customers", "--queue"}, parent.path()).out;
    EXPECT_EQ(all.substr(0, 9), "A1       ");
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 3);
}

TEST_F(CorrespondenceTool, BulkMailSendsToTheQueueAndSaysWhoGotNothing) {
    testsupport::SmtpServer server(parent.path() / "spool", "plain");
    ASSERT_EQ(
        Post({R"({"op": "set-company", "mail_server": ")" + server.Host() + R"("})"})[0]["ok"],
        true);
    const std::vector<json> replies = Post({
        R"({"op": "bulk-mail", "subject": "Sale", "body": "Hello", "queue": ["A1", "B2", "C3", "GONE"]})",
        R"({"op": "bulk-mail", "subject": "Sale", "body": "Hello", "queue": ")" +
            Queue().filename().string() + R"("})",
        R"({"op": "bulk-mail", "subject": "Sale", "from": "office.acme.example", "body": "Hello", "queue": ["A1"]})",
        R"({"op": "bulk-mail", "subject": "Sale\nBcc: x@y.z", "body": "Hello", "queue": ["A1"]})",
        R"({"op": "bulk-mail", "subject": "Sale", "body": "Hello", "queue": 5})",
    });
    EXPECT_EQ(replies[0]["sent"], 1);
    EXPECT_EQ(replies[0]["empty"], 1);
    EXPECT_EQ(replies[0]["failed"], 2);
    EXPECT_EQ(replies[0]["stopped"], false);
    EXPECT_EQ(replies[0]["failures"][0]["customer"], "B2");
    EXPECT_EQ(replies[0]["failures"][1]["reason"], "Customer GONE is no longer on file.");
    EXPECT_EQ(replies[1]["sent"], 1);
    EXPECT_EQ(replies[1]["failed"], 1);
    EXPECT_EQ(replies[2]["message"],
              "The return e-mail address does not have the @ sign included. Bad e-mail address.");
    EXPECT_EQ(replies[3]["message"], "The subject must be one line.");
    EXPECT_EQ(replies[4]["ok"], false);
    EXPECT_EQ(server.Received().size(), 2u);
}

}  // namespace
}  // namespace tooltest

// The maintenance commands' own parsing and replies: backup and restore from the command line,
// import-csv's arguments and report, and the delete-paid operation's fields. Their rules are
// tested without the tool in tests/maintenance.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tool/DataFolderTest.h"

namespace tooltest {
namespace {

using MaintenanceCommands = DataFolderTest;

TEST_F(MaintenanceCommands, BackupThenRestoreFromRelativePaths) {
    const ToolResult backup = RunTool({"backup", "data", "books.zip"}, parent.path());
    EXPECT_EQ(backup.exitCode, 0) << backup.err;
    EXPECT_NE(backup.err.find("Backup complete. 5 files were copied."), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(parent.path() / "books.zip"));
    const ToolResult restore = RunTool({"restore", "books.zip", "data"}, parent.path());
    EXPECT_EQ(restore.exitCode, 0) << restore.err;
    EXPECT_NE(restore.err.find("Restore files operation complete. 5 files were restored."),
              std::string::npos);
    const ToolResult missing = RunTool({"restore", "none.zip", "data"}, parent.path());
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("Unable to locate the backup files."), std::string::npos);
}

TEST_F(MaintenanceCommands, ImportCsvReportsRefusedRowsAndImportsGoodOnes) {
    std::ofstream(parent.path() / "bad.csv") << "Number,Name\nA1,\nB2,Brook\n";
    std::ofstream(parent.path() / "good.csv") << "Number,Name\nA1,Ames\nB2,Brook\n";
    const ToolResult bad = RunTool({"import-csv", "data", "customers", "bad.csv"}, parent.path());
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out,
              "line 2: You must enter a customer name.\n"
              "1 of 2 rows refused; nothing was imported.\n");
    const ToolResult dry =
        RunTool({"import-csv", "data", "customers", "good.csv", "--dry-run"}, parent.path());
    EXPECT_EQ(dry.out, "2 rows checked; every row can be imported.\n");
    const ToolResult good = RunTool({"import-csv", "data", "customers", "good.csv"}, parent.path());
    EXPECT_EQ(good.exitCode, 0) << good.err;
    EXPECT_EQ(good.out, "2 customers imported.\n");
}

TEST_F(MaintenanceCommands, BadArgumentsAreAUsageError) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"backup", "data"},
                                                 {"restore", "x.zip"},
                                                 {"import-csv", "data", "invoices", "x.csv"},
                                                 {"import-csv", "data", "customers"},
                                                 {"import-v1", "old"}})
        EXPECT_EQ(RunTool(args, parent.path()).exitCode, 2) << args[0];
}

TEST_F(MaintenanceCommands, DeletePaidTakesTheCutOffInTheCompanysFormat) {
    const auto replies = ExpectRefused({
        {R"({"op": "delete-paid"})", "\"before\" is not a date in the company's format"},
        {R"({"op": "delete-paid", "before": "2021-13-01"})",
         "\"before\" is not a date in the company's format"},
        {R"({"op": "delete-paid", "before": "01/01/2021", "answers": ["no"]})",
         "This option will remove only PAID transactions older than the date you select. Once "
         "removed, they will no longer appear on any reports or system options. We suggest you "
         "leave 3 years on file and print reports for what you are about to remove. Continue?"},
    });
    const auto done =
        Post({R"({"op": "delete-paid", "before": "01/01/2021", "answers": ["yes", "yes"]})"});
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0]["ok"], true) << done[0];
    EXPECT_EQ(done[0]["deleted"], 0);
    EXPECT_EQ(done[0]["status"], "0 records were removed.");
}

}  // namespace
}  // namespace tooltest

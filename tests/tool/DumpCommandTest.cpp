// The dump command: live records in record number order as hex, or one key's entries in order.

#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using testsupport::TempDir;

TEST(Dump, PrintsLiveRecordsAsHexAndKeyEntriesInKeyOrder) {
    TempDir dir;
    RunScript(dir.path(),
              "init 30\ncreate D 24 4:1\nopen D\n"
              "add D \"AB\"\nadd D \"CD\"\nadd D x\"ff0a\"\ndel D 1\n"
              "addkey D 1 3 \"ZZ\"\naddkey D 1 2 \"CD\"\naddkey D 1 9 \"CD\"\nclose D\n");
    const std::string zeros(36, '0');
    ToolResult records = RunTool({"dump", "D"}, dir.path());
    EXPECT_EQ(records.exitCode, 0) << records.err;
    EXPECT_EQ(records.out, "2 000000004344" + zeros + "\n3 00000000ff0a" + zeros + "\n");

    ToolResult keys = RunTool({"dump", "D", "--key", "1"}, dir.path());
    EXPECT_EQ(keys.exitCode, 0) << keys.err;
    EXPECT_EQ(keys.out, "2 \"CD\"\n9 \"CD\"\n3 \"ZZ\"\n");
}

TEST(Dump, FailuresExitWithTheEngineError) {
    TempDir dir;
    RunScript(dir.path(), "init 30\ncreate D 24 4:1\n");
    ToolResult missing = RunTool({"dump", "Nothing"}, dir.path());
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Nothing: err 9903\n");

    ToolResult noSuchKey = RunTool({"dump", "D", "--key", "2"}, dir.path());
    EXPECT_EQ(noSuchKey.exitCode, 1);
    EXPECT_EQ(noSuchKey.err, "D: err 10164\n");

    EXPECT_EQ(RunTool({"dump", "D", "--key", "x"}, dir.path()).exitCode, 2);
    EXPECT_EQ(RunTool({"dump"}, dir.path()).exitCode, 2);
}

}  // namespace
}  // namespace tooltest

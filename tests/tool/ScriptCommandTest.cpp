// The script and dump commands as acceptance tests drive them: one reply per command, the quoting
// of strings, and each command's arguments and result. What the engine answers in each case is
// tested with the engine; a few of its errors here show how they are printed.

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "support/TempDir.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using testsupport::TempDir;
using Transcript = std::vector<std::pair<std::string, std::string>>;  // command, expected reply

// Runs the commands in one script process, started in another folder, and compares each reply.
void ExpectTranscript(const std::filesystem::path& dir, const Transcript& transcript) {
    std::string script;
    for (const auto& [command, reply] : transcript) script += command + "\n";
    const TempDir elsewhere;
    const std::vector<std::string> replies =
        RunTool({"script", dir.string()}, elsewhere.path(), script).lines();
    ASSERT_EQ(replies.size(), transcript.size()) << "one reply per command";
    for (size_t i = 0; i < transcript.size(); ++i)
        EXPECT_EQ(replies[i], transcript[i].second) << "reply to: " << transcript[i].first;
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));
}

TEST(ScriptCommand, MalformedLinesAreRejectedAndBlankOrCommentLinesIgnored) {
    TempDir dir;
    const std::vector<std::string> malformed = {
        "init",         "init thirty",      "init 30 extra",    "init 99999999999",
        "add T \"open", "add T \"a\\n\"",   "add T x\"abc\"",   "add T x\"zz\"",
        "add T plain",  "create T 64 10:2", "create T 64 10",   "rebuild T 64 10:0",
        "open T rw",    "\"init\" 30",      "add T \"a\"\"b\"",
    };
    std::string script = "frobnicate\n\n# a comment\n   \n";
    for (const std::string& line : malformed) script += line + "\n\t# indented\n";
    const auto replies = RunScript(dir.path(), script + "init 30\n");
    ASSERT_EQ(replies.size(), malformed.size() + 2);
    EXPECT_EQ(replies[0], "bad unknown command \"frobnicate\"");
    EXPECT_EQ(replies[1], "bad missing number");
    for (size_t i = 0; i < malformed.size(); ++i)
        EXPECT_EQ(replies[i + 1].rfind("bad ", 0), 0u) << malformed[i] << " -> " << replies[i + 1];
    EXPECT_EQ(replies.back(), "ok") << "nothing ran for the malformed lines";
}

TEST(ScriptCommand, RecordCommandsQuoteBytesAndPrintResultsOrEngineErrors) {
    TempDir dir;
    ExpectTranscript(dir.path(), {{"init 30", "ok"},
                                  {"create T 21", "ok"},
                                  {"open T", "ok"},
                                  {"add T \"A\\\"B\\\\C d\"", "ok 1"},
                                  {"get T 1", "ok \"A\\\"B\\\\C d\""},
                                  {"put T 1 x\"41225C0a7f20ff01\"", "ok"},
                                  {"get T 1", "ok \"A\\\"\\\\\\x0a\\x7f \\xff\\x01\""},
                                  {"add T \"ABCDEFGHIJKLMNOPQRSTUVWXYZ\"", "ok 2"},
                                  {"get T 2", "ok \"ABCDEFGHIJKLMNOPQ\""},
                                  {"add T x\"4100420000\"", "ok 3"},
                                  {"get T 3", "ok \"A\\x00B\""},
                                  {"del T 2", "ok"},
                                  {"add T \"four\"", "ok 2"},
                                  {"del T 1", "ok"},
                                  {"used T", "ok 2"},
                                  {"length T", "ok 4"},
                                  {"reclen T", "ok 21"},
                                  {"nextused T 0", "ok 2"},
                                  {"prevused T 4", "ok 3"},
                                  {"test T 9 -1", "ok 3"},
                                  {"recpos T 2 63", "ok 32"},
                                  {"posrec T 32 63", "ok 2"},
                                  {"close T", "ok"},
                                  {"close T", "err 10445"}});
}

TEST(ScriptCommand, BlockHandlesFollowInitOpenCloseDropAndExit) {
    TempDir dir;
    ExpectTranscript(dir.path(), {{"exit", "err 10455"},
                                  {"init 30", "ok"},
                                  {"init 30", "err 10450"},
                                  {"create T 64 10:0 9:1", "ok"},
                                  {"add T \"never opened\"", "err 10445"},
                                  {"open Missing", "err 9903"},
                                  {"open T ro", "ok"},
                                  {"add T \"x\"", "err 10065"},
                                  {"close T", "ok"},
                                  {"open T", "ok"},
                                  {"add T \"x\"", "ok 1"},
                                  {"exit", "ok"},
                                  {"used T", "err 10455"},
                                  {"init 30", "ok"},
                                  {"used T", "err 10445"},
                                  {"create Co 64 5:0", "ok"},
                                  {"drop Co", "ok"},
                                  {"drop Missing", "err 9903"},
                                  {"open T", "ok"},
                                  {"used T", "ok 1"}});
    // The last open was never closed: the end of input closes it, so the files are sound again.
    EXPECT_EQ(RunTool({"check", "T"}, dir.path()).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Co.IX"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Co.DAT"));
}

TEST(ScriptCommand, KeyCommandsPassTheCallersEntryAndPrintTheEngines) {
    TempDir dir;
    ExpectTranscript(dir.path(), {{"init 30", "ok"},
                                  {"create K 64 10:1 5:0", "ok"},
                                  {"open K", "ok"},
                                  {"addkey K 1 7 \"SMITH\"", "ok"},
                                  {"addkey K 1 3 \"SMITH\"", "ok"},
                                  {"addkey K 1 7 \"SMITH\"", "err 10230"},
                                  {"search K 1 \"SMITH\"", "ok 3 \"SMITH\""},
                                  {"nextkey K 1 3 \"SMITH\"", "ok 7 \"SMITH\""},
                                  {"addkey K 2 1 \"AB\"", "ok"},
                                  {"addkey K 2 4 \"ABCDE\"", "ok"},
                                  {"addkey K 2 9 \"ABC\"", "ok"},
                                  {"prevkey K 2 9 \"ABC\"", "ok 1 \"AB\""},
                                  {"usedkeys K 1", "ok 2"},
                                  {"usedkeys K 3", "err 10164"},
                                  {"delkey K 1 3 \"SMITH\"", "ok"},
                                  {"poskey K 2 63 63", "ok 4 \"ABCDE\""},
                                  {"keypos K 2 4 \"ABCDE\" 63", "ok 48"}});
}

TEST(ScriptCommand, RebuildCompactsRecordsAndRebuildsEveryKey) {
    TempDir dir;
    ExpectTranscript(dir.path(), {
                                     {"init 30", "ok"},
                                     {"create R 64 8:0 4:1", "ok"},
                                     {"open R", "ok"},
                                     {"add R \"KEY00001GRPB\"", "ok 1"},
                                     {"add R \"KEY00002GRPA\"", "ok 2"},
                                     {"add R \"KEY00003GRPA\"", "ok 3"},
                                     {"add R \"KEY00005GRPB\"", "ok 4"},
                                     {"del R 2", "ok"},
                                     {"close R", "ok"},
                                     {"rebuild R 64 8:0@4 4:1@12", "ok"},
                                     {"open R", "ok"},
                                     {"used R", "ok 3"},
                                     {"get R 2", "ok \"KEY00003GRPA\""},
                                     {"search R 1 \"KEY00005\"", "ok 3 \"KEY00005\""},
                                     {"search R 2 \"GRPB\"", "ok 1 \"GRPB\""},
                                     {"nextkey R 2 1 \"GRPB\"", "ok 3 \"GRPB\""},
                                 });
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "R.SAV"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "R.MSG"));
    EXPECT_EQ(RunTool({"check", "R"}, dir.path()).out, "");
}

TEST(DumpCommand, PrintsLiveRecordsAsHexOrKeyEntriesInOrderAndFailsWithTheEngineError) {
    TempDir dir;
    RunScript(dir.path(),
              "init 30\ncreate D 24 4:1\nopen D\nadd D \"AB\"\nadd D \"CD\"\nadd D x\"ff0a\"\n"
              "del D 1\naddkey D 1 3 \"ZZ\"\naddkey D 1 2 \"CD\"\naddkey D 1 9 \"CD\"\nclose D\n");
    const std::string zeros(36, '0');
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"dump", "D"}, 0, "2 000000004344" + zeros + "\n3 00000000ff0a" + zeros + "\n"},
        {{"dump", "D", "--key", "1"}, 0, "2 \"CD\"\n9 \"CD\"\n3 \"ZZ\"\n"},
        {{"dump", "Nothing"}, 1, "Nothing: err 9903\n"},
        {{"dump", "D", "--key", "2"}, 1, "D: err 10164\n"},
        {{"dump", "D", "--key", "x"}, 2, ""},
        {{"dump"}, 2, ""},
    };
    for (const auto& [args, exitCode, text] : cases) {
        SCOPED_TRACE(args.back());
        const ToolResult result = RunTool(args, dir.path());
        EXPECT_EQ(result.exitCode, exitCode);
        if (!text.empty()) {
            EXPECT_EQ(exitCode == 0 ? result.out : result.err, text);
        }
    }
}

}  // namespace
}  // namespace tooltest

// The script command as acceptance tests drive it: one reply per command, the quoting of strings,
// and the engine's results and error numbers for every command.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/TempDir.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using testsupport::TempDir;
using Transcript = std::vector<std::pair<std::string, std::string>>;  // command, expected reply

// Runs the commands in one script process and compares each reply with the expected one.
void ExpectTranscript(const std::filesystem::path& dir, const Transcript& transcript) {
    std::string script;
    for (const auto& [command, reply] : transcript) script += command + "\n";
    const std::vector<std::string> replies = RunScript(dir, script);
    ASSERT_EQ(replies.size(), transcript.size()) << "one reply per command";
    for (size_t i = 0; i < transcript.size(); ++i)
        EXPECT_EQ(replies[i], transcript[i].second) << "reply to: " << transcript[i].first;
}

TEST(ScriptInput, BlankAndCommentLinesPrintNothingAndEveryCommandOneLine) {
    TempDir dir;
    const auto replies = RunScript(dir.path(), "\n# a comment\n   \ninit 30\n\t# indented\nexit\n");
    EXPECT_EQ(replies, (std::vector<std::string>{"ok", "ok"}));
}

TEST(ScriptInput, MalformedLinesAreRejectedAndTheSessionGoesOn) {
    TempDir dir;
    const std::vector<std::string> malformed = {
        "frobnicate",        "init",         "init thirty",      "init 30 extra",
        "init 99999999999",  "add T \"open", "add T \"a\\n\"",   "add T x\"abc\"",
        "add T x\"zz\"",     "add T plain",  "create T 64 10:2", "create T 64 10",
        "rebuild T 64 10:0", "open T rw",    "\"init\" 30",      "add T \"a\"\"b\"",
    };
    std::string script;
    for (const std::string& line : malformed) script += line + "\n";
    script += "init 30\n";
    const auto replies = RunScript(dir.path(), script);
    ASSERT_EQ(replies.size(), malformed.size() + 1);
    for (size_t i = 0; i < malformed.size(); ++i)
        EXPECT_EQ(replies[i].rfind("bad ", 0), 0u) << malformed[i] << " -> " << replies[i];
    EXPECT_EQ(replies[0], "bad unknown command \"frobnicate\"");
    EXPECT_EQ(replies[1], "bad missing number");
    EXPECT_EQ(replies.back(), "ok") << "nothing ran for the malformed lines";
}

TEST(ScriptQuoting, BytesRoundTripAndPrintEscapedWithoutTrailingZeros) {
    TempDir dir;
    ExpectTranscript(dir.path(), {
                                     {"init 30", "ok"},
                                     {"create S 21", "ok"},
                                     {"open S", "ok"},
                                     {"add S \"A\\\"B\\\\C d\"", "ok 1"},
                                     {"get S 1", "ok \"A\\\"B\\\\C d\""},
                                     {"put S 1 x\"41225C0a7f20ff01\"", "ok"},
                                     {"get S 1", "ok \"A\\\"\\\\\\x0a\\x7f \\xff\\x01\""},
                                     {"put S 1 x\"4100420000\"", "ok"},
                                     {"get S 1", "ok \"A\\x00B\""},
                                     {"put S 1 \"\"", "ok"},
                                     {"get S 1", "ok \"\""},
                                     {"add S \"ABCDEFGHIJKLMNOPQRSTUVWXYZ\"", "ok 2"},
                                     {"get S 2", "ok \"ABCDEFGHIJKLMNOPQ\""},
                                 });
}

TEST(ScriptRecords, EveryRecordCommandPrintsItsResultOrTheEngineError) {
    TempDir dir;
    ExpectTranscript(dir.path(), {
                                     {"init 30", "ok"},
                                     {"create T 132", "ok"},
                                     {"open T", "ok"},
                                     {"add T \"one\"", "ok 1"},
                                     {"add T \"two\"", "ok 2"},
                                     {"add T \"three\"", "ok 3"},
                                     {"del T 2", "ok"},
                                     {"add T \"four\"", "ok 2"},
                                     {"del T 1", "ok"},
                                     {"used T", "ok 2"},
                                     {"length T", "ok 4"},
                                     {"reclen T", "ok 132"},
                                     {"nextused T 0", "ok 2"},
                                     {"nextused T 3", "err 10275"},
                                     {"prevused T 4", "ok 3"},
                                     {"test T 1 0", "err 10275"},
                                     {"test T 9 -1", "ok 3"},
                                     {"del T 0", "err 10135"},
                                     {"put T 0 \"x\"", "err 10130"},
                                     {"put T 2 \"changed\"", "ok"},
                                     {"get T 2", "ok \"changed\""},
                                     {"get T 9", "err 10070"},
                                     {"recpos T 2 63", "ok 32"},
                                     {"posrec T 32 63", "ok 2"},
                                     {"posrec T 5 4", "err 10420"},
                                     {"close T", "ok"},
                                     {"close T", "err 10445"},
                                 });
}

TEST(ScriptBlocks, HandlesFollowOpenCloseAndExit) {
    TempDir dir;
    ExpectTranscript(dir.path(), {
                                     {"exit", "err 10455"},
                                     {"init 7", "err 10451"},
                                     {"init 30", "ok"},
                                     {"init 30", "err 10450"},
                                     {"create T 20", "err 10020"},
                                     {"create T 64 31:0", "err 10055"},
                                     {"create T 64 10:0 9:1", "ok"},
                                     {"add T \"never opened\"", "err 10445"},
                                     {"open Missing", "err 9903"},
                                     {"open T ro", "ok"},
                                     {"add T \"x\"", "err 10065"},
                                     {"addkey T 1 1 \"X\"", "err 10065"},
                                     {"used T", "ok 0"},
                                     {"close T", "ok"},
                                     {"open T", "ok"},
                                     {"add T \"x\"", "ok 1"},
                                     {"exit", "ok"},
                                     {"used T", "err 10455"},
                                     {"init 30", "ok"},
                                     {"used T", "err 10445"},
                                     {"open T", "ok"},
                                     {"used T", "ok 1"},
                                     {"drop Missing", "err 9903"},
                                 });
    // The last open was never closed: the end of input closes it, so the files are sound again.
    EXPECT_EQ(RunTool({"check", "T"}, dir.path()).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Missing.DAT"));
}

TEST(ScriptBlocks, DropDeletesBothFilesAndScriptWorksInTheGivenFolder) {
    TempDir dir, elsewhere;
    const ToolResult run =
        RunTool({"script", dir.path().string()}, elsewhere.path(), "init 30\ncreate Co 64 5:0\n");
    EXPECT_EQ(run.out, "ok\nok\n");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Co.DAT"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Co.IX"));
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "Co.IX"), 6u + 62u * (5 + 9));
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));
    EXPECT_EQ(RunScript(dir.path(), "init 30\ndrop Co\n"), (std::vector<std::string>{"ok", "ok"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ScriptKeys, EveryKeyCommandPassesTheCallersEntryAndPrintsTheEngines) {
    TempDir dir;
    ExpectTranscript(dir.path(), {
                                     {"init 30", "ok"},
                                     {"create K 64 10:1 5:0", "ok"},
                                     {"open K", "ok"},
                                     {"addkey K 1 7 \"SMITH\"", "ok"},
                                     {"addkey K 1 3 \"SMITH\"", "ok"},
                                     {"addkey K 1 7 \"SMITH\"", "err 10230"},
                                     {"search K 1 \"SMITH\"", "ok 3 \"SMITH\""},
                                     {"nextkey K 1 3 \"SMITH\"", "ok 7 \"SMITH\""},
                                     {"nextkey K 1 7 \"SMITH\"", "err 10250"},
                                     {"nextkey K 1 0 \"\"", "ok 3 \"SMITH\""},
                                     {"addkey K 2 1 \"AB\"", "ok"},
                                     {"addkey K 2 3 \"ABCDEF\"", "err 10125"},
                                     {"addkey K 2 4 \"ABCDE\"", "ok"},
                                     {"search K 2 \"ABC\"", "ok 4 \"ABCDE\""},
                                     {"search K 2 \"ZZ\"", "err 10210"},
                                     {"addkey K 2 9 \"ABC\"", "ok"},
                                     {"nextkey K 2 1 \"AB\"", "ok 9 \"ABC\""},
                                     {"prevkey K 2 9 \"ABC\"", "ok 1 \"AB\""},
                                     {"prevkey K 2 1 \"AB\"", "err 10260"},
                                     {"prevkey K 2 0 \"\"", "ok 4 \"ABCDE\""},
                                     {"usedkeys K 1", "ok 2"},
                                     {"usedkeys K 3", "err 10164"},
                                     {"delkey K 1 3 \"SMITH\"", "ok"},
                                     {"delkey K 1 3 \"SMITH\"", "err 10220"},
                                     {"poskey K 2 63 63", "ok 4 \"ABCDE\""},
                                     {"keypos K 2 4 \"ABCDE\" 63", "ok 48"},
                                     {"keypos K 2 1 \"AB\" 0", "err 10425"},
                                     {"poskey K 2 0 0", "err 10420"},
                                     {"create E 64 4:0", "ok"},
                                     {"open E", "ok"},
                                     {"keypos E 1 0 \"A\" 63", "err 10285"},
                                     {"poskey E 1 0 63", "err 10280"},
                                 });
}

TEST(ScriptRebuild, CompactsRecordsAndRebuildsEveryKeyFromTheRecords) {
    TempDir dir;
    ExpectTranscript(dir.path(), {
                                     {"init 30", "ok"},
                                     {"create R 64 8:0 4:1", "ok"},
                                     {"open R", "ok"},
                                     {"add R \"KEY00001GRPB\"", "ok 1"},
                                     {"add R \"KEY00002GRPA\"", "ok 2"},
                                     {"add R \"KEY00003GRPA\"", "ok 3"},
                                     {"add R \"KEY00004GRPB\"", "ok 4"},
                                     {"add R \"KEY00005GRPB\"", "ok 5"},
                                     {"del R 2", "ok"},
                                     {"del R 4", "ok"},
                                     {"close R", "ok"},
                                     {"rebuild R 64 8:0@4 4:1@12", "ok"},
                                     {"open R", "ok"},
                                     {"used R", "ok 3"},
                                     {"length R", "ok 4"},
                                     {"get R 2", "ok \"KEY00003GRPA\""},
                                     {"search R 1 \"KEY00005\"", "ok 3 \"KEY00005\""},
                                     {"search R 2 \"GRPB\"", "ok 1 \"GRPB\""},
                                     {"nextkey R 2 1 \"GRPB\"", "ok 3 \"GRPB\""},
                                     {"usedkeys R 1", "ok 3"},
                                     {"usedkeys R 2", "ok 3"},
                                     {"close R", "ok"},
                                 });
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "R.SAV"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "R.MSG"));
    EXPECT_EQ(RunTool({"check", "R"}, dir.path()).out, "");
}

TEST(ScriptRebuild, ALaterRecordWithAUniqueKeyTakenIsLoggedAndDeleted) {
    TempDir dir;
    ExpectTranscript(dir.path(), {
                                     {"init 30", "ok"},
                                     {"create C 24 4:0", "ok"},
                                     {"open C", "ok"},
                                     {"add C \"ABCDfirst\"", "ok 1"},
                                     {"add C \"WXYZ\"", "ok 2"},
                                     {"add C \"ABCDsecond\"", "ok 3"},
                                     {"close C", "ok"},
                                     {"rebuild C 24 4:0@4", "ok"},
                                     {"open C", "ok"},
                                     {"used C", "ok 2"},
                                     {"search C 1 \"ABCD\"", "ok 1 \"ABCD\""},
                                     {"usedkeys C 1", "ok 2"},
                                     {"close C", "ok"},
                                 });
    std::string dump(24, '\0');
    dump.replace(4, 10, "ABCDsecond");
    std::ifstream log(dir.path() / "C.MSG", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(log), {}),
              "Key:<ABCD> KeyNr: 1 Ref: 3 not added\r\n"
              "Data record deleted - Dump follows\r\n" +
                  dump + "\r\n\r\n");
}

}  // namespace
}  // namespace tooltest

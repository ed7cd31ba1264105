// A `post` process adding, changing and deleting invoices, posting payments, making repeat
// masters, generating invoices from them and charging interest is killed with SIGKILL at a random
// moment; the next command that opens the company undoes the posting it left unfinished. Afterwards
// the balances agree with the invoices, every acknowledged posting is on file and no unacknowledged
// one is half there. KT_POSTING_KILL_ROUNDS sets the number of rounds (`bench/crash.sh --postings
// N` runs N) and KT_KILL_SEED replays one.

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>

#include "support/TempDir.h"
#include "tool/PostingWorkload.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using Clock = std::chrono::steady_clock;

TEST(PostingKillTest, AKilledPostingIsUndoneAndNothingAcknowledgedIsLost) {
    const uint32_t seed = EnvNumber("KT_KILL_SEED", std::random_device()());
    const uint32_t rounds = EnvNumber("KT_POSTING_KILL_ROUNDS", 4);
    SCOPED_TRACE("KT_KILL_SEED=" + std::to_string(seed));
    testsupport::TempDir temp;
    const std::filesystem::path dir = temp.path() / "data";
    PreparePostingFolder(dir);
    PostingWorkload workload(seed, "K");
    std::mt19937 random(seed);
    std::map<std::string, int> undone;  // by the operation cut short
    for (uint32_t round = 0; round < rounds && !::testing::Test::HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ScriptSession post({"post", dir.string(), "--today", "2026-12-06", "--wait", "30"}, dir);
        // Whole postings first, then one killed at a random moment of its run.
        for (int n = static_cast<int>(random() % 6); n > 0; --n) {
            post.Write(workload.Next());
            const auto reply = post.ReadLine();
            ASSERT_TRUE(reply);
            workload.Acknowledge(nlohmann::json::parse(*reply));
        }
        const std::string line = workload.Next();
        post.Write(line);
        // A posting takes a few milliseconds; a generation or an interest run is a posting per
        // invoice, after its search or scan (and the day's aging).
        const std::string op = nlohmann::json::parse(line).at("op");
        const uint32_t longest = op == "repeat-generate" || op == "interest" ? 300000 : 8000;
        const auto until = Clock::now() + std::chrono::microseconds(random() % longest);
        while (Clock::now() < until) {
        }
        post.Kill();
        // A reply written before the kill is still in the pipe.
        if (const auto reply = post.ReadLine()) workload.Acknowledge(nlohmann::json::parse(*reply));
        if (std::filesystem::exists(dir / "Posting.JNL")) ++undone[op];
        ASSERT_EQ(FolderProblems(dir), "");
        ASSERT_EQ(workload.Problems(InvoicesOnFile(dir)), "");
    }
    for (const auto& [op, count] : undone) RecordProperty("undone " + op, count);
}

}  // namespace
}  // namespace tooltest

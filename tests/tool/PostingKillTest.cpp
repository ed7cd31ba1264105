// A `post` process adding, changing and deleting invoices and posting payments is killed with
// SIGKILL at a random moment; the next command that opens the company undoes the posting it left
// unfinished. Afterwards the balances agree with the invoices, every acknowledged posting is on
// file and no unacknowledged one is half there.
// KT_POSTING_KILL_ROUNDS sets the number of rounds (`bench/crash.sh --postings N` runs N) and
// KT_KILL_SEED replays one.

#include <gtest/gtest.h>

#include <chrono>
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
    int undone = 0;
    for (uint32_t round = 0; round < rounds && !::testing::Test::HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ScriptSession post({"post", dir.string(), "--today", "2026-12-06", "--wait", "30"}, dir);
        // Whole postings first, then one killed at a random moment of its run (a posting takes
        // a few milliseconds).
        for (int n = static_cast<int>(random() % 6); n > 0; --n) {
            post.Write(workload.Next());
            const auto reply = post.ReadLine();
            ASSERT_TRUE(reply);
            workload.Acknowledge(nlohmann::json::parse(*reply));
        }
        post.Write(workload.Next());
        const auto until = Clock::now() + std::chrono::microseconds(random() % 8000);
        while (Clock::now() < until) {
        }
        post.Kill();
        // A reply written before the kill is still in the pipe.
        if (const auto reply = post.ReadLine()) workload.Acknowledge(nlohmann::json::parse(*reply));
        if (std::filesystem::exists(dir / "Posting.JNL")) ++undone;
        ASSERT_EQ(FolderProblems(dir), "");
        ASSERT_EQ(workload.Problems(InvoicesOnFile(dir)), "");
    }
    RecordProperty("undone", undone);
}

}  // namespace
}  // namespace tooltest

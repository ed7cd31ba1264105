// Nothing acknowledged is lost when the process dies: a script process is killed with SIGKILL at a
// random moment of random work, or in the middle of either phase of a rebuild, and the rebuild
// that follows restores every acknowledged record with sound indexes.
//
// KT_KILL_ROUNDS sets the number of rounds (bench/crash.sh N runs N) and KT_KILL_SEED replays one.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

#include "support/TempDir.h"
#include "tool/CrashWorkload.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using testsupport::TempDir;
using Clock = std::chrono::steady_clock;

uint32_t EnvNumber(const char* name, uint32_t fallback) {
    const char* value = std::getenv(name);
    return value ? static_cast<uint32_t>(std::strtoul(value, nullptr, 10)) : fallback;
}

uint32_t Seed() {
    return EnvNumber("KT_KILL_SEED", std::random_device()());
}

TEST(KillTest, AcknowledgedWorkSurvivesAKillAtARandomMoment) {
    const uint32_t seed = Seed();
    SCOPED_TRACE("KT_KILL_SEED=" + std::to_string(seed));
    TempDir dir;
    CrashWorkload workload(dir.path(), seed);
    const uint32_t rounds = EnvNumber("KT_KILL_ROUNDS", 100);
    for (uint32_t round = 0; round < rounds && !HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        workload.RunAndKill(600);
        workload.RecoverAndVerify();
    }
}

// A block large enough that each rebuild phase lasts a while.
class RebuildKillTest : public ::testing::Test {
protected:
    static constexpr int kRecords = 60000;
    static constexpr char kRebuild[] = "rebuild RB 132 10:0@4 4:1@14";

    void SetUp() override {
        std::string script = "init 30\ncreate RB 132 10:0 4:1\nopen RB\n";
        for (int n = 1; n <= kRecords; ++n) {
            char text[40];
            std::snprintf(text, sizeof text, "ID%08dG%03dpayload %d", n, n % 50, n * 7);
            texts_.push_back(text);
            script += "add RB \"" + texts_.back() + "\"\n";
        }
        script += "close RB\n";
        const ToolResult made = RunTool({"script", dir_.path().string()}, dir_.path(), script);
        ASSERT_EQ(made.lines().size(), static_cast<size_t>(kRecords) + 4);
        ASSERT_EQ(made.lines().back(), "ok");
    }

    bool Exists(const char* file) const { return std::filesystem::exists(dir_.path() / file); }

    // Starts a rebuild, waits until `inPhase` holds, lets it run a random little while and kills
    // it. True when the kill landed while the phase was still under way.
    template <typename Condition, typename Landed>
    bool KillDuring(Condition inPhase, Landed landed, std::mt19937& random) {
        ScriptSession session(dir_.path());
        EXPECT_EQ(session.Send("init 30"), "ok");
        session.Write(kRebuild);
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (!inPhase() && Clock::now() < deadline) std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        session.Kill();
        return !session.ReadLine() && landed();
    }

    // Kills rebuilds in one phase until three kills have landed inside it (at most 30 tries),
    // repairing and verifying after each; returns how many landed.
    template <typename PhaseFactory, typename Landed>
    int KillRepeatedly(PhaseFactory makePhase, Landed landed) {
        const uint32_t seed = Seed();
        SCOPED_TRACE("KT_KILL_SEED=" + std::to_string(seed));
        std::mt19937 random(seed);
        int count = 0;
        for (int attempt = 0; attempt < 30 && count < 3 && !HasFailure(); ++attempt) {
            if (KillDuring(makePhase(), landed, random)) ++count;
            RecoverAndVerify();
        }
        return count;
    }

    void RecoverAndVerify() {
        EXPECT_EQ(RunScript(dir_.path(), std::string("init 30\n") + kRebuild + "\n"),
                  (std::vector<std::string>{"ok", "ok"}));
        const ToolResult dump = RunTool({"dump", "RB"}, dir_.path());
        const auto records = ParseRecordDump(dump.out);
        ASSERT_EQ(records.size(), texts_.size());
        int32_t recordNumber = 1;
        for (const std::string& text : texts_) {
            std::string expected(132, '\0');
            expected.replace(4, text.size(), text);
            ASSERT_TRUE(records.at(recordNumber) == expected) << "record " << recordNumber;
            ++recordNumber;
        }
        const ToolResult checked = RunTool({"check", "RB"}, dir_.path());
        EXPECT_EQ(checked.exitCode, 0) << checked.out;
        EXPECT_FALSE(Exists("RB.SAV"));
        EXPECT_FALSE(Exists("RB.MSG"));
        const ToolResult keys = RunTool({"dump", "RB", "--key", "1"}, dir_.path());
        EXPECT_EQ(keys.lines().size(), texts_.size());
    }

    TempDir dir_;
    std::vector<std::string> texts_;
};

TEST_F(RebuildKillTest, AKillInTheDataPhaseIsRepairedByTheNextRebuild) {
    // The old data lives under the SAV name exactly while the data phase runs.
    const auto dataPhase = [this] { return Exists("RB.SAV"); };
    EXPECT_EQ(KillRepeatedly([&] { return dataPhase; }, dataPhase), 3)
        << "the kill never landed inside the data phase";
}

TEST_F(RebuildKillTest, AKillInTheIndexPhaseIsRepairedByTheNextRebuild) {
    // The data phase moves the data to the SAV name and removes the index; the index phase
    // creates the index afresh once the SAV copy is gone.
    const auto indexPhase = [this] {
        return [this, started = false]() mutable {
            if (Exists("RB.SAV") || !Exists("RB.IX")) started = true;
            return started && !Exists("RB.SAV") && Exists("RB.IX");
        };
    };
    EXPECT_EQ(KillRepeatedly(indexPhase, [] { return true; }), 3)
        << "the kill never landed inside the index phase";
}

}  // namespace
}  // namespace tooltest

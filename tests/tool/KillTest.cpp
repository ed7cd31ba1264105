// Nothing acknowledged is lost when the process dies: a script process is killed with SIGKILL at a
// random moment of random work, or inside either phase of a rebuild, and the rebuild that follows
// restores every acknowledged record with sound indexes.
// KT_KILL_ROUNDS sets the number of rounds (bench/crash.sh N runs N) and KT_KILL_SEED replays one.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "support/TempDir.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using testsupport::TempDir;
using Clock = std::chrono::steady_clock;
using Rows = std::map<std::string, std::string>;  // id -> record text (bytes from offset 4)

constexpr size_t kIdLength = 10;

uint32_t Seed() {
    return EnvNumber("KT_KILL_SEED", std::random_device()());
}

std::string Group(const std::string& text) {
    return text.substr(kIdLength, 4);
}

std::string Hex(const std::string& bytes) {
    std::string out = "x\"";
    for (unsigned char c : bytes) out += {"0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 15]};
    return out + "\"";
}

// `dump NAME` lines "RECNO HEX" as record number -> record bytes.
std::map<int32_t, std::string> DumpRecords(const std::filesystem::path& dir,
                                           const std::string& name) {
    std::map<int32_t, std::string> records;
    std::istringstream lines(RunTool({"dump", name}, dir).out);
    for (std::string line; std::getline(lines, line);) {
        const size_t blank = line.find(' ');
        std::string bytes;
        for (size_t i = blank + 1; i + 1 < line.size(); i += 2)
            bytes.push_back(static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16)));
        records[std::stoi(line.substr(0, blank))] = bytes;
    }
    return records;
}

struct Block {
    std::string name;
    int recordLength;
    Rows rows = {};
    std::map<std::string, int32_t> numbers = {};  // id -> record number while the block is open
    bool changed = false;  // an acknowledged command set the in-use flag since the last open
};

// Random adds, updates and deletes with two keys on three blocks, killed after a random command;
// records are known by their id (key 1), since a rebuild renumbers them.
class Workload {
public:
    Workload(std::filesystem::path dir, uint32_t seed) : dir_(std::move(dir)), random_(seed) {}

    void RunAndKill(int maxCommands) {
        ScriptSession session(dir_);
        session_ = &session;
        remaining_ = 1 + static_cast<int>(random_() % static_cast<uint32_t>(maxCommands));
        inFlight_.reset();
        EXPECT_EQ(session.Send("init 30"), "ok");
        for (Block& block : blocks_) {
            const std::string size = " " + std::to_string(block.recordLength) + " 10:0 4:1";
            if (!created_) {
                EXPECT_EQ(session.Send("create " + block.name + size), "ok");
            }
            EXPECT_EQ(session.Send("open " + block.name), "ok");
            block.changed = false;
        }
        created_ = true;
        while (remaining_ > 0 && !::testing::Test::HasFailure()) {
            Block& block = blocks_[random_() % blocks_.size()];
            const uint32_t choice = random_() % 100;
            if (block.rows.empty() || choice < 55)
                Add(block);
            else
                Change(block, choice < 80);
        }
    }

    // Opens (a changed block must refuse with 10010), rebuilds and compares every block.
    void RecoverAndVerify() {
        std::string script = "init 30\n";
        for (const Block& block : blocks_)
            script += "open " + block.name + "\nclose " + block.name + "\n" + Rebuild(block) + "\n";
        const std::vector<std::string> replies = RunScript(dir_, script);
        ASSERT_EQ(replies.size(), 1 + 3 * blocks_.size());
        for (size_t b = 0; b < blocks_.size(); ++b) {
            const std::string& opened = replies[1 + 3 * b];
            EXPECT_TRUE(opened == "err 10010" || (opened == "ok" && !blocks_[b].changed)) << opened;
            EXPECT_EQ(replies[3 + 3 * b], "ok") << blocks_[b].name;
        }
        std::vector<std::string> check{"check"};
        for (Block& block : blocks_) {
            Verify(block);
            check.push_back(block.name);
        }
        const ToolResult checked = RunTool(check, dir_);
        EXPECT_EQ(checked.exitCode, 0) << checked.out;
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
            const std::string extension = entry.path().extension().string();
            EXPECT_TRUE(extension == ".DAT" || extension == ".IX") << "left: " << entry.path();
        }
    }

private:
    struct InFlight {
        Block* block;
        std::string id;
        std::optional<std::string> before, after;  // nothing: the record does not exist
    };

    static std::string Rebuild(const Block& block) {
        return "rebuild " + block.name + " " + std::to_string(block.recordLength) +
               " 10:0@4 4:1@14";
    }

    // The reply to `command`; nothing when the process was killed before replying. The last
    // command is killed after a random spin of up to 40 µs: before, during or after it runs.
    std::optional<std::string> Step(const std::string& command) {
        if (remaining_ <= 0) return std::nullopt;
        session_->Write(command);
        if (--remaining_ > 0) return session_->ReadLine();
        const auto until = Clock::now() + std::chrono::microseconds(random_() % 40);
        while (Clock::now() < until) {
        }
        session_->Kill();
        return session_->ReadLine();  // a reply written before the kill is still in the pipe
    }

    // The reply to `command` about record `id`, which holds `after` once it has run; with no
    // reply, the command is the one in flight.
    std::optional<std::string> Run(Block& block, const std::string& command, const std::string& id,
                                   const std::optional<std::string>& after) {
        const std::optional<std::string> reply = Step(command);
        if (!reply) {
            const auto row = block.rows.find(id);
            const auto before = row == block.rows.end() ? std::nullopt : std::optional(row->second);
            inFlight_ = InFlight{&block, id, before, after};
            return reply;
        }
        EXPECT_EQ(reply->rfind("ok", 0), 0u) << command << " -> " << *reply;
        // Rewriting a record leaves the in-use flag alone: it changes neither header nor index.
        if (command.rfind("put ", 0) != 0) block.changed = true;
        return reply;
    }

    void Key(Block& block, const char* command, int key, const std::string& id,
             const std::string& text) {
        Run(block,
            std::string(command) + " " + block.name + " " + std::to_string(key) + " " +
                std::to_string(block.numbers[id]) + " \"" + text + "\"",
            id, block.rows[id]);
    }

    std::string NewText(const Block& block, const std::string& id) {
        char group[8];
        std::snprintf(group, sizeof group, "G%03d", static_cast<int>(random_() % 20));
        std::string text = id + group;
        const size_t room = static_cast<size_t>(block.recordLength - 4) - text.size();
        for (size_t n = random_() % (room + 1); n > 0; --n)
            text.push_back(static_cast<char>(1 + random_() % 255));
        return text;
    }

    void Add(Block& block) {
        char id[16];
        std::snprintf(id, sizeof id, "ID%08d", nextId_++);
        const std::string text = NewText(block, id);
        const auto reply = Run(block, "add " + block.name + " " + Hex(text), id, text);
        if (!reply) return;
        block.rows[id] = text;
        block.numbers[id] = std::stoi(reply->substr(3));
        Key(block, "addkey", 1, id, id);
        Key(block, "addkey", 2, id, Group(text));
    }

    // Updates a random record, or deletes it with its keys.
    void Change(Block& block, bool update) {
        auto row = block.rows.begin();
        std::advance(row, random_() % block.rows.size());
        const std::string id = row->first, before = row->second;
        const std::string number = " " + std::to_string(block.numbers[id]);
        if (update) {
            const std::string text = NewText(block, id);
            if (!Run(block, "put " + block.name + number + " " + Hex(text), id, text)) return;
            block.rows[id] = text;
            if (Group(before) == Group(text)) return;
            Key(block, "delkey", 2, id, Group(before));
            Key(block, "addkey", 2, id, Group(text));
            return;
        }
        Key(block, "delkey", 1, id, id);
        Key(block, "delkey", 2, id, Group(before));
        if (remaining_ <= 0 || !Run(block, "del " + block.name + number, id, std::nullopt)) return;
        block.rows.erase(id);
        block.numbers.erase(id);
    }

    // Afterwards the model holds what the files hold, so the next round continues from there.
    void Verify(Block& block) {
        Rows found;
        std::map<std::string, int32_t> numbers;
        int32_t expectedNumber = 1;
        for (const auto& [number, bytes] : DumpRecords(dir_, block.name)) {
            EXPECT_EQ(number, expectedNumber++) << "a rebuild numbers records without gaps";
            ASSERT_EQ(bytes.size(), static_cast<size_t>(block.recordLength));
            EXPECT_EQ(bytes.substr(0, 4), std::string(4, '\0'));
            std::string text = bytes.substr(4);
            text.erase(text.find_last_not_of('\0') + 1);
            const std::string id = text.substr(0, kIdLength);
            EXPECT_FALSE(found.count(id)) << "record " << id << " appears twice";
            found[id] = text;
            numbers[id] = number;
        }
        if (inFlight_ && inFlight_->block == &block) {
            const auto row = found.find(inFlight_->id);
            const auto actual = row == found.end() ? std::nullopt : std::optional(row->second);
            EXPECT_TRUE(actual == inFlight_->before || actual == inFlight_->after)
                << "the operation in flight on " << inFlight_->id << " left a third state";
            if (actual)
                block.rows[inFlight_->id] = *actual;
            else
                block.rows.erase(inFlight_->id);
        }
        EXPECT_EQ(found, block.rows) << block.name;
        block.rows = found;
        block.numbers = numbers;
    }

    std::filesystem::path dir_;
    std::mt19937 random_;
    std::vector<Block> blocks_{{"KA", 64}, {"KB", 132}, {"KC", 300}};
    ScriptSession* session_ = nullptr;
    int remaining_ = 0;
    std::optional<InFlight> inFlight_;
    int nextId_ = 1;
    bool created_ = false;
};

TEST(KillTest, AcknowledgedWorkSurvivesAKillAtARandomMoment) {
    const uint32_t seed = Seed();
    SCOPED_TRACE("KT_KILL_SEED=" + std::to_string(seed));
    TempDir dir;
    Workload workload(dir.path(), seed);
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

    // Kills rebuilds a random little while into one phase until three kills have landed inside
    // it (at most 30 tries), repairing and verifying after each. The old data lives under the SAV
    // name exactly while the data phase runs; the index phase then creates the index afresh.
    int KillRepeatedly(bool indexPhase) {
        const uint32_t seed = Seed();
        SCOPED_TRACE("KT_KILL_SEED=" + std::to_string(seed));
        std::mt19937 random(seed);
        int landed = 0;
        for (int attempt = 0; attempt < 30 && landed < 3 && !HasFailure(); ++attempt) {
            bool started = false;
            const auto inPhase = [&] {
                if (!indexPhase) return Exists("RB.SAV");
                started = started || Exists("RB.SAV") || !Exists("RB.IX");
                return started && !Exists("RB.SAV") && Exists("RB.IX");
            };
            ScriptSession session(dir_.path());
            EXPECT_EQ(session.Send("init 30"), "ok");
            session.Write(kRebuild);
            const auto deadline = Clock::now() + std::chrono::seconds(20);
            while (!inPhase() && Clock::now() < deadline) std::this_thread::yield();
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
            session.Kill();
            if (!session.ReadLine() && (indexPhase || inPhase())) ++landed;
            RecoverAndVerify();
        }
        return landed;
    }

    void RecoverAndVerify() {
        EXPECT_EQ(RunScript(dir_.path(), std::string("init 30\n") + kRebuild + "\n"),
                  (std::vector<std::string>{"ok", "ok"}));
        const auto records = DumpRecords(dir_.path(), "RB");
        ASSERT_EQ(records.size(), texts_.size());
        for (int32_t number = 1; number <= kRecords; ++number) {
            std::string expected(132, '\0');
            expected.replace(4, texts_[number - 1].size(), texts_[number - 1]);
            ASSERT_TRUE(records.at(number) == expected) << "record " << number;
        }
        const ToolResult checked = RunTool({"check", "RB"}, dir_.path());
        EXPECT_EQ(checked.exitCode, 0) << checked.out;
        EXPECT_FALSE(Exists("RB.SAV"));
        EXPECT_FALSE(Exists("RB.MSG"));
        EXPECT_EQ(RunTool({"dump", "RB", "--key", "1"}, dir_.path()).lines().size(), texts_.size());
    }

    TempDir dir_;
    std::vector<std::string> texts_;
};

TEST_F(RebuildKillTest, AKillInTheDataPhaseIsRepairedByTheNextRebuild) {
    EXPECT_EQ(KillRepeatedly(false), 3) << "no kill landed inside the data phase";
}

TEST_F(RebuildKillTest, AKillInTheIndexPhaseIsRepairedByTheNextRebuild) {
    EXPECT_EQ(KillRepeatedly(true), 3) << "no kill landed inside the index phase";
}

}  // namespace
}  // namespace tooltest

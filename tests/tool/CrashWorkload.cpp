#include "tool/CrashWorkload.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>

#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

constexpr int kTextOffset = 4;  // the record's text follows the 4-byte deletion mark
constexpr size_t kIdLength = 10;
constexpr size_t kGroupLength = 4;
constexpr int kGroups = 20;

std::string IdText(int n) {
    char id[16];
    std::snprintf(id, sizeof id, "ID%08d", n);
    return id;
}

std::string Group(const std::string& text) {
    return text.substr(kIdLength, kGroupLength);
}

std::string Hex(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out = "x\"";
    for (unsigned char c : bytes) {
        out.push_back(kDigits[c >> 4]);
        out.push_back(kDigits[c & 15]);
    }
    return out + "\"";
}

std::string Quoted(const std::string& printable) {
    return "\"" + printable + "\"";
}

// The first difference between two id -> text maps, for a readable failure.
std::string FirstDifference(const std::map<std::string, std::string>& expected,
                            const std::map<std::string, std::string>& actual) {
    for (const auto& [id, text] : expected) {
        const auto found = actual.find(id);
        if (found == actual.end()) return "acknowledged record " + id + " is missing";
        if (found->second != text) return "record " + id + " differs from its acknowledged bytes";
    }
    for (const auto& [id, text] : actual)
        if (!expected.count(id)) return "record " + id + " should not exist";
    return "none";
}

}  // namespace

// One script process; after a chosen number of commands it is killed while the last one runs.
class CrashWorkload::Driver {
public:
    Driver(const std::filesystem::path& dir, int commandsBeforeKill, std::mt19937& random)
        : session_(dir), remaining_(commandsBeforeKill), random_(random) {}

    void Setup(const std::string& command) { EXPECT_EQ(session_.Send(command), "ok") << command; }

    // The reply to `command`; nothing when the process died before replying.
    std::optional<std::string> Step(const std::string& command) {
        if (killed_) return std::nullopt;
        session_.Write(command);
        if (--remaining_ > 0) return session_.ReadLine();
        // A command takes some microseconds: spinning up to 40 lands the kill before, during or
        // after it, at random.
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::microseconds(random_() % 40);
        while (std::chrono::steady_clock::now() < until) {
        }
        session_.Kill();
        killed_ = true;
        return session_.ReadLine();  // a reply written before the kill is still in the pipe
    }

    // A key command; an acknowledged one has set the block's in-use flag.
    void Key(CrashBlock& block, const std::string& command, int key, int32_t recordNumber,
             const std::string& text) {
        const auto reply = Step(command + " " + block.name + " " + std::to_string(key) + " " +
                                std::to_string(recordNumber) + " " + Quoted(text));
        if (!reply) return;
        EXPECT_EQ(*reply, "ok") << command << " " << text;
        block.changed = true;
    }

    bool killed() const { return killed_; }

private:
    ScriptSession session_;
    int remaining_;
    std::mt19937& random_;
    bool killed_ = false;
};

CrashWorkload::CrashWorkload(std::filesystem::path dir, uint32_t seed)
    : dir_(std::move(dir)), random_(seed) {
    blocks_ = {{"KA", 64, {}, {}, false}, {"KB", 132, {}, {}, false}, {"KC", 300, {}, {}, false}};
}

std::string CrashWorkload::RebuildCommand(const CrashBlock& block) {
    return "rebuild " + block.name + " " + std::to_string(block.recordLength) + " 10:0@4 4:1@14";
}

std::string CrashWorkload::NewText(const CrashBlock& block, const std::string& id) {
    char group[8];
    std::snprintf(group, sizeof group, "G%03d", static_cast<int>(random_() % kGroups));
    std::string text = id + group;
    const size_t room = static_cast<size_t>(block.recordLength - kTextOffset) - text.size();
    const size_t payload = random_() % (room + 1);
    for (size_t i = 0; i < payload; ++i) text.push_back(static_cast<char>(1 + random_() % 255));
    return text;
}

void CrashWorkload::RunAndKill(int maxCommands) {
    Driver driver(dir_, 1 + static_cast<int>(random_() % static_cast<uint32_t>(maxCommands)),
                  random_);
    driver.Setup("init 30");
    for (CrashBlock& block : blocks_) {
        if (!created_)
            driver.Setup("create " + block.name + " " + std::to_string(block.recordLength) +
                         " 10:0 4:1");
        driver.Setup("open " + block.name);
        block.changed = false;
    }
    created_ = true;
    inFlight_.reset();
    while (!driver.killed() && !::testing::Test::HasFailure()) {
        CrashBlock& block = blocks_[random_() % blocks_.size()];
        const uint32_t choice = random_() % 100;
        if (block.rows.empty() || choice < 55)
            Add(driver, block);
        else if (choice < 80)
            Update(driver, block);
        else
            Delete(driver, block);
    }
}

void CrashWorkload::Add(Driver& driver, CrashBlock& block) {
    const std::string id = IdText(nextId_++);
    const std::string text = NewText(block, id);
    const auto reply = driver.Step("add " + block.name + " " + Hex(text));
    if (!reply) {
        inFlight_ = InFlight{&block, id, std::nullopt, text};
        return;
    }
    ASSERT_EQ(reply->rfind("ok ", 0), 0u) << *reply;
    const int32_t recordNumber = std::stoi(reply->substr(3));
    block.rows[id] = text;
    block.recordNumbers[id] = recordNumber;
    block.changed = true;
    driver.Key(block, "addkey", 1, recordNumber, id);
    driver.Key(block, "addkey", 2, recordNumber, Group(text));
}

void CrashWorkload::Update(Driver& driver, CrashBlock& block) {
    auto row = block.rows.begin();
    std::advance(row, random_() % block.rows.size());
    const std::string id = row->first, before = row->second;
    const std::string text = NewText(block, id);
    const int32_t recordNumber = block.recordNumbers[id];
    const auto reply =
        driver.Step("put " + block.name + " " + std::to_string(recordNumber) + " " + Hex(text));
    if (!reply) {
        inFlight_ = InFlight{&block, id, before, text};
        return;
    }
    EXPECT_EQ(*reply, "ok");
    block.rows[id] = text;
    if (Group(before) == Group(text)) return;
    driver.Key(block, "delkey", 2, recordNumber, Group(before));
    driver.Key(block, "addkey", 2, recordNumber, Group(text));
}

void CrashWorkload::Delete(Driver& driver, CrashBlock& block) {
    auto row = block.rows.begin();
    std::advance(row, random_() % block.rows.size());
    const std::string id = row->first, before = row->second;
    const int32_t recordNumber = block.recordNumbers[id];
    driver.Key(block, "delkey", 1, recordNumber, id);
    driver.Key(block, "delkey", 2, recordNumber, Group(before));
    if (driver.killed()) return;
    const auto reply = driver.Step("del " + block.name + " " + std::to_string(recordNumber));
    if (!reply) {
        inFlight_ = InFlight{&block, id, before, std::nullopt};
        return;
    }
    EXPECT_EQ(*reply, "ok");
    block.rows.erase(id);
    block.recordNumbers.erase(id);
    block.changed = true;
}

void CrashWorkload::RecoverAndVerify() {
    {
        ScriptSession session(dir_);
        EXPECT_EQ(session.Send("init 30"), "ok");
        for (const CrashBlock& block : blocks_) {
            const std::string reply = session.Send("open " + block.name);
            if (block.changed)
                EXPECT_EQ(reply, "err 10010") << "a changed block left open must refuse to open";
            else
                EXPECT_TRUE(reply == "err 10010" || reply == "ok") << reply;
            if (reply == "ok") {
                EXPECT_EQ(session.Send("close " + block.name), "ok");
            }
            EXPECT_EQ(session.Send(RebuildCommand(block)), "ok") << block.name;
        }
        EXPECT_EQ(session.Finish(), 0);
    }
    for (CrashBlock& block : blocks_) VerifyBlock(block);
    std::vector<std::string> check{"check"};
    for (const CrashBlock& block : blocks_) check.push_back(block.name);
    const ToolResult checked = RunTool(check, dir_);
    EXPECT_EQ(checked.exitCode, 0) << checked.out;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        const std::string extension = entry.path().extension().string();
        EXPECT_TRUE(extension == ".DAT" || extension == ".IX") << "left behind: " << entry.path();
    }
    inFlight_.reset();
}

void CrashWorkload::VerifyBlock(CrashBlock& block) {
    const ToolResult dump = RunTool({"dump", block.name}, dir_);
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    std::map<std::string, std::string> found;
    std::map<std::string, int32_t> numbers;
    int32_t expectedNumber = 1;
    for (const auto& [recordNumber, bytes] : ParseRecordDump(dump.out)) {
        EXPECT_EQ(recordNumber, expectedNumber++) << "a rebuild numbers records without gaps";
        ASSERT_EQ(bytes.size(), static_cast<size_t>(block.recordLength));
        EXPECT_EQ(bytes.substr(0, kTextOffset), std::string(kTextOffset, '\0'));
        std::string text = bytes.substr(kTextOffset);
        text.erase(text.find_last_not_of('\0') + 1);
        const std::string id = text.substr(0, kIdLength);
        EXPECT_FALSE(found.count(id)) << "record " << id << " appears twice";
        found[id] = text;
        numbers[id] = recordNumber;
    }
    if (inFlight_ && inFlight_->block == &block) {
        const auto actual =
            found.count(inFlight_->id) ? std::optional(found[inFlight_->id]) : std::nullopt;
        EXPECT_TRUE(actual == inFlight_->before || actual == inFlight_->after)
            << "the operation in flight on " << inFlight_->id << " left a third state";
        if (actual)
            block.rows[inFlight_->id] = *actual;
        else
            block.rows.erase(inFlight_->id);
    }
    EXPECT_TRUE(found == block.rows) << block.name << ": " << FirstDifference(block.rows, found);
    block.rows = found;
    block.recordNumbers = numbers;

    // Both indexes were rebuilt from the records: key 1 by id, key 2 by group then record number.
    std::string byId, byGroup;
    std::vector<std::pair<std::string, int32_t>> groups;
    for (const auto& [id, text] : found) {
        byId += std::to_string(numbers[id]) + " " + Quoted(id) + "\n";
        groups.emplace_back(Group(text), numbers[id]);
    }
    std::sort(groups.begin(), groups.end());
    for (const auto& [group, recordNumber] : groups)
        byGroup += std::to_string(recordNumber) + " " + Quoted(group) + "\n";
    const ToolResult key1 = RunTool({"dump", block.name, "--key", "1"}, dir_);
    const ToolResult key2 = RunTool({"dump", block.name, "--key", "2"}, dir_);
    EXPECT_EQ(key1.out, byId) << block.name << " key 1";
    EXPECT_EQ(key2.out, byGroup) << block.name << " key 2";
}

std::map<int32_t, std::string> ParseRecordDump(const std::string& out) {
    std::map<int32_t, std::string> records;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const size_t blank = line.find(' ');
        std::string bytes;
        for (size_t i = blank + 1; i + 1 < line.size(); i += 2)
            bytes.push_back(static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16)));
        records[std::stoi(line.substr(0, blank))] = bytes;
    }
    return records;
}

}  // namespace tooltest

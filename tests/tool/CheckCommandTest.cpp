// The checker against hand-made files: a sound block passes silently, and each kind of damage to
// the data file or to a tree is reported by a line naming the block and the fault.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "support/TempDir.h"
#include "tool/BlockImage.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using ::testing::HasSubstr;
using testsupport::TempDir;

struct Damage {
    std::string what;
    std::function<void(DataImage&, IndexImage&)> apply;
    std::string expected;  // a line of the report
};

ToolResult CheckImages(const DataImage& data, const IndexImage& index) {
    TempDir dir;
    WriteFile(dir.path() / "T.DAT", data.Bytes());
    WriteFile(dir.path() / "T.IX", index.Bytes());
    return RunTool({"check", "T"}, dir.path());
}

void ExpectReported(const std::vector<Damage>& damages) {
    for (const Damage& damage : damages) {
        DataImage data = LiveRecords(63);
        IndexImage index = TwoLevelTree();
        damage.apply(data, index);
        const ToolResult result = CheckImages(data, index);
        EXPECT_EQ(result.exitCode, 1) << damage.what;
        EXPECT_THAT(result.out, HasSubstr("T: " + damage.expected + "\n")) << damage.what;
    }
}

TEST(CheckSound, HandMadeBlocksPassSilently) {
    const ToolResult twoLevels = CheckImages(LiveRecords(63), TwoLevelTree());
    EXPECT_EQ(twoLevels.exitCode, 0) << twoLevels.out;
    EXPECT_EQ(twoLevels.out, "");

    // Equal keys are in order when their record numbers ascend, in an index with duplicates.
    IndexImage same;
    same.duplicates = 1;
    same.pages = {IndexPage{false, -1, 0, {{4, 0, "SAME"}, {9, 0, "SAME"}, {12, 0, "SAMF"}}}};
    same.root = 1;
    same.entries = 3;
    DataImage withFree = LiveRecords(5);
    withFree.marks[1] = 4;  // chain 2 -> 4 -> end
    withFree.marks[3] = -1;
    withFree.firstFree = 2;
    withFree.freeCount = 2;
    const ToolResult duplicates = CheckImages(withFree, same);
    EXPECT_EQ(duplicates.exitCode, 0) << duplicates.out;

    DataImage noKeys = LiveRecords(0);
    noKeys.keyCount = 0;
    TempDir dir;
    WriteFile(dir.path() / "N.DAT", noKeys.Bytes());
    EXPECT_EQ(RunTool({"check", "N"}, dir.path()).exitCode, 0);
}

TEST(CheckSound, BlocksTheEngineWroteThroughSplitsMergesAndFreedSlotsPass) {
    // Entries go in and half of them out again at random, so pages split, borrow and merge;
    // every third record is deleted, so the free chain is long and interleaved.
    TempDir dir;
    std::mt19937 random(7);
    std::string script = "init 8\ncreate T 24 6:0 3:1\nopen T\n";
    const auto keys = [&script](const std::string& command, int n, const std::string& key) {
        const std::string number = " " + std::to_string(n) + " \"";
        script += command + " T 1" + number + key + "\"\n";
        script += command + " T 2" + number + key.substr(0, 3) + "\"\n";
    };
    std::vector<std::pair<int, std::string>> entries;
    for (int n = 1; n <= 4000; ++n) {
        const std::string key = std::to_string(100000 + n * 7919 % 900000);
        script += "add T \"" + key + "\"\n";
        keys("addkey", n, key);
        entries.emplace_back(n, key);
        if (n > 1000 && random() % 2 == 0) {
            std::swap(entries[random() % entries.size()], entries.back());
            keys("delkey", entries.back().first, entries.back().second);
            entries.pop_back();
        }
    }
    for (int n = 3; n <= 4000; n += 3) script += "del T " + std::to_string(n) + "\n";
    script += "close T\n";
    const ToolResult made = RunTool({"script", dir.path().string()}, dir.path(), script);
    EXPECT_EQ(made.out.find("err"), std::string::npos);
    const ToolResult checked = RunTool({"check", "T"}, dir.path());
    EXPECT_EQ(checked.exitCode, 0) << checked.out;
}

TEST(CheckDataFile, DamageToHeaderAndFreeChainIsReported) {
    ExpectReported({
        {"in-use flag", [](DataImage& d, IndexImage&) { d.inUse = 1; },
         "in-use flag is set: the block was not closed after its last change"},
        {"record count beyond the file", [](DataImage& d, IndexImage&) { d.recordCount = 64; },
         "file length 1536 does not match 64 records of 24 bytes (1560)"},
        {"free chain loop",
         [](DataImage& d, IndexImage&) {
             d.marks[1] = 3;
             d.marks[2] = 2;
             d.firstFree = 2;
             d.freeCount = 2;
         },
         "free chain loops back to slot 2"},
        {"free count",
         [](DataImage& d, IndexImage&) {
             d.marks[1] = -1;
             d.firstFree = 2;
             d.freeCount = 2;
         },
         "free chain length 1 differs from the header's free count 2"},
        {"chain into a live record",
         [](DataImage& d, IndexImage&) {
             d.firstFree = 4;
             d.freeCount = 1;
         },
         "free chain reaches live record 4"},
        {"chain out of range",
         [](DataImage& d, IndexImage&) {
             d.firstFree = 64;
             d.freeCount = 1;
         },
         "free chain names slot 64, outside 1..63"},
        {"deleted slot outside the chain", [](DataImage& d, IndexImage&) { d.marks[4] = -1; },
         "slot 5 is marked deleted but is not in the free chain"},
        {"too many keys", [](DataImage& d, IndexImage&) { d.keyCount = 101; },
         "data header announces 101 keys, more than 100"},
    });
}

TEST(CheckIndexFile, DamageToKeyHeadersIsReported) {
    ExpectReported({
        {"capacity", [](DataImage&, IndexImage& i) { i.capacity = 63; },
         "key 1: capacity 63 is above 62"},
        {"page size", [](DataImage&, IndexImage& i) { i.pageSize += 1; },
         "key 1: page size 813 does not fit the capacity and a key length of 1..30"},
        {"entry count", [](DataImage&, IndexImage& i) { i.entries = 64; },
         "key 1: the tree holds 63 entries, the header's entry count is 64"},
        {"root out of range", [](DataImage&, IndexImage& i) { i.root = 4; },
         "key 1: root 4 outside 0..3"},
        {"empty tree with entries",
         [](DataImage&, IndexImage& i) {
             i.root = 0;
             i.pages.clear();
         },
         "key 1: the tree is empty but the header's entry count is 63"},
    });
}

TEST(CheckIndexFile, DamageToTreesAndFreePagesIsReported) {
    ExpectReported({
        {"keys out of order",
         [](DataImage&, IndexImage& i) { std::swap(i.pages[0].items[4], i.pages[0].items[5]); },
         "key 1: page 1 item 6 is out of order"},
        {"key above its separator",
         [](DataImage&, IndexImage& i) { i.pages[0].items[30].key = "K032"; },
         "key 1: page 1 item 31 is not below its parent's separator"},
        {"duplicate key in a unique index",
         [](DataImage&, IndexImage& i) { i.pages[1].items[1].key = i.pages[1].items[0].key; },
         "key 1: page 2 item 2 is out of order"},
        {"underfilled page",
         [](DataImage&, IndexImage& i) {
             i.pages[1].items.pop_back();
             i.entries = 62;
         },
         "key 1: page 2 holds 30 items, fewer than 31 below the root"},
        {"a key sorts before its own extensions",
         [](DataImage&, IndexImage& i) { i.pages[1].items.back().key = "K06"; },
         "key 1: page 2 item 31 is out of order"},
        {"lost page", [](DataImage&, IndexImage& i) { i.pages.push_back(Leaf(70, 3)); },
         "key 1: 1 of 4 pages are neither in the tree nor in the free chain"},
        {"free page loop",
         [](DataImage&, IndexImage& i) {
             i.pages.push_back(IndexPage{true, 4, 0, {}});
             i.firstFree = 4;
             i.freeCount = 1;
         },
         "key 1: free page chain loops back to page 4"},
        {"free page in the tree",
         [](DataImage&, IndexImage& i) {
             i.pages[1].free = true;
             i.firstFree = 2;
             i.freeCount = 1;
         },
         "key 1: page 2 is in the tree and in the free chain"},
        {"free page count", [](DataImage&, IndexImage& i) { i.freeCount = 2; },
         "key 1: free page chain length 0 differs from the header's free page count 2"},
        {"leaves at different depths",
         [](DataImage&, IndexImage& i) {
             // Root item K031 now leads to page 4, an internal page over leaf 2 and leaf 5.
             i.pages[2].items[0].right = 4;
             IndexPage middle;
             middle.leftmost = 2;
             middle.items.push_back({64, 5, KeyName(63)});
             i.pages.push_back(middle);
             i.pages.push_back(Leaf(64, 31));
             i.entries = 95;
         },
         "key 1: leaf page 2 lies at depth 3, other leaves at 2"},
        {"page reached twice", [](DataImage&, IndexImage& i) { i.pages[2].items[0].right = 1; },
         "key 1: page 1 is reached twice in the tree"},
    });
}

TEST(CheckIndexFile, MissingOrShortIndexFileIsReported) {
    TempDir dir;
    WriteFile(dir.path() / "T.DAT", LiveRecords(63).Bytes());
    ToolResult result = RunTool({"check", "T"}, dir.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "T: T.IX: cannot be opened\n");

    std::string index = TwoLevelTree().Bytes();
    index.resize(index.size() - 812);
    WriteFile(dir.path() / "T.IX", index);
    result = RunTool({"check", "T", "T"}, dir.path());
    EXPECT_EQ(result.out,
              "T: index file holds 3 rows, too few for 3 pages\n"
              "T: index file holds 3 rows, too few for 3 pages\n");

    result = RunTool({"check", "Nothing"}, dir.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "Nothing: Nothing.DAT: cannot be opened\n");
}

}  // namespace
}  // namespace tooltest

// The checker against hand-made files laid out byte by byte, independently of the tool's code: a
// sound block passes silently, and each kind of damage is reported by a line naming the fault.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <tuple>

#include "support/TempDir.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using ::testing::HasSubstr;
using testsupport::TempDir;

void PutInt(std::string& bytes, size_t offset, int64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[offset + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xff);
}

std::string KeyName(int n) {
    char name[8];
    std::snprintf(name, sizeof name, "K%03d", n);
    return name;
}

struct DataImage {
    int32_t recordLength = 24, firstFree = -1, freeCount = 0;
    int32_t recordCount = -1;  // -1 stands for the number of marks
    int32_t keyCount = 1;
    uint8_t inUse = 0;
    std::vector<int32_t> marks;  // deletion mark of slot 1, 2, ...; 0 for a live record

    std::string Bytes() const {
        std::string bytes(static_cast<size_t>(recordLength) * (marks.size() + 1), '\0');
        PutInt(bytes, 0, firstFree, 4);
        PutInt(bytes, 4, freeCount, 4);
        PutInt(bytes, 8, recordCount >= 0 ? recordCount : static_cast<int64_t>(marks.size()), 4);
        PutInt(bytes, 12, recordLength, 4);
        PutInt(bytes, 16, keyCount, 4);
        bytes[20] = static_cast<char>(inUse);
        for (size_t slot = 1; slot <= marks.size(); ++slot) {
            PutInt(bytes, slot * static_cast<size_t>(recordLength), marks[slot - 1], 4);
            bytes.replace(slot * static_cast<size_t>(recordLength) + 4, 4,
                          "R" + KeyName(static_cast<int>(slot)).substr(1));
        }
        return bytes;
    }
};

struct IndexItem {
    int32_t record = 0, right = 0;
    std::string key;
};

struct IndexPage {
    bool free = false;
    int32_t link = -1;  // next free page, for a free page
    int32_t leftmost = 0;
    std::vector<IndexItem> items;
};

IndexPage Leaf(int first, int count) {
    IndexPage page;
    for (int n = first; n < first + count; ++n) page.items.push_back({n + 1, 0, KeyName(n)});
    return page;
}

// One key of length 4 and capacity 62; by default a sound two-level tree of 63 entries: leaves 1
// (K000..K030) and 2 (K032..K062) under root 3.
struct IndexImage {
    int32_t pageSize = 6 + 62 * (4 + 9);
    uint16_t capacity = 62;
    uint8_t duplicates = 0;
    int32_t firstFree = -1, freeCount = 0, root = 3, entries = 63;
    std::vector<IndexPage> pages{Leaf(0, 31), Leaf(32, 31), {false, -1, 1, {{32, 2, "K031"}}}};

    std::string Bytes() const {
        const size_t row = static_cast<size_t>(pageSize);
        std::string bytes(row * (pages.size() + 1), '\0');
        PutInt(bytes, 0, firstFree, 4);
        PutInt(bytes, 4, freeCount, 4);
        PutInt(bytes, 8, static_cast<int64_t>(pages.size()), 4);
        PutInt(bytes, 12, pageSize, 4);
        PutInt(bytes, 16, root, 4);
        bytes[20] = static_cast<char>(duplicates);
        PutInt(bytes, 22, entries, 4);
        PutInt(bytes, 26, capacity, 2);
        for (size_t p = 1; p <= pages.size(); ++p) {
            const IndexPage& page = pages[p - 1];
            size_t at = p * row;
            if (page.free) {
                PutInt(bytes, at, page.link, 4);
                continue;
            }
            PutInt(bytes, at, static_cast<int64_t>(page.items.size()), 2);
            PutInt(bytes, at + 2, page.leftmost, 4);
            for (at += 6; const IndexItem& item : page.items) {
                PutInt(bytes, at, item.record, 4);
                PutInt(bytes, at + 4, item.right, 4);
                bytes[at + 8] = static_cast<char>(item.key.size());
                bytes.replace(at + 9, item.key.size(), item.key);
                at += 4 + 9;
            }
        }
        return bytes;
    }
};

DataImage LiveRecords(int count) {
    DataImage image;
    image.marks.assign(static_cast<size_t>(count), 0);
    return image;
}

ToolResult CheckImages(const DataImage& data, const std::optional<IndexImage>& index) {
    TempDir dir;
    std::ofstream(dir.path() / "T.DAT", std::ios::binary) << data.Bytes();
    if (index) std::ofstream(dir.path() / "T.IX", std::ios::binary) << index->Bytes();
    return RunTool({"check", "T"}, dir.path());
}

TEST(CheckCommand, SoundHandMadeBlocksPassSilently) {
    const ToolResult twoLevels = CheckImages(LiveRecords(63), IndexImage{});
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
    EXPECT_EQ(CheckImages(withFree, same).exitCode, 0);

    DataImage noKeys = LiveRecords(0);
    noKeys.keyCount = 0;
    EXPECT_EQ(CheckImages(noKeys, std::nullopt).exitCode, 0);
}

TEST(CheckCommand, EveryKindOfDamageIsReported) {
    using D = DataImage&;
    using I = IndexImage&;
    const std::vector<std::tuple<std::function<void(D, I)>, std::string>> damages = {
        {[](D d, I) { d.inUse = 1; },
         "in-use flag is set: the block was not closed after its last change"},
        {[](D d, I) { d.recordCount = 64; },
         "file length 1536 does not match 64 records of 24 bytes (1560)"},
        {[](D d, I) { d.marks[1] = 3, d.marks[2] = 2, d.firstFree = 2, d.freeCount = 2; },
         "free chain loops back to slot 2"},
        {[](D d, I) { d.marks[1] = -1, d.firstFree = 2, d.freeCount = 2; },
         "free chain length 1 differs from the header's free count 2"},
        {[](D d, I) { d.firstFree = 4, d.freeCount = 1; }, "free chain reaches live record 4"},
        {[](D d, I) { d.firstFree = 64, d.freeCount = 1; },
         "free chain names slot 64, outside 1..63"},
        {[](D d, I) { d.marks[4] = -1; }, "slot 5 is marked deleted but is not in the free chain"},
        {[](D d, I) { d.keyCount = 101; }, "data header announces 101 keys, more than 100"},
        {[](D, I i) { i.pageSize += 1; },
         "key 1: page size 813 does not fit the capacity and a key length of 1..30"},
        {[](D, I i) { i.entries = 64; },
         "key 1: the tree holds 63 entries, the header's entry count is 64"},
        {[](D, I i) { i.root = 0, i.pages.clear(); },
         "key 1: the tree is empty but the header's entry count is 63"},
        {[](D, I i) { std::swap(i.pages[0].items[4], i.pages[0].items[5]); },
         "key 1: page 1 item 6 is out of order"},
        {[](D, I i) { i.pages[0].items[30].key = "K032"; },
         "key 1: page 1 item 31 is not below its parent's separator"},
        {[](D, I i) { i.pages[1].items[1].key = i.pages[1].items[0].key; },
         "key 1: page 2 item 2 is out of order"},  // a duplicate in a unique index
        {[](D, I i) { i.pages[1].items.pop_back(), i.entries = 62; },
         "key 1: page 2 holds 30 items, fewer than 31 below the root"},
        {[](D, I i) { i.pages[1].items.back().key = "K06"; },
         "key 1: page 2 item 31 is out of order"},  // a key sorts before its own extensions
        {[](D, I i) { i.pages.push_back(Leaf(70, 3)); },
         "key 1: 1 of 4 pages are neither in the tree nor in the free chain"},
        {[](D, I i) {
             i.pages.push_back({true, 4, 0, {}}), i.firstFree = 4, i.freeCount = 1;
         },
         "key 1: free page chain loops back to page 4"},
        {[](D, I i) { i.pages[1].free = true, i.firstFree = 2, i.freeCount = 1; },
         "key 1: page 2 is in the tree and in the free chain"},
        {[](D, I i) {  // root item K031 leads to page 4, an internal page over leaves 2 and 5
             i.pages[2].items[0].right = 4, i.entries = 95;
             i.pages.push_back({false, -1, 2, {{64, 5, KeyName(63)}}});
             i.pages.push_back(Leaf(64, 31));
         },
         "key 1: leaf page 2 lies at depth 3, other leaves at 2"},
        {[](D, I i) { i.pages[2].items[0].right = 1; },
         "key 1: page 1 is reached twice in the tree"},
    };
    for (const auto& [damage, expected] : damages) {
        SCOPED_TRACE(expected);
        DataImage data = LiveRecords(63);
        IndexImage index;
        damage(data, index);
        const ToolResult result = CheckImages(data, index);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_THAT(result.out, HasSubstr("T: " + expected + "\n"));
    }
}

TEST(CheckCommand, MissingOrShortFilesAreReported) {
    ToolResult result = CheckImages(LiveRecords(63), std::nullopt);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "T: T.IX: cannot be opened\n");

    TempDir dir;
    std::ofstream(dir.path() / "T.DAT", std::ios::binary) << LiveRecords(63).Bytes();
    std::string index = IndexImage{}.Bytes();
    std::ofstream(dir.path() / "T.IX", std::ios::binary) << index.substr(0, index.size() - 812);
    EXPECT_EQ(RunTool({"check", "T", "T"}, dir.path()).out,
              "T: index file holds 3 rows, too few for 3 pages\n"
              "T: index file holds 3 rows, too few for 3 pages\n");
    result = RunTool({"check", "Nothing"}, dir.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "Nothing: Nothing.DAT: cannot be opened\n");
}

}  // namespace
}  // namespace tooltest

// The compact rebuild builds other pages than the exact one, but the same trees: every walk,
// search, log line and deleted record must agree, and the result must take every later change.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "EngineFixture.h"
#include "engine/CompactRebuild.h"

namespace enginetest {
namespace {

constexpr int kRecordLength = 40;
const std::vector<KeyDescriptor> kKeys = {{8, false}, {6, true}};

// Key 1 (unique) at bytes 4..11, key 2 (duplicates allowed) at bytes 12..17.
std::string KeyOf(std::span<const std::byte> record, int keyNumber) {
    const char* text = reinterpret_cast<const char*>(record.data());
    return keyNumber == 1 ? std::string(text + 4, 8) : std::string(text + 12, 6);
}

// Scattered keys; every 97th record repeats an earlier unique key, every 11th record is deleted.
std::string RecordText(int i) {
    const int unique = i % 97 == 0 ? i / 2 : i;
    return "U" + std::to_string(1000000 + unique * 7919 % 999983) + "G" +
           std::to_string(10000 + i * 31 % 400);
}

class CompactRebuildTest : public EngineTest, public ::testing::WithParamInterface<bool> {
protected:
    void Fill(const std::string& name, int records) {
        FileBlockHandle fb = CreateOpen(name, kRecordLength, kKeys);
        for (int i = 1; i <= records; ++i) Add(fb, RecordText(i));
        for (int i = 11; i <= records; i += 11) engine_.DeleteRecord(fb, i);
        engine_.CloseFileBlock(fb);
        engine_.RebuildDataFile(name, kRecordLength, kRecordLength, engine::KeepLiveRecord);
        ASSERT_TRUE(engine_.ok()) << engine_.error();
    }

    std::pair<std::string, int32_t> Search(FileBlockHandle fb, int keyNumber, std::string key) {
        int32_t n = 0;
        engine_.SearchKey(fb, keyNumber, n, key);
        return {engine_.ok() ? key : "error " + std::to_string(engine_.error()), n};
    }
};

TEST_P(CompactRebuildTest, GivesTheExactRebuildsEntriesLogAndDataInFewerPages) {
    const bool deleteLosers = GetParam();
    for (const char* name : {"E", "C"}) Fill(name, 6000);
    bool logWritten = false;
    engine_.RebuildIndex("E", 2, kKeys.data(), KeyOf, deleteLosers, logWritten);
    ASSERT_TRUE(engine_.ok()) << engine_.error();
    ASSERT_EQ(engine::RebuildIndexCompact(engine::PosixFileSystem(), "C", 2, kKeys.data(), KeyOf,
                                          deleteLosers, logWritten),
              0);
    EXPECT_TRUE(logWritten);
    EXPECT_EQ(ReadFileBytes(path("C.MSG")), ReadFileBytes(path("E.MSG")));
    EXPECT_EQ(ReadFileBytes(path("C.DAT")), ReadFileBytes(path("E.DAT")));
    EXPECT_EQ(CheckBlock("C"), "");
    EXPECT_LT(ReadFileBytes(path("C.IX")).size(), ReadFileBytes(path("E.IX")).size() * 4 / 5);

    FileBlockHandle exact = Open("E");
    FileBlockHandle compact = Open("C");
    for (int k = 1; k <= 2; ++k) {
        const Entries entries = Walk(exact, k);
        EXPECT_EQ(Walk(compact, k), entries) << "key " << k;
        for (const auto& probe : {std::string(), std::string("U1"), std::string("U15"),
                                  std::string("G10100"), std::string("ZZZ"), entries[1].first,
                                  entries[entries.size() / 2].first, entries.back().first})
            EXPECT_EQ(Search(compact, k, probe), Search(exact, k, probe)) << probe;
    }
    // Later insertions split the nearly full pages, deletions merge them.
    for (FileBlockHandle fb : {exact, compact}) {
        for (int i = 1; i <= 1500; ++i) {
            const std::string key = "V" + std::to_string(1000000 + i * 613 % 99991);
            engine_.AddKey(fb, 1, i, key);
            ASSERT_TRUE(engine_.ok()) << engine_.error();
        }
        for (const auto& [key, n] : Walk(fb, 1))
            if (n % 3 == 0) engine_.DeleteKey(fb, 1, n, key);
    }
    EXPECT_EQ(Walk(compact, 1), Walk(exact, 1));
    engine_.CloseFileBlock(exact);
    engine_.CloseFileBlock(compact);
    EXPECT_EQ(CheckBlock("C"), "");
}

TEST_P(CompactRebuildTest, EmptyAndSinglePageTreesAreBuiltToo) {
    for (int records : {0, 1, 62, 63}) {
        const std::string name = "S" + std::to_string(records);
        FileBlockHandle fb = CreateOpen(name, kRecordLength, kKeys);
        for (int i = 1; i <= records; ++i) Add(fb, RecordText(i * 3));
        engine_.CloseFileBlock(fb);
        bool logWritten = false;
        ASSERT_EQ(engine::RebuildIndexCompact(engine::PosixFileSystem(), name, 2, kKeys.data(),
                                              KeyOf, GetParam(), logWritten),
                  0);
        EXPECT_EQ(CheckBlock(name), "") << records;
        fb = Open(name);
        EXPECT_EQ(static_cast<int>(Walk(fb, 2).size()), records);
        engine_.CloseFileBlock(fb);
    }
}

INSTANTIATE_TEST_SUITE_P(LosersDeletedOrKept, CompactRebuildTest, ::testing::Bool());

}  // namespace
}  // namespace enginetest

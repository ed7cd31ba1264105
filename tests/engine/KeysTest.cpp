// Index file layout, B-tree insertion and deletion, and the cursor rules.

#include <tuple>

#include "EngineFixture.h"

namespace enginetest {
namespace {

class KeysTest : public EngineTest {
protected:
    static std::string KeyText(int i) {
        char text[16];
        std::snprintf(text, sizeof text, "K%04d", i);
        return text;
    }
    void AddKeys(FileBlockHandle fb, int from, int to) {
        for (int i = from; i <= to; ++i) {
            engine_.AddKey(fb, 1, i, KeyText(i));
            ASSERT_TRUE(engine_.ok()) << engine_.error() << " at " << i;
        }
    }
    IndexHeader Header(const std::string& name) {
        return KeyOneHeader(ReadFileBytes(path(name + ".IX")));
    }
};

// Page p of a one-key index: its leftmost child and its items as (key, right child).
struct PageView {
    int32_t left;
    std::vector<std::pair<std::string, int32_t>> items;
};

PageView PageOf(const std::vector<uint8_t>& index, int32_t p) {
    const int32_t pageSize = I32At(index, 12);
    const size_t at = static_cast<size_t>(p) * pageSize, itemSize = (pageSize - 6) / 62;
    PageView view{I32At(index, at + 2), {}};
    for (size_t i = 0; i < static_cast<size_t>(index[at] | index[at + 1] << 8); ++i) {
        const size_t item = at + 6 + i * itemSize;
        const auto* key = reinterpret_cast<const char*>(&index[item + 9]);
        view.items.emplace_back(std::string(key, index[item + 8]), I32At(index, item + 4));
    }
    return view;
}

TEST_F(KeysTest, IndexFileLayoutForTwoKeys) {
    std::vector<KeyDescriptor> keys = {{10, false}, {9, true}};
    engine_.CreateFileBlock("12C", 40, 2, keys.data());
    ASSERT_TRUE(engine_.ok());
    const auto bytes = ReadFileBytes(path("12C.IX"));
    ASSERT_EQ(bytes.size(), 2306u);
    EXPECT_EQ((std::vector<int32_t>{I32At(bytes, 0), I32At(bytes, 12), I32At(bytes, 1184 + 12),
                                    bytes[1184 + 20], bytes[1184 + 26]}),
              (std::vector<int32_t>{-1, 1184, 1122, 1, 62}));
}

TEST_F(KeysTest, SixtyThirdEntrySplitsTheRootIntoTwoHalves) {
    FileBlockHandle fb = CreateOpen("S", 40, {{10, false}});
    AddKeys(fb, 1, 62);
    AddKeys(fb, 63, 63);
    engine_.CloseFileBlock(fb);
    const auto index = ReadFileBytes(path("S.IX"));
    const IndexHeader header = KeyOneHeader(index);
    EXPECT_EQ(header.pageCount, 3);  // old root, new sibling, new root: in that order
    EXPECT_EQ(header.root, 3);
    EXPECT_EQ(header.entries, 63);
    const PageView root = PageOf(index, 3);
    ASSERT_EQ(root.items.size(), 1u);
    EXPECT_EQ(root.items[0].first, "K0032");
    EXPECT_EQ(root.left, 1);
    EXPECT_EQ(root.items[0].second, 2);
    EXPECT_EQ(PageOf(index, 1).items.size(), 31u);
    EXPECT_EQ(PageOf(index, 2).items.size(), 31u);
    // Only the used part of a page is written.
    EXPECT_EQ(index.size(), 4u * header.pageSize);
}

TEST_F(KeysTest, DuplicatesOrderByRecordNumberAndSearchFindsTheFirstEntryAtOrAfterTheKey) {
    FileBlockHandle fb = CreateOpen("D", 40, {{10, true}});
    engine_.AddKey(fb, 1, 7, "SMITH");
    engine_.AddKey(fb, 1, 3, "SMITH");
    engine_.AddKey(fb, 1, 3, "SMITH");
    EXPECT_EQ(engine_.error(), engine::err::kDuplicateKey);
    engine_.AddKey(fb, 1, 1, "JONES");
    std::string key = "SM";
    int32_t record = 0;
    engine_.SearchKey(fb, 1, record, key);
    EXPECT_EQ(key, "SMITH");
    EXPECT_EQ(record, 3);
    engine_.NextKey(fb, 1, record, key);
    EXPECT_EQ(record, 7);
    EXPECT_EQ(key, "SMITH");
    // SearchEntry looks for the pair: among equal keys, that record or the next higher one.
    for (const auto& [from, wantKey, wantRecord] :
         {std::tuple{4, "SMITH", 7}, std::tuple{7, "SMITH", 7}, std::tuple{0, "SMITH", 3}}) {
        key = "SMITH";
        record = from;
        engine_.SearchEntry(fb, 1, record, key);
        EXPECT_EQ(key, wantKey);
        EXPECT_EQ(record, wantRecord);
    }
    key = "SMITH";
    record = 8;
    engine_.SearchEntry(fb, 1, record, key);
    EXPECT_EQ(engine_.error(), engine::err::kSearchNotFound);
    key = "ZZ";
    engine_.SearchKey(fb, 1, record, key);
    EXPECT_EQ(engine_.error(), engine::err::kSearchNotFound);
    EXPECT_EQ(engine_.errorClass(), engine::ErrorClass::Expected);
    // A failed search empties the cursor: the next step starts at the first entry.
    engine_.NextKey(fb, 1, record, key);
    EXPECT_EQ(key, "JONES");
}

TEST_F(KeysTest, KeysAreCheckedAgainstTheKeyLengthAfterCuttingTo30) {
    FileBlockHandle fb = CreateOpen("U", 40, {{9, false}, {30, false}});
    engine_.AddKey(fb, 1, 1, "ABCDEFGHIJ");
    EXPECT_EQ(engine_.error(), engine::err::kKeyTooLong);
    engine_.AddKey(fb, 1, 1, "ABCDEFGHI");
    EXPECT_TRUE(engine_.ok());
    const std::string longKey(40, 'X');
    engine_.AddKey(fb, 2, 1, longKey);
    EXPECT_TRUE(engine_.ok());
    std::string key = "X";
    int32_t record = 0;
    engine_.SearchKey(fb, 2, record, key);
    EXPECT_EQ(key, std::string(30, 'X'));
}

TEST_F(KeysTest, CursorWalksBothWaysAndRestartsAfterRunningOff) {
    FileBlockHandle fb = CreateOpen("C", 40, {{10, false}});
    AddKeys(fb, 1, 500);
    std::string key = "K0499";
    int32_t record = 0;
    engine_.SearchKey(fb, 1, record, key);
    engine_.NextKey(fb, 1, record, key);
    engine_.NextKey(fb, 1, record, key);
    EXPECT_EQ(engine_.error(), engine::err::kNoNextKey);
    engine_.NextKey(fb, 1, record, key);
    EXPECT_EQ(record, 1);
    engine_.PrevKey(fb, 1, record, key);
    EXPECT_EQ(engine_.error(), engine::err::kNoPrevKey);
    engine_.PrevKey(fb, 1, record, key);
    EXPECT_EQ(record, 500);
}

TEST_F(KeysTest, ChangeInvalidatesTheCursorWhichResumesFromTheCallersEntry) {
    FileBlockHandle fb = CreateOpen("C", 40, {{10, true}});
    AddKeys(fb, 1, 300);
    std::string key = "K0100";
    int32_t record = 0;
    engine_.SearchKey(fb, 1, record, key);
    engine_.DeleteKey(fb, 1, 101, "K0101");
    engine_.NextKey(fb, 1, record, key);  // resumes after K0100, which still exists
    EXPECT_EQ(record, 102);
    engine_.DeleteKey(fb, 1, 102, "K0102");
    engine_.NextKey(fb, 1, record, key);  // K0102 is gone: the smallest entry above it
    EXPECT_EQ(record, 103);
    engine_.DeleteKey(fb, 1, 103, "K0103");
    engine_.PrevKey(fb, 1, record, key);  // the greatest entry below K0103
    EXPECT_EQ(record, 100);
    // A failed change invalidates too; a refused key does not.
    engine_.AddKey(fb, 1, 50, "K0050");
    EXPECT_EQ(engine_.error(), engine::err::kDuplicateKey);
    record = 10;
    key = "K0010";
    engine_.NextKey(fb, 1, record, key);
    EXPECT_EQ(record, 11);
    engine_.AddKey(fb, 1, 1, "TOO-LONG-KEY");
    EXPECT_EQ(engine_.error(), engine::err::kKeyTooLong);
    record = 200;
    key = "K0200";
    engine_.NextKey(fb, 1, record, key);  // the cursor was still valid at K0011
    EXPECT_EQ(record, 12);
}

TEST_F(KeysTest, EmptyCursorSearchesTheCallersPairAndPositionQueriesLeaveItAlone) {
    FileBlockHandle fb = CreateOpen("C", 40, {{10, false}});
    AddKeys(fb, 1, 1000);
    std::string key = "K0005";
    int32_t record = 5;
    engine_.NextKey(fb, 1, record, key);  // the adds left no cursor
    EXPECT_EQ(record, 6);
    engine_.AddKey(fb, 1, 1001, "K1001");
    key = "K2000";
    engine_.PrevKey(fb, 1, record, key);
    EXPECT_EQ(record, 1001);
    key = "K0400";
    engine_.SearchKey(fb, 1, record, key);
    std::string other;
    int32_t otherRecord = 0;
    engine_.PositionToKey(fb, 1, 60, 63, otherRecord, other);
    engine_.KeyToPosition(fb, 1, 900, "K0900", 63);
    engine_.NextKey(fb, 1, record, key);
    EXPECT_EQ(record, 401);
}

TEST_F(KeysTest, DeletingEverythingEmptiesTheTreeAndFreedPagesAreReusedLatestFirst) {
    FileBlockHandle fb = CreateOpen("E", 40, {{10, false}});
    AddKeys(fb, 1, 2000);
    for (int i = 1; i <= 2000; ++i) {
        engine_.DeleteKey(fb, 1, i, KeyText(i));
        ASSERT_TRUE(engine_.ok()) << engine_.error() << " at " << i;
    }
    engine_.CloseFileBlock(fb);
    const IndexHeader header = Header("E");
    EXPECT_EQ(header.root, 0);
    EXPECT_EQ(header.entries, 0);
    EXPECT_EQ(header.freeCount, header.pageCount);
    EXPECT_EQ(CheckBlock("E"), "");
    engine_.OpenFileBlock(fb, "E");
    engine_.AddKey(fb, 1, 1, "A");
    engine_.CloseFileBlock(fb);
    EXPECT_EQ(Header("E").root, header.firstFree);
    EXPECT_EQ(Header("E").pageCount, header.pageCount);
}

TEST_F(KeysTest, KeyPositionsFollowTheirFormulas) {
    FileBlockHandle fb = CreateOpen("P", 40, {{10, false}});
    std::string key;
    int32_t record = 0;
    engine_.PositionToKey(fb, 1, 0, 63, record, key);
    EXPECT_EQ(engine_.error(), engine::err::kPositionEmptyTree);
    // A root leaf of 10 items: item r sits at 64 r div 11; position u picks item 11 u div 64.
    AddKeys(fb, 1, 10);
    EXPECT_EQ(engine_.KeyToPosition(fb, 1, 5, "K0005", 63), 64 * 5 / 11);
    EXPECT_EQ(engine_.KeyToPosition(fb, 1, 0, "K0000", 63), 0);
    engine_.PositionToKey(fb, 1, 32, 63, record, key);
    EXPECT_EQ(record, 11 * 32 / 64);
    engine_.PositionToKey(fb, 1, 3, 63, record, key);
    EXPECT_TRUE(engine_.ok());
    EXPECT_EQ(record, 0);  // slot 0 of the root names no entry
    EXPECT_EQ(key, "");
}

}  // namespace
}  // namespace enginetest

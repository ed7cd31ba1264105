// Data file format, the record operations and the in-use flag.

#include <array>
#include <span>

#include "EngineFixture.h"

namespace enginetest {
namespace {

class DataFileTest : public EngineTest {};

TEST_F(DataFileTest, CreationWritesOneZeroedHeaderSlotAndRefusesBadShapes) {
    engine_.CreateFileBlock("12D", 132, 0, nullptr);
    ASSERT_TRUE(engine_.ok());
    const auto bytes = ReadFileBytes(path("12D.DAT"));
    ASSERT_EQ(bytes.size(), 132u);
    // First free, free count, record count, record length, key count, in-use flag.
    EXPECT_EQ((std::vector<int32_t>{I32At(bytes, 0), I32At(bytes, 4), I32At(bytes, 8),
                                    I32At(bytes, 12), bytes[16], bytes[20]}),
              (std::vector<int32_t>{-1, 0, 0, 132, 0, 0}));
    for (size_t i = 17; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], 0) << "offset " << i;
    EXPECT_FALSE(std::filesystem::exists(path("12D.IX")));
    engine_.CreateFileBlock("X", 20, 0, nullptr);
    EXPECT_EQ(engine_.error(), engine::err::kRecordTooShort);
    EXPECT_FALSE(std::filesystem::exists(path("X.DAT")));
}

TEST_F(DataFileTest, FreedSlotsAreReusedMostRecentFirstAndNumbersAreChecked) {
    FileBlockHandle fb = CreateOpen("B", 40);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(Add(fb, "r"), i);
    engine_.DeleteRecord(fb, 2);
    engine_.DeleteRecord(fb, 3);
    EXPECT_EQ(engine_.UsedRecords(fb), 1);
    EXPECT_EQ(engine_.FileLength(fb), 4);
    // A second delete would link slot 3 to itself and make the free chain a loop.
    for (int32_t bad : {0, 3, 4}) {
        engine_.DeleteRecord(fb, bad);
        EXPECT_EQ(engine_.error(), engine::err::kDeleteOutOfRange) << bad;
    }
    EXPECT_EQ(Add(fb, "four"), 3);
    EXPECT_EQ(Add(fb, "five"), 2);
    EXPECT_EQ(Add(fb, "six"), 4);
    EXPECT_EQ(engine_.UsedRecords(fb), 4);
    std::vector<uint8_t> buffer(40);
    engine_.GetRecord(fb, 2, std::as_writable_bytes(std::span(buffer)));
    EXPECT_EQ(buffer, Record(40, "five"));
    // Beyond the record count a put would grow the file behind the header's back.
    engine_.PutRecord(fb, 5, std::as_bytes(std::span(buffer)));
    EXPECT_EQ(engine_.error(), engine::err::kPutOutOfRange);
    engine_.GetRecord(fb, 5, std::as_writable_bytes(std::span(buffer)));
    EXPECT_EQ(engine_.error(), engine::err::kShortRead);
    engine_.CloseFileBlock(fb);
    ASSERT_TRUE(engine_.ok());
    EXPECT_EQ(fb, nullptr);
    EXPECT_EQ(ReadFileBytes(path("B.DAT")).size(), 5u * 40);
}

TEST_F(DataFileTest, ScansFindLiveSlotsAndReportTheEnd) {
    FileBlockHandle fb = CreateOpen("B", 40);
    for (int i = 1; i <= 5; ++i) Add(fb, "r");
    engine_.DeleteRecord(fb, 1);
    engine_.DeleteRecord(fb, 4);
    // {start, forward, expected result or 0 for 10275}
    const std::vector<std::array<int32_t, 3>> rows = {{0, 1, 2}, {3, 1, 5}, {5, 1, 0},
                                                      {6, 0, 5}, {5, 0, 3}, {2, 0, 0}};
    for (const auto& [start, forward, expected] : rows) {
        int32_t n = start;
        forward ? engine_.NextUsedRecord(fb, n) : engine_.PrevUsedRecord(fb, n);
        if (expected == 0) {
            EXPECT_EQ(engine_.error(), engine::err::kNoLiveRecord) << start;
            EXPECT_EQ(engine_.errorClass(), engine::ErrorClass::Expected);
        } else {
            EXPECT_EQ(n, expected) << start;
        }
    }
}

// Scans are served from slots read ahead; every change must reach the file and later reads.
TEST_F(DataFileTest, ReadAheadSlotsFollowEveryChange) {
    FileBlockHandle fb = CreateOpen("B", 40);
    for (int i = 1; i <= 60; ++i) Add(fb, "r" + std::to_string(i));
    std::vector<uint8_t> record(40);
    int32_t n = 0;
    for (int i = 0; i < 8; ++i) engine_.NextUsedRecord(fb, n);  // reads ahead past slot 12
    for (int32_t r = 9; r <= 12; ++r)
        engine_.GetRecord(fb, r, std::as_writable_bytes(std::span(record)));
    const auto changed = Record(40, "changed");
    engine_.PutRecord(fb, 10, std::as_bytes(std::span(changed)));
    engine_.DeleteRecord(fb, 11);
    engine_.DeleteRecord(fb, 11);
    EXPECT_EQ(engine_.error(), engine::err::kDeleteOutOfRange);  // the window saw the first delete
    engine_.DeleteRecord(fb, 12);
    EXPECT_EQ(Add(fb, "reused"), 12);
    const auto onDisk = ReadFileBytes(path("B.DAT"));
    engine_.GetRecord(fb, 10, std::as_writable_bytes(std::span(record)));
    EXPECT_EQ(record, changed);
    EXPECT_EQ(std::vector<uint8_t>(onDisk.begin() + 400, onDisk.begin() + 440), changed);
    engine_.GetRecord(fb, 12, std::as_writable_bytes(std::span(record)));
    EXPECT_EQ(record, Record(40, "reused"));
    EXPECT_EQ(std::vector<uint8_t>(onDisk.begin() + 480, onDisk.begin() + 520), record);
}

TEST_F(DataFileTest, InUseFlagIsSetByTheFirstChangeClearedByCloseAndRefusesOpen) {
    FileBlockHandle fb = CreateOpen("B", 40);
    EXPECT_EQ(ReadFileBytes(path("B.DAT"))[20], 0);
    Add(fb, "a");
    EXPECT_EQ(ReadFileBytes(path("B.DAT"))[20], 1);
    engine_.CloseFileBlock(fb);
    EXPECT_EQ(ReadFileBytes(path("B.DAT"))[20], 0);
    auto bytes = ReadFileBytes(path("B.DAT"));
    bytes[20] = 1;
    WriteFileBytes(path("B.DAT"), bytes);
    engine_.OpenFileBlock(fb, "B");
    EXPECT_EQ(engine_.error(), engine::err::kIndexUnusable);
    EXPECT_EQ(fb, nullptr);
}

TEST_F(DataFileTest, PositionsFollowTheirFormulas) {
    FileBlockHandle fb = CreateOpen("B", 21);
    for (int i = 0; i < 99; ++i) Add(fb, "");
    EXPECT_EQ(engine_.RecordToPosition(fb, 50, 63), 64 * 50 / 100);
    EXPECT_EQ(engine_.RecordToPosition(fb, -5, 63), 0);
    EXPECT_EQ(engine_.PositionToRecord(fb, 32, 63), 32 * 100 / 64 + 1);
    EXPECT_EQ(engine_.PositionToRecord(fb, 0, 63), 1);
}

}  // namespace
}  // namespace enginetest

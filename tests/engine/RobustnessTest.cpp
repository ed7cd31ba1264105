// Failures from the disk and damaged files: undo paths leave nothing behind, and a damaged index
// ends the operation with an error instead of a crash, a hang or a read out of bounds.

#include <filesystem>

#include "EngineFixture.h"
#include "IndexImage.h"
#include "engine/FaultInjectingFileSystem.h"

namespace enginetest {
namespace {

using engine::FaultInjectingFileSystem;
using Repeat = FaultInjectingFileSystem::Repeat;

class FaultTest : public EngineTest {
protected:
    FaultTest() : EngineTest(faults_) {}
    void TearDown() override { faults_.Clear(); }
    static FaultInjectingFileSystem faults_;
};
FaultInjectingFileSystem FaultTest::faults_(engine::PosixFileSystem());

TEST_F(FaultTest, FailedRecordWriteGivesTheSlotBack) {
    FileBlockHandle fb = CreateOpen("F", 40);
    Add(fb, "a");
    const auto record = Record(40, "b");
    int32_t number = 0;
    faults_.FailWrite(1);
    engine_.AddRecord(fb, number, record.data());
    EXPECT_EQ(engine_.error(), 10140);
    EXPECT_EQ(Add(fb, "b"), 2);  // the new slot was given back
    engine_.DeleteRecord(fb, 1);
    faults_.FailWrite(1, Repeat::Once, FaultInjectingFileSystem::Kind::ShortTransfer);
    engine_.AddRecord(fb, number, record.data());
    EXPECT_EQ(engine_.error(), 10075);
    EXPECT_EQ(engine_.UsedRecords(fb), 1);
    EXPECT_EQ(Add(fb, "c"), 1);  // the reused slot went back to the head of the chain
    EXPECT_EQ(Add(fb, "d"), 3);
}

TEST_F(FaultTest, FailedRowAppendGivesThePageNumberBack) {
    FileBlockHandle fb = CreateOpen("F", 40, {{10, false}});
    Add(fb, "a");  // the in-use flag is on disk now
    faults_.FailWrite(1, Repeat::Once, FaultInjectingFileSystem::Kind::Error, ".IX");
    engine_.AddKey(fb, 1, 1, "KEY");
    EXPECT_EQ(engine_.error(), 10140);
    engine_.AddKey(fb, 1, 1, "KEY");
    ASSERT_TRUE(engine_.ok());
    engine_.CloseFileBlock(fb);
    const IndexImage image(ReadFileBytes(path("F.IX")), 1);
    EXPECT_EQ(image.key(1).pageCount, 1);
    EXPECT_EQ(image.rowCount(), 1);
    EXPECT_EQ(CheckTree(image, 1), "");
}

TEST_F(FaultTest, InUseFlagReachesTheDiskBeforeTheFirstChange) {
    FileBlockHandle fb = CreateOpen("F", 40);
    faults_.FailFlush(1);
    int32_t number = 0;
    const auto record = Record(40, "a");
    engine_.AddRecord(fb, number, record.data());
    EXPECT_EQ(engine_.error(), 10140);
    EXPECT_EQ(std::filesystem::file_size(path("F.DAT")), 40u);  // nothing written after it
    EXPECT_EQ(Add(fb, "a"), 1);
}

TEST_F(FaultTest, FailedCloseKeepsTheBlockOpenAndFlagged) {
    FileBlockHandle fb = CreateOpen("F", 40, {{10, false}});
    for (int i = 1; i <= 100; ++i) {
        Add(fb, "r");
        engine_.AddKey(fb, 1, i, "K" + std::to_string(i));
    }
    faults_.FailWrite(1, Repeat::Once, FaultInjectingFileSystem::Kind::Error, ".IX");
    engine_.CloseFileBlock(fb);
    EXPECT_EQ(engine_.error(), 10140);
    EXPECT_NE(fb, nullptr);
    EXPECT_TRUE(engine_.IsFileBlockOpen(fb));
    EXPECT_EQ(ReadFileBytes(path("F.DAT"))[20], 1);
    engine_.CloseFileBlock(fb);
    ASSERT_TRUE(engine_.ok());
    EXPECT_EQ(ReadFileBytes(path("F.DAT"))[20], 0);
    const IndexImage image(ReadFileBytes(path("F.IX")), 1);
    EXPECT_EQ(CheckTree(image, 1), "");
    EXPECT_EQ(image.key(1).entries, 100);
}

TEST_F(FaultTest, FlagIsClearedOnlyAfterIndexAndDataAreFlushed) {
    FileBlockHandle fb = CreateOpen("F", 40, {{10, false}});
    Add(fb, "a");
    engine_.AddKey(fb, 1, 1, "A");
    faults_.FailFlush(1, Repeat::Once, ".IX");
    engine_.CloseFileBlock(fb);
    EXPECT_FALSE(engine_.ok());
    EXPECT_EQ(ReadFileBytes(path("F.DAT"))[20], 1);
    faults_.FailFlush(1, Repeat::Once, ".DAT");  // the counts, pushed before the flag goes
    engine_.CloseFileBlock(fb);
    EXPECT_FALSE(engine_.ok());
    EXPECT_EQ(ReadFileBytes(path("F.DAT"))[20], 1);
    engine_.CloseFileBlock(fb);
    EXPECT_TRUE(engine_.ok());
}

class DamageTest : public EngineTest {
protected:
    // Block "X" with one unique key of length 10 and `count` entries; returns the index bytes.
    std::vector<uint8_t> Build(int count) {
        FileBlockHandle fb = CreateOpen("X", 40, {{10, false}});
        for (int i = 1; i <= count; ++i) {
            char text[16];
            std::snprintf(text, sizeof text, "K%05d", i);
            engine_.AddKey(fb, 1, i, text);
        }
        engine_.CloseFileBlock(fb);
        return ReadFileBytes(path("X.IX"));
    }
    static constexpr int64_t kRow = 6 + 62 * 19;

    // Every key operation on the damaged file ends with a fatal error, never a crash or hang.
    void ExpectFatalEverywhere(const std::vector<uint8_t>& bytes, int32_t expected) {
        WriteFileBytes(path("X.IX"), bytes);
        FileBlockHandle fb = nullptr;
        engine_.OpenFileBlock(fb, "X");
        ASSERT_TRUE(engine_.ok());
        std::string key = "K00500";
        int32_t record = 0;
        int failures = 0;
        auto check = [&] {
            if (!engine_.ok()) {
                ++failures;
                EXPECT_EQ(engine_.error(), expected);
                EXPECT_EQ(engine_.ErrorClass(), 4);
            }
        };
        engine_.SearchKey(fb, 1, record, key);
        check();
        for (int i = 0; i < 3000 && engine_.error() != 10250; ++i) {
            engine_.NextKey(fb, 1, record, key);
            check();
            if (!engine_.ok()) break;
        }
        for (int i = 0; i < 3000 && engine_.error() != 10260; ++i) {
            engine_.PrevKey(fb, 1, record, key);
            check();
            if (!engine_.ok()) break;
        }
        engine_.AddKey(fb, 1, 9999, "NEW");
        check();
        engine_.DeleteKey(fb, 1, 1, "K00001");
        check();
        engine_.KeyToPosition(fb, 1, 1, "K00001", 63);
        check();
        engine_.PositionToKey(fb, 1, 40, 63, record, key);
        check();
        EXPECT_GT(failures, 0);
        engine_.CloseFileBlock(fb);
    }
};

TEST_F(DamageTest, ItemCountAboveCapacity) {
    auto bytes = Build(1000);
    const int32_t root = I32At(bytes, 16);
    bytes[root * kRow] = 63;
    ExpectFatalEverywhere(bytes, 10180);
}

TEST_F(DamageTest, ChildPageOutOfRange) {
    auto bytes = Build(1000);
    const int32_t root = I32At(bytes, 16);
    PutI32(bytes, root * kRow + 2, 5000);
    ExpectFatalEverywhere(bytes, 10180);
}

TEST_F(DamageTest, ChildPointingBackUpMakesALoop) {
    auto bytes = Build(1000);
    const int32_t root = I32At(bytes, 16);
    PutI32(bytes, root * kRow + 2, root);
    for (int i = 0; i < bytes[root * kRow]; ++i) PutI32(bytes, root * kRow + 6 + i * 19 + 4, root);
    ExpectFatalEverywhere(bytes, 10180);
}

TEST_F(DamageTest, FreeChainOutsideThePagesIsRefused) {
    auto bytes = Build(100);
    PutI32(bytes, 0, 77);  // first free page
    PutI32(bytes, 4, 1);
    WriteFileBytes(path("X.IX"), bytes);
    FileBlockHandle fb = nullptr;
    engine_.OpenFileBlock(fb, "X");
    for (int i = 101; i <= 200 && engine_.ok(); ++i)
        engine_.AddKey(fb, 1, i, "K" + std::to_string(i));
    EXPECT_EQ(engine_.error(), 10170);
}

TEST_F(DamageTest, HeadersThatContradictThemselvesAreRefusedAtOpen) {
    auto bytes = Build(0);
    FileBlockHandle fb = nullptr;
    bytes[26] = 63;  // capacity
    WriteFileBytes(path("X.IX"), bytes);
    engine_.OpenFileBlock(fb, "X");
    EXPECT_EQ(engine_.error(), 10122);
    bytes[26] = 62;
    PutI32(bytes, 12, 6 + 62 * 19 + 1);  // page size
    WriteFileBytes(path("X.IX"), bytes);
    engine_.OpenFileBlock(fb, "X");
    EXPECT_EQ(engine_.error(), 10120);
    PutI32(bytes, 12, 6 + 62 * 40);  // key length 31
    WriteFileBytes(path("X.IX"), bytes);
    engine_.OpenFileBlock(fb, "X");
    EXPECT_EQ(engine_.error(), 10121);
    WriteFileBytes(path("X.IX"), {});
    engine_.OpenFileBlock(fb, "X");
    EXPECT_EQ(engine_.error(), 10010);
    EXPECT_EQ(fb, nullptr);
}

class LifecycleTest : public EngineTest {};

TEST_F(LifecycleTest, EngineStatesAndTheEntryGuard) {
    Engine fresh;
    FileBlockHandle fb = nullptr;
    fresh.OpenFileBlock(fb, "A");
    EXPECT_EQ(fresh.error(), 10455);
    fresh.CreateFileBlock("A", 40, 0, nullptr);
    EXPECT_EQ(fresh.error(), 10455);
    fresh.DeleteFileBlock("A");
    EXPECT_EQ(fresh.error(), 10455);
    fresh.InitEngine(0, 7);
    EXPECT_EQ(fresh.error(), 10451);
    fresh.InitEngine(0, 8);
    EXPECT_TRUE(fresh.ok());
    fresh.InitEngine(0, 8);
    EXPECT_EQ(fresh.error(), 10450);
    fresh.AddRecord(nullptr, *std::make_unique<int32_t>(), "x");
    EXPECT_EQ(fresh.error(), 10445);
    fresh.CloseFileBlock(fb);
    EXPECT_EQ(fresh.error(), 10445);
    EXPECT_TRUE(fresh.NetworkActive() == false && fresh.EngineReady());

    fb = CreateOpen("A", 40, {{5, false}});
    FileBlockHandle stale = fb;
    engine_.CloseFileBlock(fb);
    engine_.CloseFileBlock(stale);
    EXPECT_EQ(engine_.error(), 10080);
    engine_.LockFileBlock(stale);
    EXPECT_EQ(engine_.error(), 10445);
    EXPECT_FALSE(engine_.IsFileBlockOpen(stale));

    engine_.OpenFileBlock(fb, "A", true);
    ASSERT_TRUE(engine_.ok());
    engine_.LockFileBlock(fb);
    EXPECT_TRUE(engine_.ok());
    engine_.AddKey(fb, 9, 1, "A");
    EXPECT_EQ(engine_.error(), 10065);  // the write check comes before the key number check
    std::vector<uint8_t> buffer(40);
    engine_.GetRecord(fb, -1, buffer.data());
    EXPECT_EQ(engine_.error(), 10397);
    EXPECT_EQ(engine_.ErrorClass(), 2);
    EXPECT_EQ(engine_.KeyCount(fb), 1);
    engine_.ExitEngine();
    EXPECT_TRUE(engine_.ok());
    engine_.GetRecord(fb, 1, buffer.data());
    EXPECT_EQ(engine_.error(), 10455);
}

TEST_F(LifecycleTest, OpenBlocksAreNotShared) {
    FileBlockHandle fb = CreateOpen("A", 40, {{5, false}});
    FileBlockHandle second = nullptr;
    engine_.OpenFileBlock(second, "A");
    EXPECT_EQ(engine_.error(), 10140);
    EXPECT_EQ(engine_.ErrorClass(), 4);
    engine_.DeleteFileBlock("A");
    EXPECT_EQ(engine_.error(), 10140);
    engine_.CreateFileBlock("A", 40, 0, nullptr);
    EXPECT_EQ(engine_.error(), 10140);
    EXPECT_EQ(engine_.KeyCount(fb), 1);  // the open block was not touched
    // An index held elsewhere: the data file opens, the index does not.
    engine_.CloseFileBlock(fb);
    {
        std::unique_ptr<engine::File> holder;
        ASSERT_EQ(engine::PosixFileSystem().Open(path("A.IX"), engine::OpenMode::ReadOnly, holder),
                  0);
        engine_.OpenFileBlock(second, "A");
        EXPECT_EQ(engine_.error(), 10010);
    }
    engine_.OpenFileBlock(second, "A");
    EXPECT_TRUE(engine_.ok());
}

TEST_F(LifecycleTest, DeleteRemovesTheFilesAndReportsAMissingDataFile) {
    FileBlockHandle fb = CreateOpen("A", 40, {{5, false}});
    engine_.CloseFileBlock(fb);
    engine_.DeleteFileBlock("A");
    EXPECT_TRUE(engine_.ok());
    EXPECT_FALSE(std::filesystem::exists(path("A.DAT")));
    EXPECT_FALSE(std::filesystem::exists(path("A.IX")));
    engine_.DeleteFileBlock("A");
    EXPECT_EQ(engine_.error(), 9903);
    EXPECT_EQ(engine_.ErrorClass(), 1);
    engine_.OpenFileBlock(fb, "A");
    EXPECT_EQ(engine_.error(), 9903);
    engine_.OpenFileBlock(fb, "nofolder/A");
    EXPECT_EQ(engine_.error(), 9900);
}

}  // namespace
}  // namespace enginetest

// Disk failures leave nothing behind; a damaged index gives an error, never a crash or a hang.

#include <filesystem>
#include <functional>
#include <span>

#include "EngineFixture.h"
#include "engine/FaultInjectingFileSystem.h"

namespace enginetest {
namespace {

using engine::FaultInjectingFileSystem;
using Repeat = FaultInjectingFileSystem::Repeat;
using Kind = FaultInjectingFileSystem::Kind;

class FaultTest : public EngineTest {
protected:
    FaultTest() : EngineTest(faults_) {}
    void TearDown() override { faults_.Clear(); }
    static FaultInjectingFileSystem faults_;
};
FaultInjectingFileSystem FaultTest::faults_(engine::PosixFileSystem());

TEST_F(FaultTest, FailedRecordWriteGivesTheSlotBack) {
    FileBlockHandle fb = CreateOpen("F", 40);
    const auto record = Record(40, "b");
    int32_t number = 0;
    // The in-use flag must reach the disk before the first change.
    faults_.FailFlush(1);
    engine_.AddRecord(fb, number, std::as_bytes(std::span(record)));
    EXPECT_EQ(engine_.error(), engine::err::kPlatform);
    EXPECT_EQ(std::filesystem::file_size(path("F.DAT")), 40u);
    EXPECT_EQ(Add(fb, "a"), 1);
    faults_.FailWrite(1);
    engine_.AddRecord(fb, number, std::as_bytes(std::span(record)));
    EXPECT_EQ(engine_.error(), engine::err::kPlatform);
    EXPECT_EQ(Add(fb, "b"), 2);  // the new slot was given back
    engine_.DeleteRecord(fb, 1);
    faults_.FailWrite(1, Repeat::Once, Kind::ShortTransfer);
    engine_.AddRecord(fb, number, std::as_bytes(std::span(record)));
    EXPECT_EQ(engine_.error(), engine::err::kShortWrite);
    EXPECT_EQ(engine_.UsedRecords(fb), 1);
    EXPECT_EQ(Add(fb, "c"), 1);  // the reused slot went back to the head of the chain
    EXPECT_EQ(Add(fb, "d"), 3);
}

TEST_F(FaultTest, FailedCloseKeepsTheBlockOpenAndFlaggedUntilEverythingIsFlushed) {
    FileBlockHandle fb = CreateOpen("F", 40, {{10, false}});
    for (int i = 1; i <= 100; ++i) {
        Add(fb, "r");
        engine_.AddKey(fb, 1, i, "K" + std::to_string(i));
    }
    faults_.FailWrite(1, Repeat::Once, Kind::Error, ".IX");
    engine_.CloseFileBlock(fb);
    EXPECT_EQ(engine_.error(), engine::err::kPlatform);
    EXPECT_TRUE(engine_.IsFileBlockOpen(fb));
    EXPECT_EQ(ReadFileBytes(path("F.DAT"))[20], 1);
    for (const char* file : {".IX", ".DAT"}) {
        faults_.FailFlush(1, Repeat::Once, file);
        engine_.CloseFileBlock(fb);
        EXPECT_FALSE(engine_.ok()) << file;
        EXPECT_EQ(ReadFileBytes(path("F.DAT"))[20], 1) << file;
    }
    engine_.CloseFileBlock(fb);
    ASSERT_TRUE(engine_.ok());
    EXPECT_EQ(fb, nullptr);
    EXPECT_EQ(ReadFileBytes(path("F.DAT"))[20], 0);
    EXPECT_EQ(CheckBlock("F"), "");
    EXPECT_EQ(KeyOneHeader(ReadFileBytes(path("F.IX"))).entries, 100);
}

class DamageTest : public EngineTest {
protected:
    static constexpr int64_t kRow = 6 + 62 * 19;

    // Block "X": one unique key of length 10 holding `count` entries; returns the index bytes.
    std::vector<uint8_t> Build(int count) {
        FileBlockHandle fb = CreateOpen("X", 40, {{10, false}});
        for (int i = 1; i <= count; ++i) engine_.AddKey(fb, 1, i, "K" + std::to_string(10000 + i));
        engine_.CloseFileBlock(fb);
        return ReadFileBytes(path("X.IX"));
    }

    // Every key operation on the damaged file ends well or with fatal error 10180.
    void ExpectFatalEverywhere(const std::vector<uint8_t>& bytes) {
        WriteFileBytes(path("X.IX"), bytes);
        FileBlockHandle fb = nullptr;
        engine_.OpenFileBlock(fb, "X");
        ASSERT_TRUE(engine_.ok());
        std::string key = "K10500";
        int32_t record = 0;
        int failures = 0;
        auto check = [&] {
            if (engine_.ok()) return true;
            ++failures;
            EXPECT_EQ(engine_.error(), engine::err::kIndexDamaged);
            EXPECT_EQ(engine_.errorClass(), engine::ErrorClass::Fatal);
            return false;
        };
        engine_.SearchKey(fb, 1, record, key);
        for (int i = 0; i < 3000 && check(); ++i) engine_.NextKey(fb, 1, record, key);
        engine_.PrevKey(fb, 1, record, key);
        for (int i = 0; i < 3000 && check(); ++i) engine_.PrevKey(fb, 1, record, key);
        engine_.AddKey(fb, 1, 9999, "NEW");
        check();
        engine_.DeleteKey(fb, 1, 1, "K10001");
        check();
        EXPECT_GT(failures, 0);
        engine_.CloseFileBlock(fb);
    }
};

TEST_F(DamageTest, DamagedPagesEndEveryOperationWithAFatalError) {
    const std::vector<std::pair<const char*, std::function<void(std::vector<uint8_t>&, int64_t)>>>
        damages = {
            {"item count above capacity", [](auto& b, int64_t root) { b[root * kRow] = 63; }},
            {"child page out of range",
             [](auto& b, int64_t root) { PutI32(b, root * kRow + 2, 5000); }},
            {"child pointing back up",
             [](auto& b, int64_t root) {
                 PutI32(b, root * kRow + 2, static_cast<int32_t>(root));
                 for (int i = 0; i < b[root * kRow]; ++i)
                     PutI32(b, root * kRow + 6 + i * 19 + 4, static_cast<int32_t>(root));
             }},
        };
    const auto healthy = Build(1000);
    for (const auto& [name, damage] : damages) {
        SCOPED_TRACE(name);
        auto bytes = healthy;
        damage(bytes, I32At(bytes, 16));
        ExpectFatalEverywhere(bytes);
    }
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
    EXPECT_EQ(engine_.error(), engine::err::kFreeChainDamaged);
}

TEST_F(DamageTest, HeadersThatContradictThemselvesAreRefusedAtOpen) {
    const auto healthy = Build(0);
    const std::vector<std::pair<std::function<void(std::vector<uint8_t>&)>, int>> rows = {
        {[](auto& b) { b[26] = 63; }, engine::err::kCapacityTooLarge},  // capacity
        {[](auto& b) { PutI32(b, 12, 6 + 62 * 19 + 1); },
         engine::err::kPageSizeMismatch},  // page size
        {[](auto& b) { PutI32(b, 12, 6 + 62 * 40); },
         engine::err::kKeyLengthFromHeader},  // key length 31
        {[](auto& b) { b.clear(); }, engine::err::kIndexUnusable},
    };
    for (const auto& [damage, error] : rows) {
        auto bytes = healthy;
        damage(bytes);
        WriteFileBytes(path("X.IX"), bytes);
        FileBlockHandle fb = nullptr;
        engine_.OpenFileBlock(fb, "X");
        EXPECT_EQ(engine_.error(), error);
        EXPECT_EQ(fb, nullptr);
    }
}

class LifecycleTest : public EngineTest {};

TEST_F(LifecycleTest, OpenBlocksAreNotShared) {
    FileBlockHandle fb = CreateOpen("A", 40, {{5, false}});
    FileBlockHandle second = nullptr;
    engine_.OpenFileBlock(second, "A");
    EXPECT_EQ(engine_.error(), engine::err::kFileInUse);
    EXPECT_EQ(engine_.errorClass(), engine::ErrorClass::Retry);
    engine_.DeleteFileBlock("A");
    EXPECT_EQ(engine_.error(), engine::err::kFileInUse);
    FileBlockHandle stale = fb;
    engine_.CloseFileBlock(fb);
    engine_.CloseFileBlock(stale);
    EXPECT_EQ(engine_.error(), engine::err::kNotOpen);
    engine_.OpenFileBlock(fb, "nofolder/A");
    EXPECT_EQ(engine_.error(), engine::err::kPathNotFound);
}

}  // namespace
}  // namespace enginetest

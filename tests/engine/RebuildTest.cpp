// The rebuild: compaction, fresh indexes, the log, backups and recovery from interrupted runs.

#include <algorithm>
#include <array>
#include <span>

#include "EngineFixture.h"
#include "engine/FaultInjectingFileSystem.h"

namespace enginetest {
namespace {

namespace fs = std::filesystem;
using engine::FaultInjectingFileSystem;

constexpr int kLength = 40;
const std::vector<KeyDescriptor> kKeys = {{6, false}, {3, true}};

// Key 1: the six characters after the mark; key 2: the three after them.
std::string BuildKey(std::span<const std::byte> record, int keyNumber) {
    const char* text = reinterpret_cast<const char*>(record.data()) + 4;
    return keyNumber == 1 ? std::string(text, 6) : std::string(text + 6, 3);
}

class RebuildTest : public EngineTest {
protected:
    explicit RebuildTest(engine::FileSystem& fs = engine::PosixFileSystem()) : EngineTest(fs) {}

    // Block "R" holding one record per text, each with its keys; the listed records deleted.
    void Fill(const std::vector<std::string>& texts, const std::vector<int32_t>& deleted = {}) {
        FileBlockHandle fb = CreateOpen("R", kLength, kKeys);
        for (const auto& text : texts) {
            const int32_t number = Add(fb, text);
            const auto record = Record(kLength, text);
            for (int k = 1; k <= 2; ++k)
                engine_.AddKey(fb, k, number, BuildKey(std::as_bytes(std::span(record)), k));
        }
        for (int32_t number : deleted) engine_.DeleteRecord(fb, number);
        engine_.CloseFileBlock(fb);
        ASSERT_TRUE(engine_.ok());
    }

    bool Rebuild() {
        engine_.RebuildDataFile("R", kLength, kLength, engine::KeepLiveRecord);
        if (engine_.ok()) engine_.RebuildIndex("R", 2, kKeys.data(), BuildKey, true, logWritten_);
        return engine_.ok();
    }

    // The texts of all records in slot order and the entries of both keys, read through the engine.
    std::pair<std::string, std::array<Entries, 2>> Contents() {
        FileBlockHandle fb = Open("R");
        std::pair<std::string, std::array<Entries, 2>> contents;
        std::vector<uint8_t> buffer(kLength);
        for (int32_t n = 1; n < engine_.FileLength(fb); ++n) {
            engine_.GetRecord(fb, n, std::as_writable_bytes(std::span(buffer)));
            contents.first += std::string(reinterpret_cast<char*>(buffer.data()) + 4, 9) + "|";
        }
        for (int k = 1; k <= 2; ++k) contents.second[k - 1] = Walk(fb, k);
        engine_.CloseFileBlock(fb);
        return contents;
    }

    bool logWritten_ = false;
};

TEST_F(RebuildTest, DeletedSlotsDisappearAndKeysFollowTheNewNumbers) {
    Fill({"AAAAAAx01", "BBBBBBx02", "CCCCCCx01", "DDDDDDx02", "EEEEEEx01"}, {2, 4});
    std::vector<std::pair<int, int32_t>> progress;
    engine_.SetProgressCallback([&](int key, int32_t read, int32_t written) {
        progress.emplace_back(key, read * 10 + written);
    });
    ASSERT_TRUE(Rebuild()) << engine_.error();
    EXPECT_FALSE(logWritten_);
    EXPECT_FALSE(fs::exists(path("R.MSG")));
    const auto data = ReadFileBytes(path("R.DAT"));
    ASSERT_EQ(data.size(), 4u * kLength);
    EXPECT_EQ(I32At(data, 0), -1);
    EXPECT_EQ(data[20], 0);
    const auto [texts, keys] = Contents();
    EXPECT_EQ(texts, "AAAAAAx01|CCCCCCx01|EEEEEEx01|");
    EXPECT_EQ(keys[0], (Entries{{"AAAAAA", 1}, {"CCCCCC", 2}, {"EEEEEE", 3}}));
    EXPECT_EQ(keys[1], (Entries{{"x01", 1}, {"x01", 2}, {"x01", 3}}));
    // Data phase: every slot read, live ones written; index phase: per key, live records only.
    const std::vector<std::pair<int, int32_t>> expected = {{0, 11}, {0, 21}, {0, 32}, {0, 42},
                                                           {0, 53}, {1, 11}, {1, 22}, {1, 33},
                                                           {2, 11}, {2, 22}, {2, 33}};
    EXPECT_EQ(progress, expected);
}

TEST_F(RebuildTest, RecordWithACollidingUniqueKeyIsLoggedDumpedAndDeleted) {
    Fill({"SMITHSa01", "JONESSa02", "OTHERSa03"});
    // Make record 3 build the same key 1 as record 1 behind the index's back.
    auto data = ReadFileBytes(path("R.DAT"));
    std::copy_n("SMITHS", 6, data.begin() + 3 * kLength + 4);
    WriteFileBytes(path("R.DAT"), data);
    ASSERT_TRUE(Rebuild()) << engine_.error();
    EXPECT_TRUE(logWritten_);
    const auto log = ReadFileBytes(path("R.MSG"));
    const std::string record(reinterpret_cast<const char*>(data.data()) + 3 * kLength, kLength);
    EXPECT_EQ(std::string(log.begin(), log.end()),
              "Key:<SMITHS> KeyNr: 1 Ref: 3 not added\r\n"
              "Data record deleted - Dump follows\r\n" +
                  record + "\r\n\r\n");
    const auto rebuilt = ReadFileBytes(path("R.DAT"));
    EXPECT_EQ(I32At(rebuilt, 8) - I32At(rebuilt, 4), 2);  // records less free slots
    const auto keys = Contents().second;
    EXPECT_EQ(keys[0].size(), 2u);
    EXPECT_EQ(keys[1].size(), 2u);  // the pass of key 2 no longer saw record 3
}

TEST_F(RebuildTest, EmptyFileRebuildsToAHeaderSlotAndOneIndexRow) {
    Fill({});
    ASSERT_TRUE(Rebuild());
    EXPECT_EQ(fs::file_size(path("R.DAT")), static_cast<uintmax_t>(kLength));
    EXPECT_EQ(fs::file_size(path("R.IX")), static_cast<uintmax_t>(6 + 62 * 15 + 6 + 62 * 12));
}

TEST_F(RebuildTest, BackupIsUsedAfterACrashAndRefusedNextToADataFileOrAnOpenBlock) {
    Fill({"AAAAAAx01", "BBBBBBx02"}, {1});
    fs::copy_file(path("R.DAT"), path("R.SAV"));
    const auto data = ReadFileBytes(path("R.DAT"));
    const auto index = ReadFileBytes(path("R.IX"));
    engine_.RebuildDataFile("R", kLength, kLength, engine::KeepLiveRecord);
    EXPECT_EQ(engine_.error(), engine::err::kBackupAndDataExist);
    EXPECT_EQ(ReadFileBytes(path("R.DAT")), data);
    EXPECT_EQ(ReadFileBytes(path("R.SAV")), data);
    EXPECT_EQ(ReadFileBytes(path("R.IX")), index);
    fs::remove(path("R.SAV"));
    // A block open in another process is held, so the move fails.
    FileBlockHandle fb = nullptr;
    engine_.OpenFileBlock(fb, "R");
    Engine other;
    other.InitEngine(0, 8);
    other.RebuildDataFile("R", kLength, kLength, engine::KeepLiveRecord);
    EXPECT_EQ(other.error(), engine::err::kMoveToBackupFailed);
    engine_.RebuildIndex("R", 2, kKeys.data(), BuildKey, true, logWritten_);
    EXPECT_EQ(engine_.error(), engine::err::kMoveToBackupFailed);
    engine_.CloseFileBlock(fb);
    EXPECT_FALSE(fs::exists(path("R.SAV")));
    fs::rename(path("R.DAT"), path("R.SAV"));  // as a crash right after the move leaves it
    ASSERT_TRUE(Rebuild()) << engine_.error();
    EXPECT_FALSE(fs::exists(path("R.SAV")));
    EXPECT_EQ(Contents().first, "BBBBBBx02|");
}

TEST_F(RebuildTest, OutputOfAnInterruptedDataPhaseIsRedoneFromTheBackup) {
    Fill({"AAAAAAx01", "BBBBBBx02", "CCCCCCx03"});
    // As left by a kill during the copy: the old data in R.SAV, a partial, flagged R.DAT; or a
    // kill right after creating the file, before its header was written.
    auto partial = ReadFileBytes(path("R.DAT"));
    fs::copy_file(path("R.DAT"), path("R.SAV"));
    partial.resize(2 * kLength);
    partial[20] = 2;
    for (const auto& left : {partial, std::vector<uint8_t>{}}) {
        WriteFileBytes(path("R.DAT"), left);
        ASSERT_TRUE(Rebuild()) << engine_.error();
        EXPECT_FALSE(fs::exists(path("R.SAV")));
        EXPECT_EQ(Contents().first, "AAAAAAx01|BBBBBBx02|CCCCCCx03|");
        fs::copy_file(path("R.DAT"), path("R.SAV"));
    }
}

class RebuildFaultTest : public RebuildTest {
protected:
    RebuildFaultTest() : RebuildTest(faults_) {}
    static FaultInjectingFileSystem faults_;
    void TearDown() override { faults_.Clear(); }
};
FaultInjectingFileSystem RebuildFaultTest::faults_(engine::PosixFileSystem());

TEST_F(RebuildFaultTest, FailedDataPhaseLeavesTheDataFileByteIdentical) {
    Fill({"AAAAAAx01", "BBBBBBx02", "CCCCCCx03"}, {2});
    const auto before = ReadFileBytes(path("R.DAT"));
    // Fail each write of the data phase in turn, until a run no longer meets one.
    int failedRuns = 0;
    for (int nth = 1;; ++nth) {
        const int64_t injected = faults_.faultsInjected();
        faults_.FailWrite(nth, FaultInjectingFileSystem::Repeat::Once, {}, ".DAT");
        engine_.RebuildDataFile("R", kLength, kLength, engine::KeepLiveRecord);
        if (faults_.faultsInjected() == injected) break;
        ++failedRuns;
        EXPECT_FALSE(engine_.ok()) << "write " << nth;
        EXPECT_EQ(ReadFileBytes(path("R.DAT")), before) << "write " << nth;
        EXPECT_FALSE(fs::exists(path("R.SAV")));
    }
    EXPECT_GE(failedRuns, 3);
    ASSERT_TRUE(engine_.ok());
    EXPECT_EQ(ReadFileBytes(path("R.DAT")).size(), 3u * kLength);
    engine_.RebuildIndex("R", 2, kKeys.data(), BuildKey, true, logWritten_);
    WriteFileBytes(path("R.DAT"), before);
    faults_.FailRead(1, FaultInjectingFileSystem::Repeat::Once, {}, ".SAV");
    engine_.RebuildDataFile("R", kLength, kLength, engine::KeepLiveRecord);
    EXPECT_FALSE(engine_.ok());
    EXPECT_EQ(ReadFileBytes(path("R.DAT")), before);
}

TEST_F(RebuildFaultTest, FailedIndexPhaseLeavesABlockThatAsksForARebuildWhichRecoversAll) {
    std::vector<std::string> texts;
    for (int i = 0; i < 400; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "K%05dx%02d", i * 37 % 400, i % 7);
        texts.emplace_back(text);
    }
    Fill(texts);
    for (int nth : {1, 2, 5, 9}) {
        engine_.RebuildDataFile("R", kLength, kLength, engine::KeepLiveRecord);
        ASSERT_TRUE(engine_.ok());
        faults_.FailWrite(nth, FaultInjectingFileSystem::Repeat::FromThenOn, {}, ".IX");
        engine_.RebuildIndex("R", 2, kKeys.data(), BuildKey, true, logWritten_);
        EXPECT_FALSE(engine_.ok()) << "write " << nth;
        faults_.Clear();
        FileBlockHandle fb = nullptr;
        engine_.OpenFileBlock(fb, "R");
        EXPECT_EQ(engine_.error(), engine::err::kIndexUnusable) << "write " << nth;
    }
    ASSERT_TRUE(Rebuild()) << engine_.error();
    const auto [liveTexts, keys] = Contents();
    EXPECT_EQ(std::count(liveTexts.begin(), liveTexts.end(), '|'), 400);
    EXPECT_EQ(keys[0].size(), 400u);
    EXPECT_EQ(keys[1].size(), 400u);
    EXPECT_EQ(CheckBlock("R"), "");
}

}  // namespace
}  // namespace enginetest

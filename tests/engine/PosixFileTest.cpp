// The POSIX file layer reads through a mapping of the file: what it returns must always be what a
// pread at that moment would return, however the file has grown or shrunk around the mapping.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "engine/FileSystem.h"
#include "support/TempDir.h"

namespace enginetest {
namespace {

using engine::File;
using engine::OpenMode;

std::vector<char> Pattern(int64_t offset, int64_t size) {
    std::vector<char> bytes(static_cast<size_t>(size));
    for (int64_t i = 0; i < size; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>((offset + i) * 7 % 251);
    return bytes;
}

std::vector<char> ReadBack(File& file, int64_t offset, int64_t size, int64_t& got) {
    std::vector<char> bytes(static_cast<size_t>(size));
    EXPECT_EQ(file.Read(offset, bytes.data(), size, got), engine::kPlatformOk);
    bytes.resize(static_cast<size_t>(got));
    return bytes;
}

class PosixFileTest : public ::testing::Test {
protected:
    std::unique_ptr<File> Open(OpenMode mode) {
        std::unique_ptr<File> file;
        EXPECT_EQ(engine::PosixFileSystem().Open(path_, mode, file), engine::kPlatformOk);
        return file;
    }
    testsupport::TempDir dir_;
    std::string path_ = dir_.file("F.DAT");
};

TEST_F(PosixFileTest, OwnWritesAreReadBackAsTheFileOutgrowsItsMapping) {
    auto file = Open(OpenMode::CreateAlways);
    constexpr int64_t kChunk = 96 * 1024;  // not a divisor of any reservation size
    for (int64_t offset = 0; offset < 5 * 1024 * 1024; offset += kChunk) {
        const auto bytes = Pattern(offset, kChunk);
        int64_t put = 0;
        ASSERT_EQ(file->Write(offset, bytes.data(), kChunk, put), engine::kPlatformOk);
        int64_t got = 0;
        ASSERT_EQ(ReadBack(*file, offset, kChunk, got), bytes) << offset;
        // A read across the end returns what lies below it, and nothing beyond.
        EXPECT_EQ(ReadBack(*file, offset + kChunk / 2, kChunk, got).size(), kChunk / 2) << offset;
    }
    int64_t got = 0;
    EXPECT_EQ(ReadBack(*file, 1000, 3 * 1024 * 1024, got), Pattern(1000, 3 * 1024 * 1024));
}

TEST_F(PosixFileTest, ReadsSeeWhatAnotherWriterAppendedAndNothingOfWhatItCutOff) {
    {
        std::ofstream out(path_, std::ios::binary);
        const auto bytes = Pattern(0, 5000);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    auto file = Open(OpenMode::ReadOnly);
    int64_t got = 0;
    ASSERT_EQ(ReadBack(*file, 0, 5000, got), Pattern(0, 5000));
    {
        std::ofstream out(path_, std::ios::binary | std::ios::app);
        const auto bytes = Pattern(5000, 3000);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    EXPECT_EQ(ReadBack(*file, 4000, 4000, got), Pattern(4000, 4000));
    int64_t size = 0;
    ASSERT_EQ(file->Size(size), engine::kPlatformOk);
    EXPECT_EQ(size, 8000);
    // A file cut short on disk is noticed by the next look at its size.
    std::filesystem::resize_file(path_, 6000);
    ASSERT_EQ(file->Size(size), engine::kPlatformOk);
    EXPECT_EQ(ReadBack(*file, 5000, 3000, got), Pattern(5000, 1000));
}

class MappedBlockTest : public EngineTest {
protected:
    void AddWithKey(FileBlockHandle fb, const std::string& key) {
        const int32_t n = Add(fb, key);
        engine_.AddKey(fb, 1, n, key);
        EXPECT_TRUE(engine_.ok()) << engine_.error();
    }
    std::vector<std::string> WalkKeys(FileBlockHandle fb) {
        std::vector<std::string> keys;
        int32_t n = 0;
        std::string key;
        std::vector<uint8_t> record(static_cast<size_t>(engine_.RecordLength(fb)));
        for (engine_.NextKey(fb, 1, n, key); engine_.ok(); engine_.NextKey(fb, 1, n, key)) {
            engine_.GetRecord(fb, n, std::as_writable_bytes(std::span(record)));
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data()) + 4, key.size()),
                      key);
            keys.push_back(key);
        }
        return keys;
    }
};

TEST_F(MappedBlockTest, RecordsBeyondADataFileCutShortOnDiskAreShortReads) {
    FileBlockHandle fb = CreateOpen("B", 100);
    for (int i = 1; i <= 50; ++i) Add(fb, "record " + std::to_string(i));
    engine_.CloseFileBlock(fb);
    // Half of slot 40 and everything after it are gone; the header still counts 50 records.
    std::filesystem::resize_file(path("B.DAT"), 40 * 100 + 50);
    fb = Open("B");
    std::string record(100, '\0');
    engine_.GetRecord(fb, 39, std::as_writable_bytes(std::span(record)));
    EXPECT_TRUE(engine_.ok());
    EXPECT_EQ(record.substr(4, 9), "record 39");
    for (int32_t n : {40, 41, 50}) {
        engine_.GetRecord(fb, n, std::as_writable_bytes(std::span(record)));
        EXPECT_EQ(engine_.error(), engine::err::kShortRead) << n;
    }
}

// The block's files outgrow their first mappings while open, and are rewritten by the rebuild
// between two opens.
TEST_F(MappedBlockTest, FilesGrownWhileOpenAndRebuiltBetweenOpensAreReadWhole) {
    const auto keyOf = [](int i) { return "K" + std::to_string(5000000 + i * 7919 % 6000); };
    FileBlockHandle fb = CreateOpen("B", 1000, {{8, false}});
    for (int i = 0; i < 3000; ++i) AddWithKey(fb, keyOf(i));
    engine_.CloseFileBlock(fb);
    bool logWritten = false;
    const engine::KeyBuilder fromRecord = [](std::span<const std::byte> record, int) {
        return std::string(reinterpret_cast<const char*>(record.data()) + 4, 8);
    };
    const KeyDescriptor key{8, false};
    engine_.RebuildIndex("B", 1, &key, fromRecord, false, logWritten);
    ASSERT_TRUE(engine_.ok()) << engine_.error();
    fb = Open("B");
    EXPECT_EQ(WalkKeys(fb).size(), 3000u);
    for (int i = 3000; i < 6000; ++i) AddWithKey(fb, keyOf(i));
    const auto keys = WalkKeys(fb);
    EXPECT_EQ(keys.size(), 6000u);
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    engine_.CloseFileBlock(fb);
}

}  // namespace
}  // namespace enginetest

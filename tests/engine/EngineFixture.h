#pragma once
// An initialised engine working in a fresh temporary folder, and helpers of the engine tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "support/CommandOutput.h"
#include "support/TempDir.h"

namespace enginetest {

using engine::Engine;
using engine::FileBlockHandle;
using engine::KeyDescriptor;
using Entries = std::vector<std::pair<std::string, int32_t>>;  // (key, record number)

inline std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline int32_t I32At(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<int32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                                static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

inline void PutI32(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The header of key 1 in an index file's bytes.
struct IndexHeader {
    int32_t firstFree, freeCount, pageCount, pageSize, root, entries;
};

inline IndexHeader KeyOneHeader(const std::vector<uint8_t>& index) {
    return {I32At(index, 0),  I32At(index, 4),  I32At(index, 8),
            I32At(index, 12), I32At(index, 16), I32At(index, 22)};
}

// The problems the command-line checker finds in block `name` of the working folder; "" if sound.
inline std::string CheckBlock(const std::string& name) {
    const auto run =
        testsupport::RunCommand(std::string(KT_TOOL_PATH) + " check " + name + " 2>&1");
    return run.status == 0 ? run.output
                           : "check failed (" + std::to_string(run.status) + "): " + run.output;
}

// A record of `length` bytes: deletion mark 0, then `text`, zero-filled.
inline std::vector<uint8_t> Record(int length, const std::string& text) {
    std::vector<uint8_t> record(static_cast<size_t>(length), 0);
    std::copy(text.begin(), text.end(), record.begin() + 4);
    return record;
}

class EngineTest : public ::testing::Test {
protected:
    explicit EngineTest(engine::FileSystem& fs = engine::PosixFileSystem()) : engine_(fs) {}

    void SetUp() override { engine_.InitEngine(0, 30); }

    // Creates and opens block `name`; keys as (length, duplicates) pairs.
    FileBlockHandle CreateOpen(const std::string& name, int recordLength,
                               std::vector<KeyDescriptor> keys = {}) {
        engine_.CreateFileBlock(name, recordLength, static_cast<int>(keys.size()), keys.data());
        EXPECT_TRUE(engine_.ok()) << engine_.error();
        FileBlockHandle fb = nullptr;
        engine_.OpenFileBlock(fb, name);
        EXPECT_TRUE(engine_.ok()) << engine_.error();
        return fb;
    }

    FileBlockHandle Open(const std::string& name) {
        FileBlockHandle fb = nullptr;
        engine_.OpenFileBlock(fb, name);
        EXPECT_TRUE(engine_.ok()) << engine_.error();
        return fb;
    }

    // Every entry of key `keyNumber` in order, walked from a fresh cursor.
    Entries Walk(FileBlockHandle fb, int keyNumber) {
        Entries entries;
        int32_t n = 0;
        std::string key;
        for (engine_.NextKey(fb, keyNumber, n, key); engine_.ok();
             engine_.NextKey(fb, keyNumber, n, key))
            entries.emplace_back(key, n);
        return entries;
    }

    int32_t Add(FileBlockHandle fb, const std::string& text) {
        const auto record = Record(engine_.RecordLength(fb), text);
        int32_t number = 0;
        engine_.AddRecord(fb, number, std::as_bytes(std::span(record)));
        EXPECT_TRUE(engine_.ok()) << engine_.error();
        return number;
    }

    std::string path(const std::string& file) const { return dir_.file(file); }

    testsupport::TempDir dir_;
    testsupport::ScopedChdir chdir_{dir_.path()};
    Engine engine_;
};

}  // namespace enginetest

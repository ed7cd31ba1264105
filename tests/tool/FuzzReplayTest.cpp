// Replays every saved fuzz input (the seeds and every input that once made the engine fail)
// through the same entry point the fuzzer uses, so old failures stay fixed in ordinary runs.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/FileBlockFuzz.h"

namespace {

TEST(FuzzReplay, EverySavedInputRunsCleanly) {
    const std::filesystem::path corpus = std::filesystem::path(KT_SOURCE_DIR) / "tests/fuzz/corpus";
    int replayed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string input{std::istreambuf_iterator<char>(in), {}};
        SCOPED_TRACE(entry.path().string());
        fuzz::RunFileBlockInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "the seed corpus is missing";
}

}  // namespace

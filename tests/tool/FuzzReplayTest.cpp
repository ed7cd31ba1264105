// Replays every saved fuzz input (the seeds and every input that once made the engine fail)
// through the same entry point the fuzzer uses, so old failures stay fixed in ordinary runs; and
// once more on real files, through the mapped reads of the POSIX file layer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/FileBlockFuzz.h"
#include "support/TempDir.h"

namespace {

void ReplayCorpus(void (*run)(const uint8_t*, size_t)) {
    const std::filesystem::path corpus = std::filesystem::path(KT_SOURCE_DIR) / "tests/fuzz/corpus";
    int replayed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string input{std::istreambuf_iterator<char>(in), {}};
        SCOPED_TRACE(entry.path().string());
        run(reinterpret_cast<const uint8_t*>(input.data()), input.size());
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "the seed corpus is missing";
}

TEST(FuzzReplay, EverySavedInputRunsCleanly) {
    ReplayCorpus(fuzz::RunFileBlockInput);
}

TEST(FuzzReplay, EverySavedInputRunsCleanlyOnMappedFiles) {
    testsupport::TempDir dir;
    testsupport::ScopedChdir chdir(dir.path());
    ReplayCorpus(fuzz::RunFileBlockInputOnDisk);
}

}  // namespace

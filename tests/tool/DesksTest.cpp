// Three desks post to one company at once: short `post` runs adding invoices under the numbers
// the company proposes, changing and deleting them, posting payments, making repeat masters,
// generating invoices from them and charging interest. With the default wait
// no line is refused for a file the other desks hold, every acknowledged invoice is on file once
// under a number of its own, and the balances agree with the invoices.

#include <gtest/gtest.h>

#include <random>
#include <thread>
#include <vector>

#include "support/TempDir.h"
#include "tool/PostingWorkload.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

constexpr int kDesks = 3;
constexpr int kRunsPerDesk = 8;

void WorkAtDesk(const std::filesystem::path& dir, PostingWorkload& workload, uint32_t seed) {
    std::mt19937 random(seed);
    for (int run = 0; run < kRunsPerDesk; ++run) {
        ScriptSession post({"post", dir.string(), "--today", "2026-12-06"}, dir);
        for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
            post.Write(workload.Next());
            const auto reply = post.ReadLine();
            ASSERT_TRUE(reply);
            workload.Acknowledge(nlohmann::json::parse(*reply));
        }
    }
}

TEST(DesksTest, ThreeDesksPostingAtOnceLoseNothingAndWaitForEachOther) {
    testsupport::TempDir temp;
    const std::filesystem::path dir = temp.path() / "data";
    PreparePostingFolder(dir);
    const uint32_t seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::vector<PostingWorkload> workloads;
    for (int desk = 0; desk < kDesks; ++desk) workloads.emplace_back(seed + desk, std::nullopt);
    std::vector<std::thread> desks;
    for (int desk = 0; desk < kDesks; ++desk)
        desks.emplace_back(WorkAtDesk, dir, std::ref(workloads[desk]), seed + 100 + desk);
    for (std::thread& desk : desks) desk.join();

    EXPECT_EQ(FolderProblems(dir), "");
    const auto onFile = InvoicesOnFile(dir);
    size_t added = 0;
    for (const PostingWorkload& workload : workloads) {
        EXPECT_EQ(workload.Problems(onFile), "");
        added += workload.invoices().size();
    }
    for (const auto& [number, file] : onFile) EXPECT_EQ(file.headers + file.masters, 1) << number;
    EXPECT_EQ(onFile.size(), added);
}

}  // namespace
}  // namespace tooltest

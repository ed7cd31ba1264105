// The swap of restored files into a data folder, killed at every one of its steps (and its undoing
// and its recovery killed in turn) in a child process: the next opening of the folder always
// leaves either the whole old or the whole restored set, and nothing of the swap beside it.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "company/RestoreSwap.h"
#include "engine/BlockFile.h"
#include "support/AnsweringPrompts.h"
#include "support/FolderImage.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::FolderFiles;

constexpr int kKilled = 42;

// Counts every move and removal as a step; kills the process before step `killAt`, fails step
// `failAt` (and every later one when `failOnward`).
class CuttingMoves : public company::FileMoves {
public:
    int killAt = 0;
    int failAt = 0;
    bool failOnward = false;

    std::error_code Move(const fs::path& from, const fs::path& to) override {
        if (const std::error_code error = Step()) return error;
        return FileMoves::Move(from, to);
    }
    std::error_code Remove(const fs::path& path) override {
        if (const std::error_code error = Step()) return error;
        return FileMoves::Remove(path);
    }

private:
    std::error_code Step() {
        ++step_;
        if (step_ == killAt) _exit(kKilled);
        if (step_ == failAt || (failOnward && failAt > 0 && step_ > failAt))
            return std::make_error_code(std::errc::io_error);
        return {};
    }
    int step_ = 0;
};

const std::vector<std::string> kNames = {"1C.DAT", "Company.DAT", "2C.DAT"};
const FolderFiles kOld = {
    {"1C.DAT", "old 1C"}, {"Company.DAT", "old company"}, {"LastCo.Dat", "kept"}};
const FolderFiles kRestored = {{"1C.DAT", "new 1C"},
                               {"Company.DAT", "new company"},
                               {"2C.DAT", "new 2C"},
                               {"LastCo.Dat", "kept"}};

class RestoreSwapTest : public ::testing::Test {
protected:
    RestoreSwapTest() { Prepare(); }

    // The old files in the folder, the restored ones in staging, nothing else.
    void Prepare() {
        for (const char* leftover : {company::kRestoreStagingFolder, company::kRestoreAsideFolder,
                                     company::kRestoreMarkerFile})
            fs::remove_all(dir.path() / leftover);
        testsupport::PutBackFolder(dir.path(), kOld);
        fs::create_directory(staging);
        for (const auto& [name, bytes] : kRestored)
            if (name != "LastCo.Dat") std::ofstream(staging / name) << bytes;
    }

    // Runs `job` in a child process; true when the child was cut off by a kill.
    template <typename Job>
    bool InChild(Job job) {
        const pid_t child = fork();
        if (child == 0) {
            job();
            _exit(0);
        }
        int status = 0;
        EXPECT_EQ(waitpid(child, &status, 0), child);
        return WIFEXITED(status) && WEXITSTATUS(status) == kKilled;
    }

    company::SwapRecovery Recover() {
        return company::FinishInterruptedRestore(engine::PosixFileSystem(), dir.path(), prompts);
    }

    testsupport::TempDir dir;
    fs::path staging = dir.path() / company::kRestoreStagingFolder;
    testsupport::AnsweringPrompts prompts;
};

TEST_F(RestoreSwapTest, ASwapCutShortAtAnyStepEndsWithOneWholeSet) {
    using company::SwapRecovery;
    // Steps of the swap: 1 old 1C aside, 2 new 1C in, 3 old company aside, 4 new company in,
    // 5 new 2C in, 6-8 the leftovers (aside, staging, marker). A move failing at step 3 puts
    // back: 4 new 1C to staging, 5 old 1C home, 6-8 the leftovers.
    struct Cut {
        const char* what;
        int failAt;
        bool failOnward;
        int killAt;
        int recoveryKillAt;  // the first recovery killed too
        const FolderFiles& result;
        SwapRecovery recovery;
    };
    const Cut cuts[] = {
        {"before the first move", 0, false, 1, 0, kRestored, SwapRecovery::Finished},
        {"with the old 1C aside", 0, false, 2, 0, kRestored, SwapRecovery::Finished},
        {"with 1C swapped", 0, false, 3, 0, kRestored, SwapRecovery::Finished},
        {"with the old company aside", 0, false, 4, 0, kRestored, SwapRecovery::Finished},
        {"before the file without an old one", 0, false, 5, 0, kRestored, SwapRecovery::Finished},
        {"with every file in", 0, false, 6, 0, kRestored, SwapRecovery::Finished},
        {"with the old files removed", 0, false, 7, 0, kRestored, SwapRecovery::Finished},
        {"with only the marker left", 0, false, 8, 0, kRestored, SwapRecovery::Finished},
        {"and its recovery too", 0, false, 4, 2, kRestored, SwapRecovery::Finished},
        {"putting back, with new 1C in", 3, false, 4, 0, kOld, SwapRecovery::PutBack},
        {"putting back, new 1C in staging", 3, false, 5, 0, kOld, SwapRecovery::PutBack},
        {"put back, with leftovers", 3, false, 6, 0, kOld, SwapRecovery::PutBack},
        {"put back, old files removed", 3, false, 7, 0, kOld, SwapRecovery::PutBack},
        {"put back, only the marker left", 3, false, 8, 0, kOld, SwapRecovery::PutBack},
        {"putting back, and its recovery too", 5, false, 6, 1, kOld, SwapRecovery::PutBack},
        {"put back, and nothing could move", 3, true, 0, 0, kOld, SwapRecovery::PutBack},
        {"failed at once, put back whole", 1, false, 0, 0, kOld, SwapRecovery::NothingLeft},
        {"never cut", 0, false, 0, 0, kRestored, SwapRecovery::NothingLeft},
    };
    for (const Cut& cut : cuts) {
        SCOPED_TRACE(cut.what);
        Prepare();
        const bool killed = InChild([&] {
            CuttingMoves moves;
            moves.killAt = cut.killAt;
            moves.failAt = cut.failAt;
            moves.failOnward = cut.failOnward;
            company::SwapInRestoredFiles(engine::PosixFileSystem(), dir.path(), kNames, moves);
        });
        EXPECT_EQ(killed, cut.killAt > 0);
        if (cut.recoveryKillAt > 0) {
            EXPECT_TRUE(InChild([&] {
                CuttingMoves moves;
                moves.killAt = cut.recoveryKillAt;
                company::FinishInterruptedRestore(engine::PosixFileSystem(), dir.path(), prompts,
                                                  moves);
            }));
        }
        prompts.shown.clear();
        EXPECT_EQ(Recover(), cut.recovery);
        EXPECT_EQ(testsupport::FolderBytes(dir.path()), cut.result);
        EXPECT_EQ(prompts.shown.size(), cut.recovery == SwapRecovery::NothingLeft ? 0u : 1u);
        EXPECT_EQ(Recover(), SwapRecovery::NothingLeft);
    }
}

TEST_F(RestoreSwapTest, RecoveryTellsWhatTheFolderHolds) {
    const bool killed = InChild([&] {
        CuttingMoves moves;
        moves.killAt = 3;
        company::SwapInRestoredFiles(engine::PosixFileSystem(), dir.path(), kNames, moves);
    });
    ASSERT_TRUE(killed);
    EXPECT_EQ(Recover(), company::SwapRecovery::Finished);
    EXPECT_EQ(prompts.shown,
              std::vector<std::string>{
                  "KT Invorra Pro: A restore was cut short while it put the restored files in "
                  "place. It has been finished: the data files are those of the backup. Run "
                  "\"Rebuild Data Files\" to check them."});
}

TEST_F(RestoreSwapTest, MarkerCutShortWhileWrittenMeansNothingMoved) {
    std::ofstream(dir.path() / company::kRestoreMarkerFile) << "in  \n1C.DAT\nComp";
    EXPECT_EQ(Recover(), company::SwapRecovery::NothingLeft);
    EXPECT_EQ(testsupport::FolderBytes(dir.path()), kOld);
}

TEST_F(RestoreSwapTest, DamagedMarkerNeverRemovesFilesSetAside) {
    fs::create_directory(dir.path() / company::kRestoreAsideFolder);
    fs::rename(dir.path() / "1C.DAT", dir.path() / company::kRestoreAsideFolder / "1C.DAT");
    std::ofstream(dir.path() / company::kRestoreMarkerFile) << "garbage";
    EXPECT_EQ(Recover(), company::SwapRecovery::Failed);
    EXPECT_EQ(testsupport::FileBytes(dir.path() / company::kRestoreAsideFolder / "1C.DAT"),
              "old 1C");
}

TEST_F(RestoreSwapTest, ASwapUnderWayOnAnotherDeskIsLeftAlone) {
    std::ofstream(dir.path() / company::kRestoreMarkerFile) << "in  \n1C.DAT\nend\n";
    std::unique_ptr<engine::File> held;
    ASSERT_EQ(engine::PosixFileSystem().Open((dir.path() / company::kRestoreMarkerFile).string(),
                                             engine::OpenMode::ReadWrite, held),
              engine::kPlatformOk);
    const auto staged = testsupport::FolderBytes(staging);
    EXPECT_EQ(Recover(), company::SwapRecovery::Busy);
    EXPECT_EQ(testsupport::FolderBytes(staging), staged);
    EXPECT_EQ(testsupport::FileBytes(dir.path() / "1C.DAT"), "old 1C");
    EXPECT_TRUE(fs::exists(dir.path() / company::kRestoreMarkerFile));
}

}  // namespace

// The marker of a company being imported: what the next opening of the folder leaves alone.
// (Its removal of a half-imported company is tested with the import, killed in a child process.)

#include "company/ImportInProgress.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/DataFolder.h"

namespace company {
namespace {

class ImportInProgressTest : public ::testing::Test, protected testsupport::DataFolder {
protected:
    ImportInProgressTest() {
        engine.InitEngine(0, 30);
        std::ofstream("7C.DAT") << "customers";
    }
};

TEST_F(ImportInProgressTest, AMarkerCutShortWhileWrittenCameBeforeAnyFile) {
    std::ofstream(kImportMarkerFile) << "7";  // "75" was being written
    EXPECT_EQ(RemoveInterruptedImport(engine, prompts), ImportRecovery::NothingLeft);
    EXPECT_TRUE(std::filesystem::exists("7C.DAT"));
    EXPECT_FALSE(std::filesystem::exists(kImportMarkerFile));
}

TEST_F(ImportInProgressTest, AnImportUnderWayElsewhereIsLeftAlone) {
    ImportMark mark(files);
    ASSERT_TRUE(mark.Start("7"));
    EXPECT_EQ(RemoveInterruptedImport(engine, prompts), ImportRecovery::Busy);
    EXPECT_TRUE(std::filesystem::exists("7C.DAT"));
    mark.Finish();
    EXPECT_FALSE(std::filesystem::exists(kImportMarkerFile));
    EXPECT_EQ(RemoveInterruptedImport(engine, prompts), ImportRecovery::NothingLeft);
}

}  // namespace
}  // namespace company

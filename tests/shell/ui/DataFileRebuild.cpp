// "Rebuild Data &Files" over damaged files of the current company.
#include <QAction>
#include <filesystem>

#include "ShellFixture.h"
#include "customers/CustomerRecord.h"
#include "engine/RecordFile.h"
#include "shell/ui/MainWindow.h"
#include "support/Samples.h"
#include "widgets/StatusWindow.h"

namespace shelltest {

void AddCustomers(const std::string& companyCode, int count) {
    std::vector<customers::CustomerRecord> records;
    for (int i = 1; i <= count; ++i)
        records.push_back(
            testsupport::SampleCustomer(std::to_string(i), "Customer " + std::to_string(i)));
    engine::Engine engine;
    testsupport::AddRecords(engine, customers::CustomerFileDescription(companyCode), records);
}

int32_t CustomerKeys(const std::string& companyCode) {
    engine::Engine engine;
    engine.InitEngine(0, 30);
    testsupport::ScriptedPrompts silent;
    engine::RecordFile file(engine, customers::CustomerFileDescription(companyCode), silent);
    if (!file.Open()) return -1;
    const int32_t keys = engine.UsedKeys(file.handle(), 1);
    file.Close();
    return keys;
}

namespace {

using DataFileRebuild = ShellTest;

TEST_F(DataFileRebuild, CommandRepairsAMissingIndexAndReportsCompletion) {
    MakeDataFolder();
    AddCustomers("1", 3);
    std::filesystem::remove("1C.IX");

    auto& w = NewMainWindow();
    ASSERT_TRUE(w.FormCreate());
    ASSERT_TRUE(w.FormShow());
    prompts.ExpectInform("Rebuild Complete", "The data files have been rebuilt.");
    w.findChild<QAction*>("RebuildDataFiles1")->trigger();
    prompts.Verify();
    EXPECT_FALSE(w.statusWindow().isVisible());
    EXPECT_EQ(CustomerKeys("1"), 3);
    EXPECT_FALSE(std::filesystem::exists("1C.SAV"));
}

}  // namespace
}  // namespace shelltest

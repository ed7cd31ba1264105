// "Rebuild Data &Files" reaches its flow from the menu and shows its progress; the rules are
// receivables::DataFileRebuildFlow's (tests/receivables/DataFileRebuildFlowTest).
#include <QAction>
#include <filesystem>

#include "ShellFixture.h"
#include "engine/RecordFile.h"
#include "records/CustomerRecord.h"
#include "records/RecordTypes.h"
#include "shell/ui/MainWindow.h"
#include "support/Samples.h"
#include "widgets/StatusWindow.h"

namespace shelltest {
namespace {

using DataFileRebuild = ShellTest;

TEST_F(DataFileRebuild, CommandRepairsAMissingIndexAndReportsCompletion) {
    MakeDataFolder();
    const engine::FileDescription file =
        records::RecordTypeOf(records::RecordKind::Customer).Describe("1");
    testsupport::AddRecords(
        engine, file,
        std::vector<records::CustomerRecord>{testsupport::SampleCustomer("1", "Customer 1"),
                                             testsupport::SampleCustomer("2", "Customer 2"),
                                             testsupport::SampleCustomer("3", "Customer 3")});
    std::filesystem::remove("1C.IX");

    auto& w = NewMainWindow();
    ASSERT_TRUE(w.FormCreate());
    ASSERT_TRUE(w.FormShow());
    prompts.ExpectInform("Rebuild Complete", "The data files have been rebuilt.")
        .ExpectYesNo("Rebuild Data Files",
                     "Check that the customer balances agree with the invoice file?", false);
    w.findChild<QAction*>("RebuildDataFiles1")->trigger();
    prompts.Verify();
    EXPECT_FALSE(w.statusWindow().isVisible());
    EXPECT_FALSE(std::filesystem::exists("1C.SAV"));
    engine::Engine reader;
    reader.InitEngine(0, 30);
    engine::RecordFile<records::CustomerRecord> customers(reader, file, prompts);
    ASSERT_TRUE(customers.Open());
    EXPECT_EQ(reader.UsedKeys(customers.handle(), 1), 3);
    EXPECT_TRUE(customers.Close());
}

}  // namespace
}  // namespace shelltest

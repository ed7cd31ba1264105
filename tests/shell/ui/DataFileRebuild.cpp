// "Rebuild Data &Files" over damaged files of the current company.
#include <QAction>
#include <filesystem>

#include "ShellFixture.h"
#include "customers/CustomerRecord.h"
#include "engine/RecordFile.h"
#include "shell/ui/DataFileRebuild.h"
#include "shell/ui/MainWindow.h"
#include "widgets/StatusWindow.h"

namespace shelltest {

void AddCustomers(const std::string& companyCode, int count) {
    engine::Engine engine;
    engine.InitEngine(0, 30);
    testsupport::ScriptedPrompts silent;
    engine::RecordFile file(engine, customers::CustomerFileDescription(companyCode), silent);
    ASSERT_TRUE(file.Create());
    ASSERT_TRUE(file.Open());
    for (int i = 1; i <= count; ++i) {
        customers::CustomerRecord customer;
        customer.setNumber(std::to_string(i));
        customer.setName("Customer " + std::to_string(i));
        int32_t recordNumber = 0;
        ASSERT_TRUE(file.Add(customer.data(), recordNumber));
    }
    file.Close();
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

struct RecordingObserver : engine::RebuildObserver {
    std::vector<std::string> captions;
    int finished = 0;
    void RebuildStarted(const std::string& caption) override { captions.push_back(caption); }
    void RebuildProgress(int, int32_t, int32_t) override {}
    void RebuildFinished() override { ++finished; }
};

class DataFileRebuild : public ShellTest {};

TEST_F(DataFileRebuild, RebuildsTheSixFilesInOrder) {
    MakeDataFolder();
    engine.InitEngine(0, 30);
    RecordingObserver observer;
    shell::ui::RebuildAllDataFiles(engine, prompts, observer, "1");
    EXPECT_EQ(observer.captions,
              (std::vector<std::string>{"Companies", "Customers", "Invoices", "Detail Records",
                                        "Memo Records", "Products"}));
    EXPECT_EQ(observer.finished, 6);
    EXPECT_EQ(StoredCompany("1").name(), "Acme Supply");
}

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

// Start-up and exit: the company named by "LastCo.Dat", the engine, the date checks, the
// background picture, the close query and the engine's stop.
#include "company/StartupFlow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "company/CompanyFile.h"
#include "company/ImportInProgress.h"
#include "company/LastCompany.h"
#include "company/RestoreSwap.h"
#include "support/DataFolder.h"
#include "support/Samples.h"

namespace company {
namespace {

using base::PromptAnswer;
using base::PromptIcon;
using testsupport::SampleCompany;
using testsupport::StoredCompany;

constexpr char kCaption[] = "KT Invorra PRO";

class StartupFlowTest : public ::testing::Test, protected testsupport::DataFolder {
protected:
    ~StartupFlowTest() override {
        if (engine.IsInitialised()) engine.ExitEngine();
    }

    // The company on file and named by "LastCo.Dat".
    void MakeDataFolder(const records::CompanyRecord& company = SampleCompany("1", "Acme Supply")) {
        testsupport::AddCompanies({company});
        ASSERT_TRUE(WriteLastCompany(files, company));
    }

    base::FixedClock clock{{{2026, 3, 9}, 10, 30, 0}};
    ProgramState state;
    StartupFlow flow{engine, prompts, state, clock};
};

// An empty or cut "LastCo.Dat" names no company: the program would start on a blank company
// whose files have no prefix, so it ends as if the file were missing.
TEST_F(StartupFlowTest, MissingEmptyOrCutLastCompanyFileEndsBeforeTheEngineStarts) {
    const std::optional<std::size_t> sizes[] = {std::nullopt, 0, 100, 2735};
    for (const std::optional<std::size_t>& size : sizes) {
        SCOPED_TRACE(size.value_or(-1));
        if (size) std::ofstream(kLastCompanyFile, std::ios::binary) << std::string(*size, '\0');
        prompts.ExpectMessage(kCaption,
                              "I do not find the billing data files. The data files must be in "
                              "the same directory as the billing program.",
                              PromptAnswer::Ok, PromptIcon::Warning);
        EXPECT_EQ(flow.Start(), StartOutcome::NoDataFiles);
        prompts.Verify();
        EXPECT_FALSE(engine.IsInitialised());
    }
}

// "LastCo.Dat" only points at the company; the company file holds its settings. A company no
// longer on file keeps the values "LastCo.Dat" gave it (the search lands on another company,
// whose key differs).
TEST_F(StartupFlowTest, TheCompanyFileGivesTheSettingsOfTheLastCompany) {
    MakeDataFolder();
    struct Case {
        records::CompanyRecord last;
        std::string name;
    };
    const Case cases[] = {
        {SampleCompany("1", "Old Name"), "Acme Supply"},
        {SampleCompany("0", "Gone Company"), "Gone Company"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteLastCompany(files, c.last));
        EXPECT_EQ(flow.Start(), StartOutcome::Ready);
        EXPECT_EQ(state.currentCompany.name(), c.name);
        EXPECT_EQ(state.todayText, "03/09/2026");
        flow.Stop();
    }
}

TEST_F(StartupFlowTest, AComputerDateBefore1995Warns) {
    MakeDataFolder();
    struct Case {
        base::Date today;
        bool warns;
    };
    for (const Case& c : {Case{{1994, 12, 31}, true}, Case{{1995, 1, 1}, false}}) {
        clock.Set({c.today, 8, 0, 0});
        if (c.warns) {
            prompts.ExpectWarn("Computer Date",
                               "The date on your computer appears to be incorrect. This will "
                               "effect program calculations. Please verify your computer is using "
                               "the correct date.");
        }
        EXPECT_EQ(flow.Start(), StartOutcome::Ready);
        prompts.Verify();
        flow.Stop();
    }
}

// A picture that is gone is switched off in memory, with a message; the stored company keeps it.
// A company not set up yet shows no picture, so its file is not looked at.
TEST_F(StartupFlowTest, ABackgroundPictureThatIsGoneIsSwitchedOff) {
    std::ofstream("here.bmp") << "BM";
    struct Case {
        std::string name;
        std::string picture;
        bool switchedOff;
    };
    const Case cases[] = {
        {"Acme Supply", "gone.bmp", true},
        {"Acme Supply", "here.bmp", false},
        {" A ", "gone.bmp", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " " + c.picture);
        records::CompanyRecord company = SampleCompany("1", c.name);
        company.setBackgroundBitmapOn(true);
        company.setBackgroundBitmap(c.picture);
        if (StoredCompany("1"))
            testsupport::UpdateStoredCompany(company);
        else
            MakeDataFolder(company);
        ASSERT_TRUE(WriteLastCompany(files, company));
        if (c.switchedOff) {
            prompts.ExpectWarn(kCaption,
                               "Background bitmap image no longer exists. Unable to load "
                               "background picture.");
        }
        EXPECT_EQ(flow.Start(), StartOutcome::Ready);
        prompts.Verify();
        EXPECT_EQ(state.currentCompany.backgroundBitmapOn(), !c.switchedOff);
        flow.Stop();
        EXPECT_TRUE(StoredCompany("1")->backgroundBitmapOn());
    }
}

// A posting that a killed process left half done is undone on the started engine before the
// company file is read, so the program starts on the company as it was before that posting.
TEST_F(StartupFlowTest, APostingCutShortIsUndoneBeforeTheCompanyIsRead) {
    MakeDataFolder();
    ASSERT_TRUE(WriteLastCompany(files, SampleCompany("1", "Old Name")));
    // A process renamed the company inside a posting and died before it finished.
    engine.InitEngine(0, StartupFlow::kPageBuffers);
    {
        CompanyFile companies(engine, prompts);
        ASSERT_TRUE(companies.Open());
        const auto stored = companies.Find("1");
        ASSERT_TRUE(stored);
        engine.BeginJournal("renaming company 1");
        records::CompanyRecord renamed = stored->second;
        renamed.setName("Half Done");
        ASSERT_EQ(companies.Modify(stored->first, renamed, stored->second),
                  engine::UpdateOutcome::Written);
        engine.AbandonJournal();
        ASSERT_TRUE(companies.Close());
    }
    engine.ExitEngine();
    prompts.ExpectInform(
        "KT Invorra Pro",
        "The last posting was interrupted and has been undone: renaming company 1.");
    EXPECT_EQ(flow.Start(), StartOutcome::Ready);
    EXPECT_EQ(state.currentCompany.name(), "Acme Supply");
}

TEST_F(StartupFlowTest, LabelsLeftInThePrintQueueAskBeforeTheProgramEnds) {
    const char* question =
        "You have labels in the print queue that you have not printed or saved to a file. Exit "
        "anyway?";
    EXPECT_TRUE(flow.MayExit());  // nothing queued: no question
    state.printQueue.Add({"7", "Zenith Tools", "", ""});
    for (const bool yes : {false, true}) {
        prompts.ExpectYesNo("Please Confirm", question, yes);
        EXPECT_EQ(flow.MayExit(), yes);
        prompts.Verify();
    }
}

TEST_F(StartupFlowTest, TheBackupIsOfferedOnExitWhenTheCompanyAsksForIt) {
    for (const bool offered : {false, true}) {
        state.currentCompany.setPromptBackupOnExit(offered);
        EXPECT_EQ(flow.OffersBackupOnExit(), offered);
    }
}

TEST_F(StartupFlowTest, StopEndsTheEngine) {
    MakeDataFolder();
    ASSERT_EQ(flow.Start(), StartOutcome::Ready);
    flow.Stop();
    EXPECT_FALSE(engine.IsInitialised());
}

// A restore's swap and an import that a killed process left are put right before any file opens;
// a folder another desk is restoring right now is not started on.
TEST_F(StartupFlowTest, WhatAKilledRestoreOrImportLeftIsPutRightFirst) {
    MakeDataFolder();
    std::filesystem::create_directory(kRestoreStagingFolder);
    std::ofstream(std::filesystem::path(kRestoreStagingFolder) / "Terms.LST") << "restored";
    std::ofstream(kRestoreMarkerFile) << "in  \nTerms.LST\nend\n";
    std::ofstream(kImportMarkerFile) << "7\n";
    std::ofstream("7C.DAT") << "half imported";
    prompts.ExpectMessage("KT Invorra Pro",
                          "A restore was cut short while it put the restored files in place. It "
                          "has been finished: the data files are those of the backup. Run "
                          "\"Rebuild Data Files\" to check them.",
                          PromptAnswer::Ok, PromptIcon::Information);
    prompts.ExpectMessage("KT Invorra Pro",
                          "An import of version 1 files was cut short while it imported company "
                          "7. What it had written of that company has been removed; import again "
                          "to bring it in.",
                          PromptAnswer::Ok, PromptIcon::Information);
    EXPECT_EQ(flow.Start(), StartOutcome::Ready);
    prompts.Verify();
    EXPECT_TRUE(std::filesystem::exists("Terms.LST"));
    EXPECT_FALSE(std::filesystem::exists("7C.DAT"));
    flow.Stop();

    std::ofstream(kRestoreMarkerFile) << "in  \nend\n";
    std::unique_ptr<engine::File> held;
    ASSERT_EQ(files.Open(kRestoreMarkerFile, engine::OpenMode::ReadWrite, held),
              engine::kPlatformOk);
    prompts.ExpectMessage("KT Invorra Pro",
                          "A restore on another computer is replacing the data files. Start "
                          "again when it has finished.",
                          PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_EQ(flow.Start(), StartOutcome::NoDataFiles);
    prompts.Verify();
}

}  // namespace
}  // namespace company

#pragma once
// A data folder with a company file and "LastCo.Dat", and a main window started on it.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "engine/Engine.h"
#include "engine/FaultInjectingFileSystem.h"
#include "records/CompanyRecord.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

class QPrinter;

namespace shell::ui {
class TMainForm;
}

namespace shelltest {

// Answers the next password prompts in order: types the text and presses OK, or Cancel for none.
void AnswerPasswordPrompts(std::vector<std::optional<std::string>> texts);

class ShellTest : public ::testing::Test {
protected:
    ShellTest();
    ~ShellTest() override;

    void MakeDataFolder(
        const records::CompanyRecord& company = testsupport::SampleCompany("1", "Acme Supply"));
    // A fresh main window over the folder, as a new start of the program would make.
    shell::ui::TMainForm& NewMainWindow();
    shell::ui::TMainForm& StartedWindow();

    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir{dir.path()};
    base::FixedClock clock{{{2026, 3, 9}, 10, 30, 0}};
    testsupport::ScriptedPrompts prompts;
    engine::FaultInjectingFileSystem files{engine::PosixFileSystem()};
    engine::Engine engine{files};
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<shell::ui::TMainForm> window;
};

}  // namespace shelltest

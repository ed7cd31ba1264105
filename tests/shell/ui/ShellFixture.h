#pragma once
// A data folder with a company file and "LastCo.Dat", and a main window started on it.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "engine/Engine.h"
#include "records/CompanyRecord.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

class QPrinter;
class QWidget;

namespace shell::ui {
class TMainForm;
}

namespace shelltest {

// `interact` runs once `window` is shown and must close it.
void ThenInModal(QWidget& window, std::function<void()> interact, int tries = 100);
std::string FileBytes(const std::filesystem::path& path);

// A company as the tests need it: number and name, everything else a new company's values.
records::CompanyRecord SampleCompany(const std::string& number, const std::string& name);

// Adds companies to the company file of the working folder (created when missing).
void AddCompanies(const std::vector<records::CompanyRecord>& companies);
// Reads a company back from the company file of the working folder.
records::CompanyRecord StoredCompany(const std::string& number);
// Saves a changed company over its stored record.
void UpdateStoredCompany(const records::CompanyRecord& company);

// Answers the next password prompts in order: types the text and presses OK, or Cancel for none.
void AnswerPasswordPrompts(std::vector<std::optional<std::string>> texts);

class ShellTest : public ::testing::Test {
protected:
    ShellTest();
    ~ShellTest() override;

    void MakeDataFolder(const records::CompanyRecord& company = SampleCompany("1", "Acme Supply"));
    // A fresh main window over the folder, as a new start of the program would make.
    shell::ui::TMainForm& NewMainWindow();
    shell::ui::TMainForm& StartedWindow();

    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir{dir.path()};
    base::FixedClock clock{{{2026, 3, 9}, 10, 30, 0}};
    testsupport::ScriptedPrompts prompts;
    engine::Engine engine;
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<shell::ui::TMainForm> window;
};

}  // namespace shelltest

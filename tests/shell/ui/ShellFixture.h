#pragma once
// A data folder with a company file, "LastCo.Dat" and (on request) a password, and a main window
// started on it with a fixed clock and the scripted prompt service.

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "engine/Engine.h"
#include "shell/CompanyRecord.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

class QPrinter;

namespace shell::ui {
class TMainForm;
}

namespace shelltest {

// A company as the tests need it: number and name, everything else a new company's values.
shell::CompanyRecord SampleCompany(const std::string& number, const std::string& name);

// Adds companies to the company file of the working folder (created when missing).
void AddCompanies(const std::vector<shell::CompanyRecord>& companies);
// Reads a company back from the company file of the working folder.
shell::CompanyRecord StoredCompany(const std::string& number);
// Saves a changed company over its stored record.
void UpdateStoredCompany(const shell::CompanyRecord& company);

// Creates company `companyCode`'s customer file with `count` customers.
void AddCustomers(const std::string& companyCode, int count);
// The entries of the customer file's key 1; -1 when the file cannot be opened.
int32_t CustomerKeys(const std::string& companyCode);

// Answers the next password prompts (TPWDlg), in order, as they are shown: types the text and
// presses OK, or presses Cancel for a missing text. The prompts' captions go to `captionsSeen`.
void AnswerPasswordPrompts(std::vector<std::optional<std::string>> texts,
                           QStringList* captionsSeen = nullptr);

class ShellTest : public ::testing::Test {
protected:
    ShellTest();
    ~ShellTest() override;

    // `company` (by default company 1 "Acme Supply") current, in a company file of its own.
    void MakeDataFolder(const shell::CompanyRecord& company = SampleCompany("1", "Acme Supply"));
    // A fresh main window over the folder (as a new start of the program would make).
    shell::ui::TMainForm& NewMainWindow();
    // A new data folder and a main window created and shown over it.
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

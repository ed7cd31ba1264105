#pragma once
// The words shared by the commands that work on one company's files: the data folder and other
// bare words, --company CODE, --today YYYY-MM-DD, --answer yes|no, --wait SECONDS, and each
// command's own flags and valued options. Also the first steps they share: changing into the data
// folder, starting the engine, undoing an interrupted posting and naming the company.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "base/Dates.h"
#include "base/PromptService.h"
#include "engine/Engine.h"
#include "records/CompanyRecord.h"
#include "tool/Commands.h"

namespace tool {

struct CompanyOptions {
    std::vector<std::string> words;  // the bare words in order, the data folder first
    std::optional<std::string> company;
    std::optional<base::Date> today;
    bool answerYes = false;
    int waitSeconds = 10;  // how long a file that another desk holds is waited for
    std::set<std::string, std::less<>> flags;                // the command's own flags given
    std::map<std::string, std::string, std::less<>> values;  // its own options with a value

    bool has(std::string_view flag) const { return flags.contains(flag); }
    const std::string& dir() const { return words.front(); }
};

// `flags` and `valued` name the command's own options ("--csv", "--as-of"); nothing when a word
// is unknown, a value is missing or malformed, or no data folder is given.
std::optional<CompanyOptions> ParseCompanyOptions(
    const Args& args, std::initializer_list<std::string_view> flags,
    std::initializer_list<std::string_view> valued = {});

// A "YYYY-MM-DD" (or "YYYY/MM/DD") date of the command line.
std::optional<base::Date> ParseCommandDate(std::string date);

// Changes into data folder `dir`, starts the engine (files another desk holds are waited for
// `waitSeconds`) and puts right what a killed process left unfinished, saying so on standard
// error: a restore's swap, a posting, an import's company. False, with the reason on standard
// error, when the folder cannot be entered or is left unfinished.
bool EnterFolder(engine::Engine& engine, const std::string& dir, int waitSeconds = 10);

// Enters the data folder as EnterFolder does (waiting as --wait says) and answers the company's
// code: --company, else the company in "LastCo.Dat". Nothing, with the reason on standard error,
// when a step fails.
std::optional<std::string> EnterCompany(engine::Engine& engine, const CompanyOptions& options);

// The company `code` as the company file holds it, read without changing anything; nothing when
// the file cannot be read or holds no such company.
std::optional<records::CompanyRecord> ReadCompanyOnFile(engine::Engine& engine,
                                                        base::PromptService& prompts,
                                                        const std::string& code);

// The clock of --today, or the system's.
class CommandClock {
public:
    explicit CommandClock(const std::optional<base::Date>& today)
        : fixed_({today.value_or(base::Date{}), 0, 0, 0}), useFixed_(today.has_value()) {}
    const base::Clock& clock() const {
        return useFixed_ ? static_cast<const base::Clock&>(fixed_) : base::SystemClock();
    }

private:
    base::FixedClock fixed_;
    bool useFixed_;
};

}  // namespace tool

#include "tool/CompanyOptions.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "base/Text.h"
#include "company/CompanyFile.h"
#include "company/ImportInProgress.h"
#include "company/LastCompany.h"
#include "company/PostingRecovery.h"
#include "company/RestoreSwap.h"
#include "tool/ConsolePrompts.h"

namespace tool {

namespace {

constexpr int kPageBuffers = 30;

bool Names(std::initializer_list<std::string_view> names, std::string_view word) {
    return std::find(names.begin(), names.end(), word) != names.end();
}

}  // namespace

std::optional<base::Date> ParseCommandDate(std::string date) {
    std::replace(date.begin(), date.end(), '-', '/');
    return base::ParseDate(date, base::DateOrder::YearFirst);
}

std::optional<CompanyOptions> ParseCompanyOptions(const Args& args,
                                                  std::initializer_list<std::string_view> flags,
                                                  std::initializer_list<std::string_view> valued) {
    CompanyOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool hasValue = i + 1 < args.size();
        if (word == "--company" && hasValue) {
            options.company = base::Trim(args[++i]);
        } else if (word == "--today" && hasValue) {
            options.today = ParseCommandDate(args[++i]);
            if (!options.today) return std::nullopt;
        } else if (word == "--wait" && hasValue) {
            const std::string& seconds = args[++i];
            if (seconds.empty() || seconds.size() > 5 ||
                seconds.find_first_not_of("0123456789") != std::string::npos)
                return std::nullopt;
            options.waitSeconds = std::stoi(seconds);
        } else if (word == "--answer" && hasValue) {
            const std::string& answer = args[++i];
            if (answer != "yes" && answer != "no") return std::nullopt;
            options.answerYes = answer == "yes";
        } else if (Names(flags, word)) {
            options.flags.insert(word);
        } else if (Names(valued, word) && hasValue) {
            options.values[word] = args[++i];
        } else if (word.starts_with("--")) {
            return std::nullopt;
        } else {
            options.words.push_back(word);
        }
    }
    if (options.words.empty()) return std::nullopt;
    return options;
}

bool EnterFolder(engine::Engine& engine, const std::string& dir, int waitSeconds) {
    if (chdir(dir.c_str()) != 0) {
        std::fprintf(stderr, "cannot open the data folder %s\n", dir.c_str());
        return false;
    }
    engine.SetSharingWait({std::chrono::seconds(waitSeconds), false});
    engine.InitEngine(0, kPageBuffers);
    // What a restore, a posting or an import cut short left is put right before any file opens.
    ConsolePrompts prompts;
    const company::SwapRecovery restore =
        company::FinishInterruptedRestore(engine.fileSystem(), ".", prompts);
    if (restore == company::SwapRecovery::Busy || restore == company::SwapRecovery::Failed ||
        company::RecoverInterruptedPosting(engine, prompts) == company::RecoveryOutcome::Failed)
        return false;
    return company::RemoveInterruptedImport(engine, prompts) != company::ImportRecovery::Failed;
}

std::optional<std::string> EnterCompany(engine::Engine& engine, const CompanyOptions& options) {
    if (!EnterFolder(engine, options.dir(), options.waitSeconds)) return std::nullopt;
    if (options.company) return *options.company;
    records::CompanyRecord last;
    if (!company::ReadLastCompany(engine.fileSystem(), last)) {
        std::fprintf(stderr, "no company given and %s cannot be read\n", company::kLastCompanyFile);
        return std::nullopt;
    }
    return last.code();
}

std::optional<records::CompanyRecord> ReadCompanyOnFile(engine::Engine& engine,
                                                        base::PromptService& prompts,
                                                        const std::string& code) {
    company::CompanyFile file(engine, prompts);
    if (!file.file().OpenReadOnly()) return std::nullopt;
    auto found = file.Find(code);
    if (!file.Close() || !found) return std::nullopt;
    return found->second;
}

}  // namespace tool

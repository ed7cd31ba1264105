#include "company/ImportInProgress.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "base/Text.h"
#include "company/CompanyFile.h"
#include "company/CompanyFileSet.h"
#include "company/SmallFile.h"
#include "engine/BlockFile.h"

namespace company {
namespace {

// The company's record, when the import had added it. False when the company file could not be
// read or written.
bool RemoveRecord(engine::Engine& engine, base::PromptService& prompts, const std::string& code) {
    CompanyFile companies(engine, prompts);
    if (!companies.Open()) return false;
    const auto stored = companies.Find(code);
    const bool removed = !stored || companies.Delete(stored->first, stored->second);
    return companies.Close() && removed;
}

void Tell(base::PromptService& prompts, const std::string& text, base::PromptIcon icon) {
    prompts.Message(engine::kProgramCaption, text, icon, base::PromptButtons::Ok);
}

}  // namespace

bool MarkImportStarted(engine::FileSystem& files, const std::string& code) {
    return ReplaceSmallFile(files, kImportMarkerFile, code, SmallFileAccess::Everyone);
}

void MarkImportFinished(engine::FileSystem& files) {
    (void)files.Remove(kImportMarkerFile);
}

ImportRecovery RemoveInterruptedImport(engine::Engine& engine, base::PromptService& prompts) {
    engine::FileSystem& files = engine.fileSystem();
    if (!files.Exists(kImportMarkerFile)) return ImportRecovery::NothingLeft;
    const std::optional<std::string> marked = ReadSmallFile(files, kImportMarkerFile);
    const std::string code = marked ? base::Trim(*marked) : std::string();
    std::error_code linksLeft;
    std::filesystem::remove_all(kImportLinksFolder, linksLeft);
    if (code.empty() || !RemoveRecord(engine, prompts, code) || !DeleteCompanyFiles(code, files) ||
        linksLeft || files.Remove(kImportMarkerFile) != engine::kPlatformOk) {
        Tell(prompts,
             "An import of version 1 files was cut short, and what it had written of company " +
                 (code.empty() ? std::string("?") : code) +
                 " could not be removed. Do not use that company until it is.",
             base::PromptIcon::Error);
        return ImportRecovery::Failed;
    }
    Tell(prompts,
         "An import of version 1 files was cut short while it imported company " + code +
             ". What it had written of that company has been removed; import again to bring it "
             "in.",
         base::PromptIcon::Information);
    return ImportRecovery::Removed;
}

}  // namespace company

#include "company/ImportInProgress.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "base/Text.h"
#include "company/CompanyFile.h"
#include "company/CompanyFileSet.h"
#include "engine/BlockFile.h"

namespace company {
namespace {

// Ends the company code in the marker, so that a marker cut short is never read as a shorter code.
constexpr char kMarkEnd[] = "\n";

std::optional<std::string> ReadWhole(engine::File& file) {
    int64_t size = 0;
    if (file.Size(size) != engine::kPlatformOk || size < 0) return std::nullopt;
    std::string text(static_cast<size_t>(size), '\0');
    int64_t got = 0;
    if (file.Read(0, text.data(), size, got) != engine::kPlatformOk || got != size)
        return std::nullopt;
    return text;
}

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

ImportMark::~ImportMark() {
    if (held_) (void)held_->Close();
}

bool ImportMark::Start(const std::string& code) {
    const std::string text = code + kMarkEnd;
    int64_t written = 0;
    if (files_.Open(kImportMarkerFile, engine::OpenMode::CreateAlways, held_) ==
            engine::kPlatformOk &&
        held_->Write(0, text.data(), static_cast<int64_t>(text.size()), written) ==
            engine::kPlatformOk &&
        written == static_cast<int64_t>(text.size()) && held_->Flush() == engine::kPlatformOk)
        return true;
    Finish();
    return false;
}

void ImportMark::Finish() {
    if (held_) (void)held_->Close();
    held_.reset();
    (void)files_.Remove(kImportMarkerFile);
}

ImportRecovery RemoveInterruptedImport(engine::Engine& engine, base::PromptService& prompts) {
    engine::FileSystem& files = engine.fileSystem();
    if (!files.Exists(kImportMarkerFile)) return ImportRecovery::NothingLeft;
    std::unique_ptr<engine::File> held;
    const int opened = files.Open(kImportMarkerFile, engine::OpenMode::ReadOnly, held);
    if (opened == engine::kPlatformSharingViolation) return ImportRecovery::Busy;
    const std::optional<std::string> marked =
        opened == engine::kPlatformOk ? ReadWhole(*held) : std::nullopt;
    // A marker cut short while it was written came before the company's first file.
    if (marked && !marked->ends_with(kMarkEnd)) {
        (void)held->Close();
        (void)files.Remove(kImportMarkerFile);
        return ImportRecovery::NothingLeft;
    }
    const std::string code = marked ? base::Trim(*marked) : std::string();
    std::error_code linksLeft;
    std::filesystem::remove_all(kImportLinksFolder, linksLeft);
    const bool removed =
        !code.empty() && RemoveRecord(engine, prompts, code) && DeleteCompanyFiles(code, files);
    if (held) (void)held->Close();
    if (!removed || linksLeft || files.Remove(kImportMarkerFile) != engine::kPlatformOk) {
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

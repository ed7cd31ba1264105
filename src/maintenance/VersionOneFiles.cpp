#include "maintenance/VersionOneFiles.h"

#include <system_error>
#include <vector>

#include "maintenance/BackupMask.h"

namespace maintenance {

namespace fs = std::filesystem;

std::optional<fs::path> FindInAnyCase(const fs::path& folder, std::string_view name) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (UpperAscii(entry.path().filename().string()) == UpperAscii(name)) return entry.path();
    return std::nullopt;
}

VersionOneBlock::VersionOneBlock(engine::Engine& engine, const fs::path& oldFolder,
                                 std::string_view blockName)
    : engine_(engine),
      oldFolder_(oldFolder),
      blockName_(blockName),
      links_(fs::path(company::kImportLinksFolder) / blockName) {}

VersionOneBlock::~VersionOneBlock() {
    if (handle_) engine_.CloseFileBlock(handle_);
    std::error_code ignored;
    fs::remove_all(links_, ignored);
}

bool VersionOneBlock::Open() {
    const auto data = FindInAnyCase(oldFolder_, blockName_ + ".DAT");
    const auto index = FindInAnyCase(oldFolder_, blockName_ + ".IX");
    if (!data) return false;
    std::error_code error;
    fs::remove_all(links_, error);
    fs::create_directories(links_, error);
    fs::create_symlink(fs::absolute(*data), links_ / "V1.DAT", error);
    if (index && !error) fs::create_symlink(fs::absolute(*index), links_ / "V1.IX", error);
    if (error) return false;
    engine_.OpenFileBlock(handle_, (links_ / "V1").string(), {.readOnly = true});
    if (!engine_.ok()) handle_ = nullptr;
    return handle_ != nullptr;
}

int32_t VersionOneBlock::Count() {
    return handle_ ? engine_.UsedRecords(handle_) : 0;
}

bool VersionOneBlock::ForEach(const std::function<bool(std::span<const std::byte>)>& visit) {
    std::vector<std::byte> record(static_cast<size_t>(engine_.RecordLength(handle_)));
    for (int32_t recordNumber = 0;;) {
        engine_.NextUsedRecord(handle_, recordNumber);
        if (engine_.errorClass() == engine::ErrorClass::Expected) return true;
        if (!engine_.ok()) return false;
        engine_.GetRecord(handle_, recordNumber, record);
        if (!engine_.ok()) return false;
        if (!visit(record)) return true;
    }
}

}  // namespace maintenance

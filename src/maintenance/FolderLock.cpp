#include "maintenance/FolderLock.h"

namespace maintenance {

const char kFilesInUseText[] =
    "The data files are in use. Close the program on every computer and try again.";

bool FolderLock::Take(const std::filesystem::path& folder, const std::vector<std::string>& names) {
    Release();
    for (const std::string& name : names) {
        std::unique_ptr<engine::File> file;
        if (files_.Open((folder / name).string(), engine::OpenMode::ReadOnly, file) !=
            engine::kPlatformOk) {
            Release();
            return false;
        }
        held_.push_back(std::move(file));
    }
    return true;
}

void FolderLock::Release() {
    for (auto& file : held_) (void)file->Close();
    held_.clear();
}

}  // namespace maintenance

#include "maintenance/BackupMask.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

namespace maintenance {
namespace {

constexpr std::array<std::string_view, 7> kExtensions = {".DAT", ".IX",  ".SAV", ".LST",
                                                         ".LBL", ".RTF", ".BMP"};

}  // namespace

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

bool InBackupMask(std::string_view name) {
    const std::string upper = UpperAscii(name);
    return std::any_of(kExtensions.begin(), kExtensions.end(), [&](std::string_view extension) {
        return upper.size() > extension.size() && upper.ends_with(extension);
    });
}

std::vector<std::string> BackupFileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && !entry.is_symlink(error) && InBackupMask(name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace maintenance

#include "engine/FileNames.h"

#include <algorithm>

namespace engine {
namespace {

constexpr std::size_t kMaxFileNameLength = 64;

}  // namespace

std::string WithExtension(std::string_view name, std::string_view extension) {
    const std::size_t folderEnd = name.find_last_of("\\/");
    const std::size_t baseStart = folderEnd == std::string_view::npos ? 0 : folderEnd + 1;
    std::string_view base = name.substr(baseStart);
    if (const std::size_t dot = base.rfind('.'); dot != std::string_view::npos)
        base = base.substr(0, dot);
    const std::size_t suffixLength = extension.size() + 1;
    if (base.size() + suffixLength > kMaxFileNameLength)
        base = base.substr(
            0, kMaxFileNameLength > suffixLength ? kMaxFileNameLength - suffixLength : 0);
    std::string result(name.substr(0, baseStart));
    result.append(base).append(".").append(extension);
    return result;
}

BlockFileNames FileNamesOf(std::string_view blockName) {
    std::string compact(blockName);
    compact.erase(std::remove(compact.begin(), compact.end(), ' '), compact.end());
    std::string dataPart = compact;
    std::string indexPart = compact;
    if (const std::size_t semicolon = compact.find(';'); semicolon != std::string::npos) {
        dataPart = compact.substr(0, semicolon);
        indexPart = compact.substr(semicolon + 1);
    }
    return BlockFileNames{WithExtension(dataPart, "DAT"), WithExtension(indexPart, "IX"),
                          WithExtension(dataPart, "DIA"), WithExtension(dataPart, "SAV"),
                          WithExtension(dataPart, "MSG")};
}

}  // namespace engine

#include "tool/FileBlockNames.h"

#include <algorithm>

namespace tool {
namespace {

constexpr size_t kMaxFileName = 64;

std::string WithExtension(std::string part, std::string_view extension) {
    const size_t dot = part.rfind('.');
    const size_t folder = part.find_last_of("\\/");
    if (dot != std::string::npos && (folder == std::string::npos || folder < dot)) part.erase(dot);
    part += '.';
    part += extension;
    if (part.size() > kMaxFileName) part.resize(kMaxFileName);
    return part;
}

std::string FilePart(std::string_view blockName, bool indexPart) {
    std::string name(blockName);
    name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    const size_t separator = name.find(';');
    if (separator == std::string::npos) return name;
    return indexPart ? name.substr(separator + 1) : name.substr(0, separator);
}

}  // namespace

std::string DataFileName(std::string_view blockName) {
    return WithExtension(FilePart(blockName, false), "DAT");
}

std::string IndexFileName(std::string_view blockName) {
    return WithExtension(FilePart(blockName, true), "IX");
}

}  // namespace tool

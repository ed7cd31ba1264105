#include "tool/SafeFileName.h"

namespace tool {

std::string FileNamePart(const std::string& text) {
    std::string safe = text;
    for (char& c : safe) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!kept) c = '_';
    }
    return safe;
}

}  // namespace tool

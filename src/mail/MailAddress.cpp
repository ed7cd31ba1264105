#include "mail/MailAddress.h"

namespace mail {

namespace {

bool IsRefusedByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte >= 0x7F || c == '<' || c == '>' || c == ',' || c == ';';
}

}  // namespace

bool IsValidMailAddress(std::string_view address) {
    const size_t at = address.find('@');
    if (at == std::string_view::npos || at == 0 || at + 1 == address.size()) return false;
    if (address.find('@', at + 1) != std::string_view::npos) return false;
    for (char c : address) {
        if (IsRefusedByte(c)) return false;
    }
    return true;
}

}  // namespace mail

#include "mail/MailHost.h"

#include <algorithm>
#include <cctype>

#include "base/Text.h"

namespace mail {

namespace {

constexpr int kSmtpsPort = 465;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

bool IsNameByte(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
}

bool IsIpv6Byte(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
}

template <typename Accept>
bool AllOf(std::string_view text, Accept accept) {
    for (char c : text) {
        if (!accept(c)) return false;
    }
    return !text.empty();
}

std::optional<int> ParsePort(std::string_view digits) {
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    int port = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    return port;
}

}  // namespace

std::string MailHost::Url() const {
    return std::string(implicitTls ? "smtps://" : "smtp://") + host + ":" + std::to_string(port);
}

std::optional<MailHost> ParseMailHost(std::string_view setting) {
    const std::string trimmed = base::Trim(setting);
    std::string_view rest = trimmed;
    MailHost result;
    if (StartsWithNoCase(rest, "smtps://")) {
        result.implicitTls = true;
        result.port = kSmtpsPort;
        rest.remove_prefix(8);
    } else if (StartsWithNoCase(rest, "smtp://")) {
        rest.remove_prefix(7);
    } else if (rest.find("://") != std::string_view::npos) {
        return std::nullopt;
    }
    if (rest.ends_with('/')) rest.remove_suffix(1);

    // What follows the host: nothing or ":port".
    std::string_view afterHost;
    if (rest.starts_with('[')) {
        const size_t close = rest.find(']');
        if (close == std::string_view::npos || !AllOf(rest.substr(1, close - 1), IsIpv6Byte)) {
            return std::nullopt;
        }
        result.host = std::string(rest.substr(0, close + 1));
        afterHost = rest.substr(close + 1);
    } else {
        const size_t colon = std::min(rest.find(':'), rest.size());
        if (!AllOf(rest.substr(0, colon), IsNameByte)) return std::nullopt;
        result.host = std::string(rest.substr(0, colon));
        afterHost = rest.substr(colon);
    }
    if (!afterHost.empty()) {
        if (!afterHost.starts_with(':')) return std::nullopt;
        const std::optional<int> port = ParsePort(afterHost.substr(1));
        if (!port) return std::nullopt;
        result.port = *port;
    }
    return result;
}

}  // namespace mail

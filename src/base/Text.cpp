#include "base/Text.h"

#include <algorithm>
#include <limits>

namespace base {

std::string Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string PadRight(std::string_view text, int width, char fill) {
    std::string out(text);
    if (static_cast<int>(out.size()) < width) out.append(width - out.size(), fill);
    return out;
}

std::string PadLeft(std::string_view text, int width) {
    if (width <= 0) return {};
    std::string trimmed = Trim(text);
    if (static_cast<int>(trimmed.size()) >= width) return trimmed.substr(0, width);
    return std::string(width - trimmed.size(), ' ') + trimmed;
}

std::string CutTo(std::string_view text, int length) {
    return std::string(text.substr(0, std::max(0, std::min<int>(length, text.size()))));
}

std::string RemoveCommas(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ',') out += c;
    return out;
}

namespace {

// Reads an optional sign and a run of digits from `pos`; nothing when no digit follows or the
// value does not fit.
std::optional<long long> ReadSignedDigits(std::string_view text, std::size_t& pos) {
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    const std::size_t first = pos;
    unsigned long long value = 0;
    const unsigned long long limit =
        static_cast<unsigned long long>(std::numeric_limits<long long>::max()) + (negative ? 1 : 0);
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        const unsigned digit = text[pos] - '0';
        if (value > (limit - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    if (pos == first) return std::nullopt;
    if (negative)
        return value == limit ? std::numeric_limits<long long>::min()
                              : -static_cast<long long>(value);
    return static_cast<long long>(value);
}

}  // namespace

std::optional<long long> ParseWholeNumber(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::size_t pos = 0;
    std::optional<long long> value = ReadSignedDigits(trimmed, pos);
    if (!value || pos != trimmed.size()) return std::nullopt;
    return value;
}

long long LeadingNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    return ReadSignedDigits(text, pos).value_or(0);
}

}  // namespace base

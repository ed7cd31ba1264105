#pragma once
// Small text helpers shared by records, keys, reports and windows. They work on bytes, so they
// serve Windows-1252 record text and UTF-8 alike (every byte below 33 counts as a blank).

#include <optional>
#include <string>
#include <string_view>

namespace base {

inline bool IsBlank(char c) {
    return static_cast<unsigned char>(c) < 33;
}

// Without the blanks (bytes below 33) at either end.
std::string Trim(std::string_view text);

// Filled on the right with `fill` up to `width`; a longer text is returned whole.
std::string PadRight(std::string_view text, int width, char fill = ' ');

// Trimmed, then right-aligned in `width` blanks; a longer text is cut to its first `width` bytes.
std::string PadLeft(std::string_view text, int width);

// At most the first `length` bytes.
std::string CutTo(std::string_view text, int length);

std::string RemoveCommas(std::string_view text);

// A whole number typed by a user: blanks around it are ignored, an optional sign, then digits
// only. Nothing for any other text or for a value beyond the range of long long.
std::optional<long long> ParseWholeNumber(std::string_view text);

// The leading number of a text the way counters read it: leading blanks, an optional sign and
// the digits up to the first other character; 0 when there are no such digits.
long long LeadingNumber(std::string_view text);

}  // namespace base

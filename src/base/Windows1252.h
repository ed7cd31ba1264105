#pragma once
// Record text is single-byte Windows-1252 (the files are shared with the previous version);
// everything outside the records is UTF-8. These functions are the only crossing between the two.
//
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control
// characters of the same number, so any record byte survives a trip through UTF-8 unchanged.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

// The Unicode character of one Windows-1252 byte.
char32_t Win1252ToCodePoint(uint8_t byte);

// The Windows-1252 byte of a Unicode character; nothing when the code page cannot hold it.
std::optional<uint8_t> CodePointToWin1252(char32_t codePoint);

std::string Win1252ToUtf8(std::string_view text);

// Nothing when the text is not valid UTF-8 or holds a character Windows-1252 cannot hold, so a
// caller never stores a silently changed text.
std::optional<std::string> Utf8ToWin1252(std::string_view text);

// Upper case as keys use it: a-z and the accented small letters 0xE0-0xFE (except the division
// sign 0xF7) move to their capitals; every other byte stays.
char Win1252Upper(char c);
std::string Win1252Upper(std::string_view text);

}  // namespace base

#pragma once
// The word syntax of `kt-invorra-tool script`: blank-separated words, strings in double quotes
// (only \" and \\ escaped) or as x"HEX" raw bytes, and the quoted form in which strings print.

#include <string>
#include <string_view>
#include <vector>

namespace tool {

struct Word {
    std::string text;     // the word, or the bytes of a string after unescaping
    bool quoted = false;  // written as "..." or x"..."
};

struct SplitResult {
    std::vector<Word> words;
    std::string error;  // empty when the line was well formed
};

// Splits one script line into words. A malformed string (unterminated, unknown escape, odd or
// non-hex digits) yields an error text instead.
SplitResult SplitWords(std::string_view line);

// True for lines that run nothing: only blanks, or a '#' as the first non-blank character.
bool IsSkippedLine(std::string_view line);

// Bytes 32..126 print as they are except '"' and '\' (escaped); every other byte prints as \xhh.
std::string QuoteBytes(std::string_view bytes);

}  // namespace tool

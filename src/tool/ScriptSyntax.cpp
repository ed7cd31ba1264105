#include "tool/ScriptSyntax.h"

#include <cstdio>

namespace tool {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a "..." string whose opening quote is at line[pos]; leaves pos after the closing quote.
bool ReadQuoted(std::string_view line, size_t& pos, std::string& out, std::string& error) {
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\') {
            if (pos + 1 >= line.size() || (line[pos + 1] != '"' && line[pos + 1] != '\\')) {
                error = "only \\\" and \\\\ may follow a backslash in a string";
                return false;
            }
            c = line[++pos];
        }
        out.push_back(c);
    }
    error = "string without closing quote";
    return false;
}

// Reads x"HEX" whose 'x' is at line[pos]; leaves pos after the closing quote.
bool ReadHex(std::string_view line, size_t& pos, std::string& out, std::string& error) {
    const size_t close = line.find('"', pos + 2);
    if (close == std::string_view::npos) {
        error = "hex string without closing quote";
        return false;
    }
    const std::string_view digits = line.substr(pos + 2, close - pos - 2);
    if (digits.size() % 2 != 0) {
        error = "hex string with an odd number of digits";
        return false;
    }
    for (size_t i = 0; i < digits.size(); i += 2) {
        const int high = HexValue(digits[i]), low = HexValue(digits[i + 1]);
        if (high < 0 || low < 0) {
            error = "hex string with a character that is not a hex digit";
            return false;
        }
        out.push_back(static_cast<char>(high * 16 + low));
    }
    pos = close + 1;
    return true;
}

}  // namespace

SplitResult SplitWords(std::string_view line) {
    SplitResult result;
    size_t pos = 0;
    while (pos < line.size()) {
        if (IsBlank(line[pos])) {
            ++pos;
            continue;
        }
        Word word;
        bool ok = true;
        if (line[pos] == '"') {
            word.quoted = true;
            ok = ReadQuoted(line, pos, word.text, result.error);
        } else if (line[pos] == 'x' && pos + 1 < line.size() && line[pos + 1] == '"') {
            word.quoted = true;
            ok = ReadHex(line, pos, word.text, result.error);
        } else {
            while (pos < line.size() && !IsBlank(line[pos])) word.text.push_back(line[pos++]);
        }
        if (!ok) return result;
        if (word.quoted && pos < line.size() && !IsBlank(line[pos])) {
            result.error = "a string must be followed by a blank";
            return result;
        }
        result.words.push_back(std::move(word));
    }
    return result;
}

bool IsSkippedLine(std::string_view line) {
    for (char c : line) {
        if (IsBlank(c)) continue;
        return c == '#';
    }
    return true;
}

std::string QuoteBytes(std::string_view bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c >= 32 && c <= 126) {
            out.push_back(static_cast<char>(c));
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    out.push_back('"');
    return out;
}

}  // namespace tool

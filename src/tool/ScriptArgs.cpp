#include "tool/ScriptArgs.h"

#include <charconv>
#include <limits>

namespace tool {
namespace {

bool ParseInt(std::string_view text, int64_t low, int64_t high, int64_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty() && value >= low && value <= high;
}

}  // namespace

const Word* ArgReader::Take(const char* what) {
    if (!problem_.empty()) return nullptr;
    if (next_ >= words_.size()) {
        Fail(std::string("missing ") + what);
        return nullptr;
    }
    return &words_[next_++];
}

void ArgReader::Fail(const std::string& problem) {
    if (problem_.empty()) problem_ = problem;
}

std::string ArgReader::Name() {
    const Word* word = Take("file block name");
    if (!word) return {};
    if (word->quoted) Fail("file block name must be a bare word");
    return word->text;
}

int32_t ArgReader::Number() {
    const Word* word = Take("number");
    if (!word) return 0;
    int64_t value = 0;
    if (word->quoted || !ParseInt(word->text, std::numeric_limits<int32_t>::min(),
                                  std::numeric_limits<int32_t>::max(), value)) {
        Fail("number expected: " + QuoteBytes(word->text));
        return 0;
    }
    return static_cast<int32_t>(value);
}

std::string ArgReader::Text() {
    const Word* word = Take("quoted string");
    if (!word) return {};
    if (!word->quoted) Fail("quoted string expected: " + word->text);
    return word->text;
}

KeyDefinition ArgReader::Key(bool withOffset) {
    KeyDefinition key;
    const Word* word = Take(withOffset ? "key definition LEN:DUP@OFF" : "key definition LEN:DUP");
    if (!word) return key;
    std::string_view text = word->text;
    const size_t colon = text.find(':');
    const size_t at = withOffset ? text.find('@') : text.size();
    int64_t length = 0, duplicates = 0, offset = 0;
    const bool ok = !word->quoted && colon != std::string_view::npos &&
                    at != std::string_view::npos && colon < at &&
                    ParseInt(text.substr(0, colon), 0, 255, length) &&
                    ParseInt(text.substr(colon + 1, at - colon - 1), 0, 1, duplicates) &&
                    (!withOffset || ParseInt(text.substr(at + 1), 0, 65535, offset));
    if (!ok) {
        Fail(std::string("key definition expected as ") + (withOffset ? "LEN:DUP@OFF" : "LEN:DUP") +
             ": " + QuoteBytes(text));
        return key;
    }
    key.descriptor.length = static_cast<uint8_t>(length);
    key.descriptor.duplicates = duplicates == 1;
    key.offset = static_cast<int>(offset);
    return key;
}

bool ArgReader::Optional(const std::string& flag) {
    if (!problem_.empty() || next_ >= words_.size()) return false;
    const Word& word = words_[next_];
    if (word.quoted || word.text != flag) return false;
    ++next_;
    return true;
}

bool ArgReader::Complete() {
    if (problem_.empty() && next_ < words_.size())
        Fail("unexpected argument: " + QuoteBytes(words_[next_].text));
    return problem_.empty();
}

}  // namespace tool

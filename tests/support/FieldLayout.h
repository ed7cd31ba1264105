#pragma once
// Byte-level checks of record types.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/RecordField.h"

namespace testsupport {

// No field reaches past the record or shares a byte; the bytes no field covers are exactly the
// [begin, end) ranges of `unused`.
void ExpectFieldsTile(const std::vector<base::FieldInfo>& fields, int recordSize,
                      const std::vector<std::pair<int, int>>& unused);

template <typename Record>
std::string BytesAt(const Record& record, int offset, int n) {
    return std::string(reinterpret_cast<const char*>(record.data() + offset), n);
}

// A text as a record holds it: the length byte, then the characters.
inline std::string Prefixed(std::string_view text) {
    return static_cast<char>(text.size()) + std::string(text);
}

}  // namespace testsupport

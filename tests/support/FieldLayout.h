#pragma once
// Checks a record type's field table against its size: no field reaches past the record, no two
// fields share a byte, and the bytes no field covers are exactly the expected unused ranges. And
// small helpers for byte-level checks of records.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/RecordField.h"

namespace testsupport {

// `unused` holds [begin, end) byte ranges: the engine word, padding and reserved areas.
void ExpectFieldsTile(const std::vector<base::FieldInfo>& fields, int recordSize,
                      const std::vector<std::pair<int, int>>& unused);

// `n` bytes of a record from `offset`, for checks against hand-computed offsets.
template <typename Record>
std::string BytesAt(const Record& record, int offset, int n) {
    return std::string(reinterpret_cast<const char*>(record.data() + offset), n);
}

// A length-prefixed text as a record holds it: the length byte, then the characters.
inline std::string Prefixed(std::string_view text) {
    return static_cast<char>(text.size()) + std::string(text);
}

}  // namespace testsupport

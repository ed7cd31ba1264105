#pragma once
// Checks a record type's field table against its size: no field reaches past the record, no two
// fields share a byte, and the bytes no field covers are exactly the expected unused ranges.

#include <utility>
#include <vector>

#include "base/RecordField.h"

namespace testsupport {

// `unused` holds [begin, end) byte ranges: the engine word, padding and reserved areas.
void ExpectFieldsTile(const std::vector<base::FieldInfo>& fields, int recordSize,
                      const std::vector<std::pair<int, int>>& unused);

}  // namespace testsupport

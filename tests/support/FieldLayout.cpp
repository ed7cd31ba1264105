#include "support/FieldLayout.h"

#include <gtest/gtest.h>

#include <set>

#include "records/FontSpec.h"

namespace testsupport {
namespace {

// A text covers its length byte and characters; a font its name and its size, colour and style.
std::vector<std::pair<int, int>> Extents(const base::FieldInfo& f) {
    switch (f.kind) {
        case base::FieldKind::Font: {
            const int sizeOffset = records::FontSizeOffset(f.offset, f.size);
            return {{f.offset, f.offset + 1 + f.size}, {sizeOffset, sizeOffset + 9}};
        }
        case base::FieldKind::Flag:
            return {{f.offset, f.offset + 1}};
        default:
            return {{f.offset, f.offset + 1 + f.size}};
    }
}

}  // namespace

void ExpectFieldsTile(const std::vector<base::FieldInfo>& fields, int recordSize,
                      const std::vector<std::pair<int, int>>& unused) {
    std::vector<int> owner(recordSize, -1);
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        for (const auto& [begin, end] : Extents(fields[i])) {
            ASSERT_LE(end, recordSize) << fields[i].name;
            for (int b = begin; b < end; ++b) {
                ASSERT_EQ(owner[b], -1) << fields[i].name << " overlaps " << fields[owner[b]].name;
                owner[b] = i;
            }
        }
    }
    std::set<int> expectedUnused;
    for (const auto& [begin, end] : unused)
        for (int b = begin; b < end; ++b) expectedUnused.insert(b);
    for (int b = 0; b < recordSize; ++b)
        EXPECT_EQ(owner[b] == -1, expectedUnused.count(b) == 1) << "byte " << b;
}

}  // namespace testsupport

#pragma once
// Offsets and constants of the data and index file layouts, as the checker reads them.
//
// Data file: slots of record-length bytes; slot 0 starts with this header.
//   OFFSET SIZE FIELD
//   0      4    first free slot, -1 when none
//   4      4    free slot count
//   8      4    record count (highest slot ever allocated)
//   12     4    record length
//   16     4    key count (low byte only)
//   20     1    in-use flag
// A record slot starts with its 4-byte deletion mark: 0 live, else the next free slot or -1.
//
// Index file: rows of one page slot per key; row 0 holds a 28-byte header per key:
//   0 first free page, 4 free page count, 8 page count, 12 page size, 16 root,
//   20 duplicates flag, 21 reserved, 22 entry count, 26 capacity (u16, 0 means 62).
// A page: item count (u16), leftmost child (i32), then items of record number (i32),
// right child (i32), key length byte and the key's bytes, key length + 9 bytes each.

#include <cstdint>

namespace tool::format {

constexpr int kDataHeaderSize = 21;
constexpr int kFirstFreeOffset = 0;
constexpr int kFreeCountOffset = 4;
constexpr int kRecordCountOffset = 8;
constexpr int kRecordLengthOffset = 12;
constexpr int kKeyCountOffset = 16;
constexpr int kInUseOffset = 20;
constexpr int kMaxKeys = 100;

constexpr int kKeyHeaderSize = 28;
constexpr int kKeyFirstFreeOffset = 0;
constexpr int kKeyFreeCountOffset = 4;
constexpr int kKeyPageCountOffset = 8;
constexpr int kKeyPageSizeOffset = 12;
constexpr int kKeyRootOffset = 16;
constexpr int kKeyDuplicatesOffset = 20;
constexpr int kKeyEntryCountOffset = 22;
constexpr int kKeyCapacityOffset = 26;
constexpr int kDefaultCapacity = 62;
constexpr int kMaxKeyLength = 30;
constexpr int kPageHeaderSize = 6;
constexpr int kItemOverhead = 9;  // record number, right child, key length byte
constexpr int kMaxTreeDepth = 8;

inline int32_t ReadInt32(const uint8_t* p) {
    uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                 static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    return static_cast<int32_t>(v);
}

inline uint16_t ReadUInt16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

}  // namespace tool::format

#pragma once
// The on-disk layout of a file block, in one place: every offset and size the engine, the
// rebuild and the tool's checker read or write. Integers are little-endian. docs/FORMAT.md
// describes the same layout in prose.
//
// Data file NAME.DAT: slots of record-length bytes; slot n starts at n x record length.
// Slot 0 starts with the data header:
//   OFFSET SIZE FIELD
//   0      4    first free slot (i32), -1 when none
//   4      4    free slot count (i32)
//   8      4    record count (i32), highest slot ever allocated
//   12     4    record length (i32), at least 21
//   16     4    key count, 0..100 (only the low byte is read)
//   20     1    in-use flag: 0 closed, 1 changed since the open, 2 output of an unfinished rebuild
// A record slot starts with its 4-byte deletion mark: 0 live, else the next free slot or -1.
//
// Index file NAME.IX: rows of one page slot per key; row 0 holds a key header per key:
//   OFFSET SIZE FIELD
//   0      4    first free page (i32), -1 when none
//   4      4    free page count (i32)
//   8      4    page count (i32)
//   12     4    page size (i32): 6 + capacity x (key length + 9)
//   16     4    root page (i32), 0 when the tree is empty
//   20     1    duplicates allowed: 0 or 1
//   21     1    reserved, written as 0
//   22     4    entry count (i32)
//   26     2    capacity (u16), items per page; 0 means 62
// Page:
//   OFFSET SIZE FIELD
//   0      2    item count (u16)
//   2      4    leftmost child page (i32), 0 in a leaf
//   6      ...  items of key length + 9 bytes each
// Item:
//   OFFSET SIZE FIELD
//   0      4    record number (i32)
//   4      4    right child page (i32), 0 in a leaf
//   8      1    key length
//   9      ...  key bytes, zero-padded to the index's key length

#include <cstdint>

namespace engine {

// ---- limits ------------------------------------------------------------------------------------
constexpr int kMaxKeys = 100;
constexpr int kMaxKeyLength = 30;
constexpr int kMinRecordLength = 21;
constexpr int kMaxTreeDepth = 8;

// ---- data header
// ---------------------------------------------------------------------------------
constexpr int kDataHeaderSize = 21;
constexpr int kFirstFreeOffset = 0;
constexpr int kFreeCountOffset = 4;
constexpr int kRecordCountOffset = 8;
constexpr int kRecordLengthOffset = 12;
constexpr int kKeyCountOffset = 16;
constexpr int kInUseOffset = 20;
constexpr uint8_t kInUseByChange = 1;   // set by the first change after an open
constexpr uint8_t kInUseByRebuild = 2;  // set on a rebuild's output until its index is complete

// ---- record slot
// ---------------------------------------------------------------------------------
constexpr int kDeletionMarkSize = 4;

// ---- key header (row 0 of the index file)
// ----------------------------------------------------------
constexpr int kKeyHeaderSize = 28;
constexpr int kKeyFirstFreeOffset = 0;
constexpr int kKeyFreeCountOffset = 4;
constexpr int kKeyPageCountOffset = 8;
constexpr int kKeyPageSizeOffset = 12;
constexpr int kKeyRootOffset = 16;
constexpr int kKeyDuplicatesOffset = 20;
constexpr int kKeyReservedOffset = 21;
constexpr int kKeyEntryCountOffset = 22;
constexpr int kKeyCapacityOffset = 26;

// ---- page and item -----------------------------------------------------------------------------
constexpr int kPageCapacity = 62;  // items per page in every file the engine creates
constexpr int kPageCountOffset = 0;
constexpr int kPageLeftOffset = 2;
constexpr int kPageFixedSize = 6;
constexpr int kItemRecordOffset = 0;
constexpr int kItemRightOffset = 4;
constexpr int kItemLengthOffset = 8;
constexpr int kItemKeyOffset = 9;
constexpr int kItemFixedSize = 9;

constexpr int PageSizeFor(int keyLength, int capacity = kPageCapacity) {
    return kPageFixedSize + capacity * (keyLength + kItemFixedSize);
}

}  // namespace engine

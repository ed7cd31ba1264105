#pragma once
// Approximate positions that map a scroll bar of 0..scale onto a data file or a tree. They are
// deliberately rough (a tree is only looked at in its root and one level below) and cheap; every
// intermediate product is computed in 64 bits.

#include <cstdint>

namespace engine {

// Position 0..scale of a record among record count + 1 slots.
int32_t RecordToPositionOf(int32_t record, int32_t recordCount, int32_t scale);
// A record number near position/scale: the middle of that position's share of the file.
int32_t PositionToRecordOf(int32_t position, int32_t recordCount, int32_t scale);

// The assumed item count of a page below the root: capacity - capacity div 4.
int AssumedItems(int capacity);

// Position 0..scale of an entry from what a search saw: root item count c0 and index r0, and
// (when the search went below the root) the child's item count c1 and index r1.
int32_t KeyToPositionOf(int c0, int r0, int c1, int r1, int e, int32_t scale);

// Which entry stands at position/scale: root slot q with remainder r; r = 0 (or a leaf root,
// where e is 0) names root item q (none when q = 0), otherwise item ChildItemOf(...) of the child
// left of position q + 1.
struct RootSlot {
    int q = 0;
    int r = 0;
};
RootSlot RootSlotOf(int c0, int e, int32_t position, int32_t scale);
int ChildItemOf(int q, int r, int c1, int e);

}  // namespace engine

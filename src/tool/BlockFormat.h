#pragma once
// The checker reads the files with code of its own, so that a fault in the engine's reading
// cannot hide itself; the layout it reads is the engine's, named once in engine/Format.h.

#include <cstdint>

#include "engine/Format.h"

namespace tool::format {

using engine::kDataHeaderSize;
using engine::kFirstFreeOffset;
using engine::kFreeCountOffset;
using engine::kInUseOffset;
using engine::kItemFixedSize;
using engine::kItemKeyOffset;
using engine::kItemLengthOffset;
using engine::kItemRecordOffset;
using engine::kItemRightOffset;
using engine::kKeyCapacityOffset;
using engine::kKeyCountOffset;
using engine::kKeyDuplicatesOffset;
using engine::kKeyEntryCountOffset;
using engine::kKeyFirstFreeOffset;
using engine::kKeyFreeCountOffset;
using engine::kKeyHeaderSize;
using engine::kKeyPageCountOffset;
using engine::kKeyPageSizeOffset;
using engine::kKeyRootOffset;
using engine::kMaxKeyLength;
using engine::kMaxKeys;
using engine::kMaxTreeDepth;
using engine::kPageCapacity;
using engine::kPageCountOffset;
using engine::kPageFixedSize;
using engine::kPageLeftOffset;
using engine::kRecordCountOffset;
using engine::kRecordLengthOffset;

inline int32_t ReadInt32(const uint8_t* p) {
    uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                 static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    return static_cast<int32_t>(v);
}

inline uint16_t ReadUInt16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

}  // namespace tool::format

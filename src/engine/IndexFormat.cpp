#include "engine/IndexFormat.h"

#include <algorithm>
#include <cstring>

#include "engine/ByteOrder.h"
#include "engine/Errors.h"

namespace engine {

void KeyHeader::Encode(uint8_t* out) const {
    StoreI32(out + kKeyFirstFreeOffset, firstFree);
    StoreI32(out + kKeyFreeCountOffset, freeCount);
    StoreI32(out + kKeyPageCountOffset, pageCount);
    StoreI32(out + kKeyPageSizeOffset, pageSize);
    StoreI32(out + kKeyRootOffset, root);
    out[kKeyDuplicatesOffset] = duplicates ? 1 : 0;
    out[kKeyReservedOffset] = 0;
    StoreI32(out + kKeyEntryCountOffset, entryCount);
    StoreU16(out + kKeyCapacityOffset, static_cast<uint16_t>(capacity));
}

KeyHeader KeyHeader::Decode(const uint8_t* in) {
    KeyHeader header;
    header.firstFree = LoadI32(in + kKeyFirstFreeOffset);
    header.freeCount = LoadI32(in + kKeyFreeCountOffset);
    header.pageCount = LoadI32(in + kKeyPageCountOffset);
    header.pageSize = LoadI32(in + kKeyPageSizeOffset);
    header.root = LoadI32(in + kKeyRootOffset);
    header.duplicates = in[kKeyDuplicatesOffset] != 0;
    header.entryCount = LoadI32(in + kKeyEntryCountOffset);
    header.capacity = LoadU16(in + kKeyCapacityOffset);
    if (header.capacity == 0) header.capacity = kPageCapacity;
    return header;
}

int32_t KeyLengthOf(const KeyHeader& header, int& keyLength) {
    if (header.capacity > kPageCapacity || header.capacity < 2) return err::kCapacityTooLarge;
    const int64_t scaled =
        (static_cast<int64_t>(header.pageSize) - kPageFixedSize) * 10000 / header.capacity - 90000;
    if (scaled % 10000 != 0) return err::kPageSizeMismatch;
    if (scaled < 10000 || scaled > 300000) return err::kKeyLengthFromHeader;
    keyLength = static_cast<int>(scaled / 10000);
    return err::kNone;
}

void Item::SetKey(std::string_view bytes) {
    length = static_cast<uint8_t>(std::min<size_t>(bytes.size(), kMaxKeyLength));
    std::memcpy(key.data(), bytes.data(), length);
}

int PackPage(const Page& page, int keyLength, uint8_t* out) {
    const int itemSize = keyLength + kItemFixedSize;
    StoreU16(out + kPageCountOffset, static_cast<uint16_t>(page.count));
    StoreI32(out + kPageLeftOffset, page.left);
    uint8_t* at = out + kPageFixedSize;
    for (int i = 1; i <= page.count; ++i, at += itemSize) {
        const Item& item = page.item(i);
        StoreI32(at + kItemRecordOffset, item.record);
        StoreI32(at + kItemRightOffset, item.right);
        at[kItemLengthOffset] = item.length;
        // A constant-length copy is a few register moves; a copy of item.length bytes is a slow
        // string instruction. Bytes beyond the key length are overwritten by the next item or
        // lie beyond the used part, which is all that reaches the file.
        std::memcpy(at + kItemKeyOffset, item.key.data(), kMaxKeyLength);
        for (int j = item.length; j < keyLength; ++j) at[kItemKeyOffset + j] = 0;
    }
    return kPageFixedSize + page.count * itemSize;
}

int32_t UnpackPage(const uint8_t* in, int keyLength, int capacity, int32_t pageCount, Page& page) {
    const int itemSize = keyLength + kItemFixedSize;
    page.count = LoadU16(in + kPageCountOffset);
    page.left = LoadI32(in + kPageLeftOffset);
    if (page.count > capacity) return err::kIndexDamaged;
    auto childInRange = [&](int32_t child) { return child >= 0 && child <= pageCount; };
    if (!childInRange(page.left)) return err::kIndexDamaged;
    const uint8_t* at = in + kPageFixedSize;
    for (int i = 1; i <= page.count; ++i, at += itemSize) {
        Item& item = page.item(i);
        item.record = LoadI32(at + kItemRecordOffset);
        item.right = LoadI32(at + kItemRightOffset);
        item.length = at[kItemLengthOffset];
        if (!childInRange(item.right) || (item.right == 0) != page.leaf() ||
            item.length > keyLength)
            return err::kIndexDamaged;
        // Bytes beyond the used length are never looked at, so a constant-length copy will do.
        std::memcpy(item.key.data(), at + kItemKeyOffset, kMaxKeyLength);
    }
    return err::kNone;
}

int CompareKeys(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    if (common > 0) {
        if (const int c = std::memcmp(a.data(), b.data(), common); c != 0) return c < 0 ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace engine

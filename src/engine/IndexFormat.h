#pragma once
// The index file's building blocks: the key header in row 0 and the B-tree page, which is held in
// memory in its widest form (30-character keys) and packed to the key's item size on disk
// (layouts in Format.h).

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/Format.h"

namespace engine {

struct KeyHeader {
    int32_t firstFree = -1;
    int32_t freeCount = 0;
    int32_t pageCount = 0;
    int32_t pageSize = 0;
    int32_t root = 0;
    bool duplicates = false;
    int32_t entryCount = 0;
    int32_t capacity = kPageCapacity;

    void Encode(uint8_t* out) const;  // kKeyHeaderSize bytes; the reserved byte is written as 0
    static KeyHeader Decode(const uint8_t* in);
};

// Derives the key length from a header's page size and capacity, with the open checks:
// capacity above 62 (or below 2, which cannot split) 10122, no whole key length 10120, a key
// length outside 1..30 10121.
int32_t KeyLengthOf(const KeyHeader& header, int& keyLength);

struct Item {
    int32_t record = 0;
    int32_t right = 0;
    uint8_t length = 0;
    std::array<uint8_t, kMaxKeyLength> key{};

    std::string_view keyView() const { return {reinterpret_cast<const char*>(key.data()), length}; }
    void SetKey(std::string_view bytes);
};

struct Page {
    int32_t count = 0;
    int32_t left = 0;
    std::array<Item, kPageCapacity> items{};

    bool leaf() const { return left == 0; }
    // Child left of 1-based position `position`: the leftmost child for 0, else item's right.
    int32_t child(int position) const { return position == 0 ? left : items[position - 1].right; }
    Item& item(int position) { return items[position - 1]; }  // 1-based, as the algorithms count
    const Item& item(int position) const { return items[position - 1]; }
};

// Buffers handed to PackPage and UnpackPage reach this many bytes beyond the page size: keys
// are copied at their widest length.
constexpr int kPageSlack = kMaxKeyLength;

// Packs the used part of a page; returns the number of bytes that matter.
int PackPage(const Page& page, int keyLength, uint8_t* out);
// Unpacks and checks a page read from disk: item count within capacity, child page numbers within
// 1..page count, all children present or all absent, key lengths within the key length. A page
// that fails any check is 10180, so a damaged file can never lead outside the buffers.
int32_t UnpackPage(const uint8_t* in, int keyLength, int capacity, int32_t pageCount, Page& page);

// Unsigned byte comparison over the shorter length; on a tie the shorter key is smaller.
int CompareKeys(std::string_view a, std::string_view b);

}  // namespace engine

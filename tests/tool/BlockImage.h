#pragma once
// Hand-made file block images for testing the checker: a data file and a one-key index file laid
// out byte by byte from their documented format, written here independently of the tool's code.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tooltest {

struct DataImage {
    int32_t recordLength = 24;
    int32_t firstFree = -1;
    int32_t freeCount = 0;
    int32_t recordCount = -1;  // the header's value; -1 stands for the number of marks
    int32_t keyCount = 1;
    uint8_t inUse = 0;
    std::vector<int32_t> marks;  // deletion mark of slot 1, 2, ...; 0 for a live record

    std::string Bytes() const;  // header slot, then one slot per mark
};

struct IndexItem {
    int32_t record = 0;
    int32_t right = 0;
    std::string key;
};

struct IndexPage {
    bool free = false;
    int32_t link = -1;  // next free page, for a free page
    int32_t leftmost = 0;
    std::vector<IndexItem> items;
};

// One key; capacity 62, so a page slot is 6 + 62 × (key length + 9) bytes.
struct IndexImage {
    int keyLength = 4;
    int32_t pageSize = 6 + 62 * (4 + 9);
    uint16_t capacity = 62;
    uint8_t duplicates = 0;
    int32_t firstFree = -1;
    int32_t freeCount = 0;
    int32_t root = 0;
    int32_t entries = 0;
    std::vector<IndexPage> pages;  // page 1, 2, ...

    std::string Bytes() const;  // header row, then one row per page
};

// A leaf of `count` items with keys "K000".. from `first`, record numbers first + 1...
IndexPage Leaf(int first, int count);
std::string KeyName(int n);  // "K007"

// A sound two-level tree of 63 entries: leaves 1 (K000..K030) and 2 (K032..K062) under root 3.
IndexImage TwoLevelTree();
DataImage LiveRecords(int count);

void WriteFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace tooltest

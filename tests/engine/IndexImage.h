#pragma once
// Reads an index file straight from its bytes, independently of the engine, and checks that each
// tree is a sound B-tree: every page reached once, leaves at one depth, items in order, page fill
// within N..C below the root, entry count as the header says, and tree pages plus free pages
// covering 1..page count exactly.

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace enginetest {

class IndexImage {
public:
    struct Header {
        int32_t firstFree = 0, freeCount = 0, pageCount = 0, pageSize = 0, root = 0;
        bool duplicates = false;
        int32_t entries = 0, capacity = 0;
        int keyLength = 0;
        int64_t offset = 0;
    };
    struct ItemView {
        int32_t record = 0;
        int32_t right = 0;
        std::string key;
    };
    struct PageView {
        int32_t left = 0;
        std::vector<ItemView> items;
    };

    IndexImage(std::vector<uint8_t> bytes, int keyCount);

    const Header& key(int k) const { return headers_[k - 1]; }
    int64_t rowSize() const { return rowSize_; }
    int64_t rowCount() const { return static_cast<int64_t>(bytes_.size()) / rowSize_ - 1; }
    PageView page(int k, int32_t p) const;
    int32_t link(int k, int32_t p) const;  // first 4 bytes of a free page slot

private:
    std::vector<uint8_t> bytes_;
    std::vector<Header> headers_;
    int64_t rowSize_ = 0;
};

// "" when the tree of key k is sound, else a description of the first fault. `entries` receives
// the (key, record) pairs in tree order.
std::string CheckTree(const IndexImage& image, int k,
                      std::vector<std::pair<std::string, int32_t>>* entries = nullptr);
std::string CheckFreeChain(const IndexImage& image, int k, std::set<int32_t>* pages = nullptr);

}  // namespace enginetest

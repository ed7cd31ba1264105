#pragma once
// One B-tree of an index file: search, ordered stepping, insertion and deletion.
//
// Entries pair a key with a record number. Without duplicates they are ordered by key alone (the
// record number never takes part in a comparison); with duplicates by (key, record number).
// A page holds at most C items (62) and, below the root, at least N = C div 2.
//
// Paths: an entry (page, i) with i >= 1 at the top of a path is the current entry, item i of that
// page. Below the top, (page, i) records that the walk went down into the child right of item i
// (the leftmost child for i = 0).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/IndexFile.h"

namespace engine {

class BTree {
public:
    BTree(IndexFile& index, int keyNumber);

    // Walks from the root towards (key, record). When found, the path ends at the entry; when not,
    // it ends at the greatest entry below the pair (empty when there is none).
    int32_t Search(std::string_view key, int32_t record, Path& path, bool& found);
    // Steps the path to the following / preceding entry; an empty path stands before the first /
    // after the last entry. Returns 10250 / 10260 when there is none.
    int32_t Next(Path& path);
    int32_t Prev(Path& path);
    // The entry at the top of a path.
    int32_t EntryAt(const Path& path, int32_t& record, std::string& key);

    int32_t Insert(std::string_view key, int32_t record);  // 10230 when present
    int32_t Remove(std::string_view key, int32_t record);  // 10220 when absent

    // What a search for (key, record) sees in the root and, unless it ends there, the page below.
    struct TwoLevels {
        int rootCount = 0;
        int rootIndex = 0;
        bool reachedChild = false;
        int childCount = 0;
        int childIndex = 0;
    };
    int32_t Probe(std::string_view key, int32_t record, TwoLevels& levels);
    int32_t FetchRoot(PageRef& root);
    int32_t FetchChild(PageRef& parent, int position, PageRef& child);

    int capacity() const { return capacity_; }
    bool empty() const { return state_.header.root == 0; }

private:
    int Compare(std::string_view key, int32_t record, const Item& item) const;
    // Binary search over a page: the number of items below the pair, and whether item r+1 equals
    // it.
    int Locate(const Page& page, std::string_view key, int32_t record, bool& found) const;

    // Joins left page, separator and right page in scratch_ (the separator's right child becomes
    // the right page's leftmost child); returns the item count.
    int Join(const Page& left, const Item& separator, const Page& right);
    // Fills `left` with the first leftCount scratch items and `right` with those after the next
    // one, which is returned as the new separator pointing at `right`.
    Item Distribute(int total, int32_t leftmost, int leftCount, PageRef& left, PageRef& right);
    void InsertIntoScratch(int total, int index, const Item& item);
    int32_t Walk(std::string_view key, int32_t record, Path& path, bool& found);
    int32_t Redistribute(Path& path, int level, PageRef& page, int position, const Item& carry,
                         bool& done);
    // The parent of the page at `level` of the path, and the sibling a full or underfull page
    // trades items with: the right one unless the page is its parent's last child.
    int32_t Neighbour(const Path& path, int level, int32_t pageNumber, PageRef& parent, bool& right,
                      int& separator, PageRef& neighbour);
    int32_t Split(PageRef& page, int position, Item& carry, PageRef& sibling);
    int32_t FixUnderflow(Path& path);
    int32_t CollapseRoot();

    IndexFile& index_;
    int keyNumber_;
    KeyState& state_;
    int capacity_;
    int minimum_;
    std::array<Item, 2 * kPageCapacity + 2>& scratch_;  // two pages, a separator, a new item
    int32_t scratchLeftmost_ = 0;
};

}  // namespace engine

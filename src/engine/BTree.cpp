#include "engine/BTree.h"

#include <algorithm>

#include "engine/Errors.h"

namespace engine {
namespace {

thread_local std::array<Item, 2 * kPageCapacity + 2> scratchItems;

void InsertItem(Page& page, int position, const Item& item) {
    std::copy_backward(page.items.begin() + position - 1, page.items.begin() + page.count,
                       page.items.begin() + page.count + 1);
    page.item(position) = item;
    ++page.count;
}

void RemoveItem(Page& page, int position) {
    std::copy(page.items.begin() + position, page.items.begin() + page.count,
              page.items.begin() + position - 1);
    --page.count;
}

}  // namespace

BTree::BTree(IndexFile& index, int keyNumber)
    : index_(index),
      keyNumber_(keyNumber),
      state_(index.key(keyNumber)),
      capacity_(state_.header.capacity),
      minimum_(state_.header.capacity / 2),
      scratch_(scratchItems) {}

int BTree::Compare(std::string_view key, int32_t record, const Item& item) const {
    const int byKey = CompareKeys(key, item.keyView());
    if (byKey != 0 || !state_.header.duplicates) return byKey;
    if (record == item.record) return 0;
    return record < item.record ? -1 : 1;
}

int BTree::Locate(const Page& page, std::string_view key, int32_t record, bool& found) const {
    int low = 1;
    int high = page.count;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int c = Compare(key, record, page.item(middle));
        if (c <= 0) high = middle - 1;
        if (c >= 0) low = middle + 1;
    }
    found = low - high > 1;
    return high;
}

int32_t BTree::FetchRoot(PageRef& root) {
    return index_.Fetch(keyNumber_, state_.header.root, root);
}

int32_t BTree::FetchChild(PageRef& parent, int position, PageRef& child) {
    return index_.Fetch(keyNumber_, parent->child(position), child);
}

int32_t BTree::Probe(std::string_view key, int32_t record, TwoLevels& levels) {
    PageRef root;
    if (const int32_t error = FetchRoot(root)) return error;
    bool found = false;
    const int below = Locate(root.page(), key, record, found);
    levels.rootCount = root->count;
    levels.rootIndex = found ? below + 1 : below;
    levels.reachedChild = !found && !root->leaf();
    if (!levels.reachedChild) return err::kNone;
    PageRef child;
    if (const int32_t error = FetchChild(root, below, child)) return error;
    const int childBelow = Locate(child.page(), key, record, found);
    levels.childCount = child->count;
    levels.childIndex = found ? childBelow + 1 : childBelow;
    return err::kNone;
}

int32_t BTree::Walk(std::string_view key, int32_t record, Path& path, bool& found) {
    path.depth = 0;
    found = false;
    for (int32_t page = state_.header.root; page != 0;) {
        PageRef ref;
        if (const int32_t error = index_.Fetch(keyNumber_, page, ref)) return error;
        const int below = Locate(ref.page(), key, record, found);
        if (found) return path.Push(page, below + 1);
        if (const int32_t error = path.Push(page, below)) return error;
        page = ref->child(below);
    }
    return err::kNone;
}

int32_t BTree::Search(std::string_view key, int32_t record, Path& path, bool& found) {
    if (const int32_t error = Walk(key, record, path, found)) return error;
    if (!found) {
        while (!path.empty() && path.top().index == 0) path.Pop();
    }
    return err::kNone;
}

int32_t BTree::Next(Path& path) {
    if (path.empty()) {
        if (empty()) return err::kNoNextKey;
        if (const int32_t error = path.Push(state_.header.root, 0)) return error;
    }
    PageRef ref;
    if (const int32_t error = index_.Fetch(keyNumber_, path.top().page, ref)) return error;
    // Right of an item in an inner page lies the leftmost leaf of its right child.
    for (int32_t child = ref->child(path.top().index); !ref->leaf(); child = ref->child(0)) {
        if (const int32_t error = index_.Fetch(keyNumber_, child, ref)) return error;
        if (const int32_t error = path.Push(child, 0)) return error;
    }
    if (path.top().index < ref->count) {
        ++path.top().index;
        return err::kNone;
    }
    // The leaf is exhausted: climb until an ancestor has an item after the way down.
    for (path.Pop(); !path.empty(); path.Pop()) {
        if (const int32_t error = index_.Fetch(keyNumber_, path.top().page, ref)) return error;
        if (path.top().index < ref->count) {
            ++path.top().index;
            return err::kNone;
        }
    }
    return err::kNoNextKey;
}

int32_t BTree::Prev(Path& path) {
    PageRef ref;
    if (path.empty()) {
        if (empty()) return err::kNoPrevKey;
        if (const int32_t error = FetchRoot(ref)) return error;
        if (const int32_t error = path.Push(state_.header.root, ref->count + 1)) return error;
    } else if (const int32_t error = index_.Fetch(keyNumber_, path.top().page, ref)) {
        return error;
    }
    // Left of an item in an inner page lies the rightmost leaf of the child before it.
    if (!ref->leaf()) {
        int32_t child = ref->child(--path.top().index);
        for (;;) {
            if (const int32_t error = index_.Fetch(keyNumber_, child, ref)) return error;
            if (const int32_t error = path.Push(child, ref->count + (ref->leaf() ? 1 : 0)))
                return error;
            if (ref->leaf()) break;
            child = ref->child(ref->count);
        }
    }
    if (path.top().index > 1) {
        --path.top().index;
        return err::kNone;
    }
    for (path.Pop(); !path.empty(); path.Pop()) {
        if (path.top().index >= 1) return err::kNone;
    }
    return err::kNoPrevKey;
}

int32_t BTree::EntryAt(const Path& path, int32_t& record, std::string& key) {
    PageRef ref;
    if (const int32_t error = index_.Fetch(keyNumber_, path.top().page, ref)) return error;
    const int position = path.top().index;
    if (position < 1 || position > ref->count) return err::kIndexDamaged;
    record = ref->item(position).record;
    key.assign(ref->item(position).keyView());
    return err::kNone;
}

void BTree::InsertIntoScratch(int total, int index, const Item& item) {
    std::copy_backward(scratch_.begin() + index, scratch_.begin() + total,
                       scratch_.begin() + total + 1);
    scratch_[index] = item;
}

int BTree::Join(const Page& left, const Item& separator, const Page& right) {
    scratchLeftmost_ = left.left;
    auto at = std::copy(left.items.begin(), left.items.begin() + left.count, scratch_.begin());
    *at = separator;
    at->right = right.left;
    at = std::copy(right.items.begin(), right.items.begin() + right.count, at + 1);
    return static_cast<int>(at - scratch_.begin());
}

Item BTree::Distribute(int total, int32_t leftmost, int leftCount, PageRef& left, PageRef& right) {
    Page& l = left.page();
    l.left = leftmost;
    l.count = leftCount;
    std::copy(scratch_.begin(), scratch_.begin() + leftCount, l.items.begin());
    Item separator = scratch_[leftCount];
    Page& r = right.page();
    r.left = separator.right;
    r.count = total - leftCount - 1;
    std::copy(scratch_.begin() + leftCount + 1, scratch_.begin() + total, r.items.begin());
    separator.right = right.number();
    left.MarkDirty();
    right.MarkDirty();
    return separator;
}

int32_t BTree::Neighbour(const Path& path, int level, int32_t pageNumber, PageRef& parent,
                         bool& right, int& separator, PageRef& neighbour) {
    if (const int32_t error = index_.Fetch(keyNumber_, path.at(level - 1).page, parent))
        return error;
    const int index = path.at(level - 1).index;
    if (parent->count < 1 || index > parent->count) return err::kIndexDamaged;
    // The right neighbour unless the page is its parent's last child.
    right = index < parent->count;
    separator = right ? index + 1 : index;
    const int32_t number = parent->child(right ? index + 1 : index - 1);
    if (number == pageNumber || number == parent.number()) return err::kIndexDamaged;
    return index_.Fetch(keyNumber_, number, neighbour);
}

int32_t BTree::Redistribute(Path& path, int level, PageRef& page, int position, const Item& carry,
                            bool& done) {
    done = false;
    PageRef parent;
    bool right = false;
    int separator = 0;
    PageRef neighbour;
    if (const int32_t error =
            Neighbour(path, level, page.number(), parent, right, separator, neighbour))
        return error;
    if (neighbour->count >= capacity_) return err::kNone;
    // n items of both pages and the new one: the full page keeps ceil(n/2), the neighbour floor.
    const int n = page->count + neighbour->count + 1;
    int total = 0;
    Item newSeparator;
    if (right) {
        total = Join(page.page(), parent->item(separator), neighbour.page());
        InsertIntoScratch(total++, position, carry);
        newSeparator = Distribute(total, scratchLeftmost_, (n + 1) / 2, page, neighbour);
    } else {
        const int before = neighbour->count + 1;
        total = Join(neighbour.page(), parent->item(separator), page.page());
        InsertIntoScratch(total++, before + position, carry);
        newSeparator = Distribute(total, scratchLeftmost_, n / 2, neighbour, page);
    }
    parent->item(separator) = newSeparator;
    parent.MarkDirty();
    done = true;
    return err::kNone;
}

int32_t BTree::Split(PageRef& page, int position, Item& carry, PageRef& sibling) {
    const int total = page->count;
    std::copy(page->items.begin(), page->items.begin() + total, scratch_.begin());
    InsertIntoScratch(total, position, carry);
    // First N items stay, item N+1 moves up, the rest go to the new page.
    carry = Distribute(total + 1, page->left, minimum_, page, sibling);
    return err::kNone;
}

int32_t BTree::Insert(std::string_view key, int32_t record) {
    Item carry;
    carry.record = record;
    carry.SetKey(key);
    if (empty()) {
        PageRef root;
        if (const int32_t error = index_.Allocate(keyNumber_, root)) return error;
        root->item(1) = carry;
        root->count = 1;
        root.MarkDirty();
        state_.header.root = root.number();
    } else {
        Path path;
        bool found = false;
        if (const int32_t error = Walk(key, record, path, found)) return error;
        if (found) return err::kDuplicateKey;
        for (int level = path.depth - 1;; --level) {
            PageRef page;
            if (const int32_t error = index_.Fetch(keyNumber_, path.at(level).page, page))
                return error;
            const int position = path.at(level).index;
            if (page->count < capacity_) {
                InsertItem(page.page(), position + 1, carry);
                page.MarkDirty();
                break;
            }
            if (level > 0) {
                bool done = false;
                if (const int32_t error = Redistribute(path, level, page, position, carry, done))
                    return error;
                if (done) break;
            }
            if (level == 0 && path.depth == kMaxTreeDepth) return err::kIndexDamaged;
            // The new sibling is allocated before the new root, as the file's history expects.
            PageRef sibling;
            if (const int32_t error = index_.Allocate(keyNumber_, sibling)) return error;
            PageRef newRoot;
            if (level == 0) {
                if (const int32_t error = index_.Allocate(keyNumber_, newRoot)) return error;
            }
            if (const int32_t error = Split(page, position, carry, sibling)) return error;
            if (level == 0) {
                newRoot->left = page.number();
                newRoot->item(1) = carry;
                newRoot->count = 1;
                newRoot.MarkDirty();
                state_.header.root = newRoot.number();
                break;
            }
        }
    }
    ++state_.header.entryCount;
    state_.modified = true;
    return err::kNone;
}

int32_t BTree::Remove(std::string_view key, int32_t record) {
    Path path;
    bool found = false;
    if (const int32_t error = Walk(key, record, path, found)) return error;
    if (!found) return err::kKeyNotFound;
    {
        PageRef page;
        if (const int32_t error = index_.Fetch(keyNumber_, path.top().page, page)) return error;
        const int position = path.top().index;
        if (page->leaf()) {
            RemoveItem(page.page(), position);
            page.MarkDirty();
        } else {
            // Replace the entry by its predecessor, the last item of the rightmost leaf on its
            // left.
            path.top().index = position - 1;
            PageRef leaf;
            for (int32_t child = page->child(position - 1);;) {
                if (const int32_t error = index_.Fetch(keyNumber_, child, leaf)) return error;
                if (const int32_t error = path.Push(child, leaf->count)) return error;
                if (leaf->leaf()) break;
                child = leaf->child(leaf->count);
            }
            if (leaf->count < 1) return err::kIndexDamaged;
            const Item& predecessor = leaf->item(leaf->count);
            Item& target = page->item(position);
            target.record = predecessor.record;
            target.length = predecessor.length;
            target.key = predecessor.key;
            --leaf->count;
            page.MarkDirty();
            leaf.MarkDirty();
        }
    }
    if (const int32_t error = FixUnderflow(path)) return error;
    if (const int32_t error = CollapseRoot()) return error;
    --state_.header.entryCount;
    state_.modified = true;
    return err::kNone;
}

int32_t BTree::FixUnderflow(Path& path) {
    for (int level = path.depth - 1; level > 0; --level) {
        int32_t freed = 0;
        {
            PageRef page;
            if (const int32_t error = index_.Fetch(keyNumber_, path.at(level).page, page))
                return error;
            if (page->count >= minimum_) return err::kNone;
            PageRef parent;
            bool right = false;
            int separator = 0;
            PageRef neighbour;
            if (const int32_t error =
                    Neighbour(path, level, page.number(), parent, right, separator, neighbour))
                return error;
            const int m = neighbour->count;
            const int k = (m - minimum_ + 1) / 2;
            PageRef& left = right ? page : neighbour;
            PageRef& rightPage = right ? neighbour : page;
            const int total = Join(left.page(), parent->item(separator), rightPage.page());
            if (k > 0) {
                // Balance: the separator comes down with k-1 items of the neighbour, whose k-th
                // item (counted from the page's side) goes up.
                const int leftCount = right ? page->count + k : m - k;
                parent->item(separator) =
                    Distribute(total, scratchLeftmost_, leftCount, left, rightPage);
                parent.MarkDirty();
                return err::kNone;
            }
            // Merge into the left page of the pair; the right one is freed.
            Page& l = left.page();
            l.left = scratchLeftmost_;
            l.count = total;
            std::copy(scratch_.begin(), scratch_.begin() + total, l.items.begin());
            left.MarkDirty();
            freed = rightPage.number();
            RemoveItem(parent.page(), separator);
            parent.MarkDirty();
        }
        if (const int32_t error = index_.Free(keyNumber_, freed)) return error;
    }
    return err::kNone;
}

int32_t BTree::CollapseRoot() {
    const int32_t old = state_.header.root;
    {
        PageRef root;
        if (const int32_t error = FetchRoot(root)) return error;
        if (root->count > 0) return err::kNone;
        state_.header.root = root->left;
    }
    state_.modified = true;
    return index_.Free(keyNumber_, old);
}

}  // namespace engine

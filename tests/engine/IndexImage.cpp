#include "IndexImage.h"

#include <functional>

namespace enginetest {
namespace {

int32_t I32(const std::vector<uint8_t>& b, int64_t at) {
    return static_cast<int32_t>(b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 |
                                static_cast<uint32_t>(b.at(at + 3)) << 24);
}

}  // namespace

IndexImage::IndexImage(std::vector<uint8_t> bytes, int keyCount) : bytes_(std::move(bytes)) {
    int64_t offset = 0;
    for (int k = 0; k < keyCount; ++k) {
        Header h;
        h.firstFree = I32(bytes_, offset);
        h.freeCount = I32(bytes_, offset + 4);
        h.pageCount = I32(bytes_, offset + 8);
        h.pageSize = I32(bytes_, offset + 12);
        h.root = I32(bytes_, offset + 16);
        h.duplicates = bytes_.at(offset + 20) != 0;
        h.entries = I32(bytes_, offset + 22);
        h.capacity = bytes_.at(offset + 26) | bytes_.at(offset + 27) << 8;
        if (h.capacity == 0) h.capacity = 62;
        h.keyLength = (h.pageSize - 6) / h.capacity - 9;
        h.offset = offset;
        offset += h.pageSize;
        headers_.push_back(h);
    }
    rowSize_ = offset;
}

IndexImage::PageView IndexImage::page(int k, int32_t p) const {
    const Header& h = key(k);
    const int64_t at = p * rowSize_ + h.offset;
    PageView view;
    const int count = bytes_.at(at) | bytes_.at(at + 1) << 8;
    view.left = I32(bytes_, at + 2);
    for (int i = 0; i < count && i < h.capacity; ++i) {
        const int64_t item = at + 6 + static_cast<int64_t>(i) * (h.keyLength + 9);
        ItemView v;
        v.record = I32(bytes_, item);
        v.right = I32(bytes_, item + 4);
        const int length = bytes_.at(item + 8);
        v.key.assign(reinterpret_cast<const char*>(&bytes_.at(item + 9)), length);
        view.items.push_back(v);
    }
    if (count > h.capacity) view.items.resize(static_cast<size_t>(count));  // flags the fault
    return view;
}

int32_t IndexImage::link(int k, int32_t p) const {
    return I32(bytes_, p * rowSize_ + key(k).offset);
}

std::string CheckFreeChain(const IndexImage& image, int k, std::set<int32_t>* pages) {
    const auto& h = image.key(k);
    std::set<int32_t> seen;
    int32_t p = h.firstFree;
    while (p != -1) {
        if (p < 1 || p > h.pageCount) return "free page out of range: " + std::to_string(p);
        if (!seen.insert(p).second) return "free chain loops at " + std::to_string(p);
        p = image.link(k, p);
    }
    if (static_cast<int32_t>(seen.size()) != h.freeCount)
        return "free count " + std::to_string(h.freeCount) + " but chain of " +
               std::to_string(seen.size());
    if (pages) *pages = seen;
    return "";
}

std::string CheckTree(const IndexImage& image, int k,
                      std::vector<std::pair<std::string, int32_t>>* entries) {
    const auto& h = image.key(k);
    std::set<int32_t> treePages;
    std::vector<std::pair<std::string, int32_t>> ordered;
    int leafDepth = -1;
    std::string fault;
    const int minimum = h.capacity / 2;
    std::function<void(int32_t, int)> walk = [&](int32_t p, int depth) {
        if (!fault.empty()) return;
        if (p < 1 || p > h.pageCount)
            fault = "page out of range: " + std::to_string(p);
        else if (depth > 8)
            fault = "deeper than 8 levels";
        else if (!treePages.insert(p).second)
            fault = "page reached twice: " + std::to_string(p);
        if (!fault.empty()) return;
        const auto page = image.page(k, p);
        const int count = static_cast<int>(page.items.size());
        if (count > h.capacity)
            fault = "page over capacity: " + std::to_string(p);
        else if (count == 0)
            fault = "empty page: " + std::to_string(p);
        else if (p != h.root && count < minimum)
            fault = "page under N items: " + std::to_string(p);
        if (!fault.empty()) return;
        if (page.left == 0) {
            if (leafDepth == -1) leafDepth = depth;
            if (leafDepth != depth) fault = "leaves at different depths";
            for (const auto& item : page.items) ordered.emplace_back(item.key, item.record);
            return;
        }
        walk(page.left, depth + 1);
        for (const auto& item : page.items) {
            ordered.emplace_back(item.key, item.record);
            walk(item.right, depth + 1);
        }
    };
    if (h.root != 0) walk(h.root, 1);
    if (!fault.empty()) return fault;
    for (size_t i = 1; i < ordered.size(); ++i) {
        const auto& a = ordered[i - 1];
        const auto& b = ordered[i];
        const bool increasing = h.duplicates ? a < b : a.first < b.first;
        if (!increasing) return "out of order at " + b.first;
    }
    if (static_cast<int32_t>(ordered.size()) != h.entries)
        return "header counts " + std::to_string(h.entries) + " entries, tree holds " +
               std::to_string(ordered.size());
    std::set<int32_t> freePages;
    if (fault = CheckFreeChain(image, k, &freePages); !fault.empty()) return fault;
    for (int32_t p : freePages) {
        if (treePages.count(p)) return "page both free and in the tree: " + std::to_string(p);
    }
    if (static_cast<int32_t>(treePages.size() + freePages.size()) != h.pageCount)
        return "pages lost: neither in the tree nor free";
    if (entries) *entries = std::move(ordered);
    return "";
}

}  // namespace enginetest

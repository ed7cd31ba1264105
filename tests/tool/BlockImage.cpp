#include "tool/BlockImage.h"

#include <cstdio>
#include <fstream>

namespace tooltest {
namespace {

void PutInt(std::string& bytes, size_t offset, int64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[offset + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xff);
}

}  // namespace

std::string DataImage::Bytes() const {
    std::string bytes(static_cast<size_t>(recordLength) * (marks.size() + 1), '\0');
    PutInt(bytes, 0, firstFree, 4);
    PutInt(bytes, 4, freeCount, 4);
    PutInt(bytes, 8, recordCount >= 0 ? recordCount : static_cast<int64_t>(marks.size()), 4);
    PutInt(bytes, 12, recordLength, 4);
    PutInt(bytes, 16, keyCount, 4);
    bytes[20] = static_cast<char>(inUse);
    for (size_t slot = 1; slot <= marks.size(); ++slot) {
        const size_t at = slot * static_cast<size_t>(recordLength);
        PutInt(bytes, at, marks[slot - 1], 4);
        bytes.replace(at + 4, 4, "R" + KeyName(static_cast<int>(slot)).substr(1));
    }
    return bytes;
}

std::string IndexImage::Bytes() const {
    const size_t row = static_cast<size_t>(pageSize);
    std::string bytes(row * (pages.size() + 1), '\0');
    PutInt(bytes, 0, firstFree, 4);
    PutInt(bytes, 4, freeCount, 4);
    PutInt(bytes, 8, static_cast<int64_t>(pages.size()), 4);
    PutInt(bytes, 12, pageSize, 4);
    PutInt(bytes, 16, root, 4);
    bytes[20] = static_cast<char>(duplicates);
    PutInt(bytes, 22, entries, 4);
    PutInt(bytes, 26, capacity, 2);
    for (size_t p = 1; p <= pages.size(); ++p) {
        const IndexPage& page = pages[p - 1];
        size_t at = p * row;
        if (page.free) {
            PutInt(bytes, at, page.link, 4);
            continue;
        }
        PutInt(bytes, at, static_cast<int64_t>(page.items.size()), 2);
        PutInt(bytes, at + 2, page.leftmost, 4);
        at += 6;
        for (const IndexItem& item : page.items) {
            PutInt(bytes, at, item.record, 4);
            PutInt(bytes, at + 4, item.right, 4);
            bytes[at + 8] = static_cast<char>(item.key.size());
            bytes.replace(at + 9, item.key.size(), item.key);
            at += static_cast<size_t>(keyLength) + 9;
        }
    }
    return bytes;
}

std::string KeyName(int n) {
    char name[8];
    std::snprintf(name, sizeof name, "K%03d", n);
    return name;
}

IndexPage Leaf(int first, int count) {
    IndexPage page;
    for (int n = first; n < first + count; ++n) page.items.push_back({n + 1, 0, KeyName(n)});
    return page;
}

IndexImage TwoLevelTree() {
    IndexImage image;
    IndexPage root;
    root.leftmost = 1;
    root.items.push_back({32, 2, KeyName(31)});
    image.pages = {Leaf(0, 31), Leaf(32, 31), root};
    image.root = 3;
    image.entries = 63;
    return image;
}

DataImage LiveRecords(int count) {
    DataImage image;
    image.marks.assign(static_cast<size_t>(count), 0);
    return image;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace tooltest

#pragma once
// The index file of a file block: a sequence of page rows, each row one page slot per key in key
// number order; row 0 holds the 28-byte key headers. Page p of key k lies at
// p × row size + (sum of the page sizes of keys 1..k-1). Rows are appended whole and zero-filled.
//
// Pages are reached through the shared page pool. Every page number taken from the file (root,
// child, free chain) is checked against 1..page count before it is used.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Engine.h"
#include "engine/FileSystem.h"
#include "engine/IndexFormat.h"
#include "engine/PagePool.h"

namespace engine {

struct PathEntry {
    int32_t page = 0;
    int index = 0;  // item reached in that page; 0 means before the first item
};

// A root-to-entry path, at most kMaxTreeDepth levels deep.
struct Path {
    std::array<PathEntry, kMaxTreeDepth> entries{};
    int depth = 0;

    PathEntry& top() { return entries[depth - 1]; }
    const PathEntry& top() const { return entries[depth - 1]; }
    PathEntry& at(int level) { return entries[level]; }
    const PathEntry& at(int level) const { return entries[level]; }
    bool empty() const { return depth == 0; }
    // A path that would grow beyond 8 levels means a damaged tree (or a loop in it).
    int32_t Push(int32_t page, int index);
    void Pop() { --depth; }
};

enum class CursorState { Empty, Valid, Invalid };

struct Cursor {
    CursorState state = CursorState::Empty;
    Path path;
};

struct KeyState {
    KeyHeader header;
    int keyLength = 0;
    int64_t rowOffset = 0;  // where this key's page slot starts within a row
    bool modified = false;
    Cursor cursor;
};

class IndexFile final : public PageStore {
public:
    // Lays out row 0 of a new index file: zeros with the header of each key at its offset.
    static int32_t Create(File& file, int keyCount, const KeyDescriptor* descriptors);
    // Reads and checks every key header; on failure `file` is closed.
    static int32_t Open(std::unique_ptr<File> file, int keyCount, PagePool& pool,
                        std::unique_ptr<IndexFile>& index);

    ~IndexFile() override;

    int keyCount() const { return static_cast<int>(keys_.size()); }
    KeyState& key(int keyNumber) { return keys_[keyNumber - 1]; }
    PagePool& pool() { return *pool_; }

    // Page `page` of a key through the pool; a number outside 1..page count is 10180.
    int32_t Fetch(int keyNumber, int32_t page, PageRef& ref);
    // Takes a page from the key's free chain, or a new page number (appending a row when needed),
    // and hands it out as an empty dirty buffer.
    int32_t Allocate(int keyNumber, PageRef& ref);
    // Puts a page at the head of the key's free chain. Its buffer is dropped first, so a stale
    // copy can never be written over the chain link later. A link that cannot be written leaves
    // the page off the chain (unused until a rebuild) and still succeeds: the tree has already
    // let go of the page.
    int32_t Free(int keyNumber, int32_t page);

    // Writes dirty pages, then changed key headers, then pushes the file to disk.
    int32_t WriteBack();
    int32_t Close();

    int32_t ReadPage(int keyNumber, int32_t pageNumber, Page& page) override;
    int32_t WritePage(int keyNumber, int32_t pageNumber, const Page& page) override;

private:
    IndexFile(std::unique_ptr<File> file, PagePool& pool) : file_(std::move(file)), pool_(&pool) {}
    int64_t PageOffset(int keyNumber, int32_t page) const {
        return static_cast<int64_t>(page) * rowSize_ + keys_[keyNumber - 1].rowOffset;
    }

    std::unique_ptr<File> file_;
    PagePool* pool_;
    std::vector<KeyState> keys_;
    int64_t rowSize_ = 0;
    int32_t rows_ = 0;
    std::vector<uint8_t> io_;
};

}  // namespace engine

#pragma once
// The page buffer pool: a fixed set of page buffers shared by every open file block, reused in
// least-recently-used order. A changed page is only marked dirty; it reaches the file when its
// buffer is reused or when its block is written back (close, rebuild).
//
// Buffers in use by an operation are pinned (PageRef) so that fetching another page can never
// reuse them underneath it.
//
// A look-up touches only small arrays kept apart from the page bytes: the page each buffer holds,
// its place in the least-recently-used list, and an open-addressing hash table of buffer numbers.
// The page bytes of a buffer are allocated when the buffer is first used, so a large pool costs
// only what its work fills.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/IndexFormat.h"

namespace engine {

// Where the pages of one index file come from and go to.
class PageStore {
public:
    virtual ~PageStore() = default;
    virtual int32_t ReadPage(int keyNumber, int32_t pageNumber, Page& page) = 0;
    virtual int32_t WritePage(int keyNumber, int32_t pageNumber, const Page& page) = 0;
};

class PagePool;

// A pinned page buffer; unpins when it goes out of scope.
class PageRef {
public:
    PageRef() = default;
    PageRef(PagePool* pool, int slot);
    PageRef(PageRef&& other) noexcept;
    PageRef& operator=(PageRef&& other) noexcept;
    PageRef(const PageRef&) = delete;
    PageRef& operator=(const PageRef&) = delete;
    ~PageRef();

    Page& page();
    Page* operator->() { return &page(); }
    void MarkDirty();
    int32_t number() const;

private:
    void Release();
    PagePool* pool_ = nullptr;
    int slot_ = -1;
};

class PagePool {
public:
    struct Counters {
        int64_t misses = 0;
        int64_t pageWrites = 0;
    };

    // Sets up `count` buffers (fewer when memory runs out); returns how many. Their page bytes
    // are allocated on first use.
    int Allocate(int count);
    void Release();
    int size() const { return static_cast<int>(tags_.size()); }

    // The page from its buffer, or read from the store into the least recently used buffer.
    int32_t Fetch(PageStore& store, int keyNumber, int32_t pageNumber, PageRef& ref);
    // A buffer for a page that was just allocated: empty, dirty, not read from the file.
    int32_t Fresh(PageStore& store, int keyNumber, int32_t pageNumber, PageRef& ref);
    // Forgets a page without writing it (the page was freed).
    void Drop(PageStore& store, int keyNumber, int32_t pageNumber);
    bool Holds(PageStore& store, int keyNumber, int32_t pageNumber) const;
    // Writes every dirty page of a store; the buffers stay attached.
    int32_t WriteBack(PageStore& store);
    // Forgets every page of a store (after WriteBack, or when its changes are abandoned).
    void Detach(PageStore& store);

    const Counters& counters() const { return counters_; }

private:
    friend class PageRef;
    struct Tag {
        PageStore* store = nullptr;
        int keyNumber = 0;
        int32_t pageNumber = 0;
        bool operator==(const Tag&) const = default;
    };
    struct Links {
        int newer = -1;  // towards the most recently used end
        int older = -1;  // towards the least recently used end
    };
    static constexpr int kNoBuffer = -1;

    // The hash table: the buffer holding `tag`, or kNoBuffer.
    int Find(const Tag& tag) const;
    size_t Home(const Tag& tag) const;
    void Index(int slot);
    void Unindex(int slot);

    void Unlink(int slot);
    void PushNewest(int slot);
    void Touch(int slot);
    int32_t Claim(int& slot);  // an unpinned buffer, its dirty page written first
    void Forget(int slot);
    int32_t WriteBuffer(int slot);

    std::vector<std::unique_ptr<Page>> pages_;  // null until the buffer is first used
    std::vector<Tag> tags_;
    std::vector<Links> links_;
    std::vector<int> pins_;
    std::vector<uint8_t> dirty_;
    std::vector<int> table_;  // buffer numbers by hash, kNoBuffer where free; linear probing
    size_t mask_ = 0;
    int newest_ = -1;
    int oldest_ = -1;
    Counters counters_;
};

}  // namespace engine

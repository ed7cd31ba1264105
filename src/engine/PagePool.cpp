#include "engine/PagePool.h"

#include <bit>
#include <new>

#include "engine/Errors.h"

namespace engine {
namespace {

// Empties a vector and returns its memory.
template <typename T>
void GiveBack(std::vector<T>& array) {
    std::vector<T>().swap(array);
}

}  // namespace

PageRef::PageRef(PagePool* pool, int slot) : pool_(pool), slot_(slot) {
    ++pool_->pins_[slot_];
}

PageRef::PageRef(PageRef&& other) noexcept : pool_(other.pool_), slot_(other.slot_) {
    other.pool_ = nullptr;
    other.slot_ = -1;
}

PageRef& PageRef::operator=(PageRef&& other) noexcept {
    if (this != &other) {
        Release();
        pool_ = other.pool_;
        slot_ = other.slot_;
        other.pool_ = nullptr;
        other.slot_ = -1;
    }
    return *this;
}

PageRef::~PageRef() {
    Release();
}

void PageRef::Release() {
    if (pool_) --pool_->pins_[slot_];
    pool_ = nullptr;
    slot_ = -1;
}

Page& PageRef::page() {
    return *pool_->pages_[slot_];
}
void PageRef::MarkDirty() {
    pool_->dirty_[slot_] = true;
}
int32_t PageRef::number() const {
    return pool_->tags_[slot_].pageNumber;
}

int PagePool::Allocate(int count) {
    Release();
    // Asking for fewer when memory runs short mirrors allocating buffer by buffer until it fails.
    while (count > 0) {
        try {
            const size_t buffers = static_cast<size_t>(count);
            // At most half full, so a probe ends after a step or two.
            table_.assign(std::bit_ceil(2 * buffers), kNoBuffer);
            pages_.resize(buffers);
            tags_.resize(buffers);
            links_.resize(buffers);
            pins_.resize(buffers);
            dirty_.resize(buffers);
            break;
        } catch (const std::bad_alloc&) {
            Release();
            count /= 2;
        }
    }
    mask_ = table_.empty() ? 0 : table_.size() - 1;
    for (int slot = 0; slot < size(); ++slot) PushNewest(slot);
    return size();
}

void PagePool::Release() {
    GiveBack(pages_);
    GiveBack(tags_);
    GiveBack(links_);
    GiveBack(pins_);
    GiveBack(dirty_);
    GiveBack(table_);
    mask_ = 0;
    newest_ = oldest_ = -1;
}

size_t PagePool::Home(const Tag& tag) const {
    uint64_t h = reinterpret_cast<uintptr_t>(tag.store);
    h ^= static_cast<uint64_t>(tag.keyNumber) << 32 | static_cast<uint32_t>(tag.pageNumber);
    h *= 0x9E3779B97F4A7C15ULL;
    return static_cast<size_t>(h ^ (h >> 32)) & mask_;
}

int PagePool::Find(const Tag& tag) const {
    if (table_.empty()) return kNoBuffer;
    for (size_t at = Home(tag);; at = (at + 1) & mask_) {
        const int slot = table_[at];
        if (slot == kNoBuffer || tags_[slot] == tag) return slot;
    }
}

void PagePool::Index(int slot) {
    size_t at = Home(tags_[slot]);
    while (table_[at] != kNoBuffer) at = (at + 1) & mask_;
    table_[at] = slot;
}

// Removes a buffer from the table, moving later entries of its probe run back into the gap so
// that every entry stays reachable from its home position.
void PagePool::Unindex(int slot) {
    size_t hole = Home(tags_[slot]);
    while (table_[hole] != slot) hole = (hole + 1) & mask_;
    for (size_t at = (hole + 1) & mask_; table_[at] != kNoBuffer; at = (at + 1) & mask_) {
        const size_t home = Home(tags_[table_[at]]);
        if (((at - home) & mask_) >= ((at - hole) & mask_)) {
            table_[hole] = table_[at];
            hole = at;
        }
    }
    table_[hole] = kNoBuffer;
}

void PagePool::Unlink(int slot) {
    Links& links = links_[slot];
    if (links.newer >= 0)
        links_[links.newer].older = links.older;
    else
        newest_ = links.older;
    if (links.older >= 0)
        links_[links.older].newer = links.newer;
    else
        oldest_ = links.newer;
    links = Links{};
}

void PagePool::PushNewest(int slot) {
    links_[slot] = Links{-1, newest_};
    if (newest_ >= 0) links_[newest_].newer = slot;
    newest_ = slot;
    if (oldest_ < 0) oldest_ = slot;
}

void PagePool::Touch(int slot) {
    if (slot == newest_) return;
    Unlink(slot);
    PushNewest(slot);
}

int32_t PagePool::WriteBuffer(int slot) {
    const Tag& tag = tags_[slot];
    if (const int32_t error = tag.store->WritePage(tag.keyNumber, tag.pageNumber, *pages_[slot]))
        return error;
    dirty_[slot] = false;
    ++counters_.pageWrites;
    return err::kNone;
}

void PagePool::Forget(int slot) {
    if (tags_[slot].store) Unindex(slot);
    tags_[slot] = Tag{};
    dirty_[slot] = false;
    // A forgotten buffer is the first to be reused.
    Unlink(slot);
    links_[slot].newer = oldest_;
    if (oldest_ >= 0) links_[oldest_].older = slot;
    oldest_ = slot;
    if (newest_ < 0) newest_ = slot;
}

int32_t PagePool::Claim(int& slot) {
    for (slot = oldest_; slot >= 0; slot = links_[slot].newer) {
        if (pins_[slot] == 0) break;
    }
    if (slot < 0) return err::kOutOfMemoryOpening;
    if (!pages_[slot]) {
        pages_[slot].reset(new (std::nothrow) Page);
        if (!pages_[slot]) return err::kOutOfMemoryOpening;
    }
    if (dirty_[slot]) {
        if (const int32_t error = WriteBuffer(slot)) return error;
    }
    if (tags_[slot].store) Unindex(slot);
    tags_[slot] = Tag{};
    return err::kNone;
}

int32_t PagePool::Fetch(PageStore& store, int keyNumber, int32_t pageNumber, PageRef& ref) {
    const Tag tag{&store, keyNumber, pageNumber};
    if (const int found = Find(tag); found != kNoBuffer) {
        Touch(found);
        ref = PageRef(this, found);
        return err::kNone;
    }
    int slot = -1;
    if (const int32_t error = Claim(slot)) return error;
    ++counters_.misses;
    if (const int32_t error = store.ReadPage(keyNumber, pageNumber, *pages_[slot])) return error;
    tags_[slot] = tag;
    dirty_[slot] = false;
    Index(slot);
    Touch(slot);
    ref = PageRef(this, slot);
    return err::kNone;
}

int32_t PagePool::Fresh(PageStore& store, int keyNumber, int32_t pageNumber, PageRef& ref) {
    const Tag tag{&store, keyNumber, pageNumber};
    int slot = Find(tag);
    if (slot == kNoBuffer) {
        if (const int32_t error = Claim(slot)) return error;
        tags_[slot] = tag;
        Index(slot);
    }
    Page& page = *pages_[slot];
    page.count = 0;
    page.left = 0;
    dirty_[slot] = true;
    Touch(slot);
    ref = PageRef(this, slot);
    return err::kNone;
}

void PagePool::Drop(PageStore& store, int keyNumber, int32_t pageNumber) {
    if (const int found = Find(Tag{&store, keyNumber, pageNumber}); found != kNoBuffer)
        Forget(found);
}

bool PagePool::Holds(PageStore& store, int keyNumber, int32_t pageNumber) const {
    return Find(Tag{&store, keyNumber, pageNumber}) != kNoBuffer;
}

int32_t PagePool::WriteBack(PageStore& store) {
    for (int slot = 0; slot < size(); ++slot) {
        if (tags_[slot].store == &store && dirty_[slot]) {
            if (const int32_t error = WriteBuffer(slot)) return error;
        }
    }
    return err::kNone;
}

void PagePool::Detach(PageStore& store) {
    for (int slot = 0; slot < size(); ++slot) {
        if (tags_[slot].store == &store) Forget(slot);
    }
}

}  // namespace engine

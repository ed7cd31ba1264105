#include "engine/PagePool.h"

#include <functional>
#include <new>

#include "engine/Errors.h"

namespace engine {

PageRef::PageRef(PagePool* pool, int slot) : pool_(pool), slot_(slot) {
    ++pool_->buffers_[slot_].pins;
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
    if (pool_) --pool_->buffers_[slot_].pins;
    pool_ = nullptr;
    slot_ = -1;
}

Page& PageRef::page() {
    return pool_->buffers_[slot_].page;
}
void PageRef::MarkDirty() {
    pool_->buffers_[slot_].dirty = true;
}
int32_t PageRef::number() const {
    return pool_->buffers_[slot_].tag.pageNumber;
}

size_t PagePool::TagHash::operator()(const Tag& tag) const {
    const size_t h = std::hash<const void*>()(tag.store);
    return h ^ (static_cast<size_t>(tag.keyNumber) * 0x9E3779B97F4A7C15ULL) ^
           (static_cast<size_t>(static_cast<uint32_t>(tag.pageNumber)) << 7);
}

int PagePool::Allocate(int count) {
    Release();
    // Asking for fewer when memory runs short mirrors allocating buffer by buffer until it fails.
    while (count > 0) {
        try {
            buffers_.resize(static_cast<size_t>(count));
            break;
        } catch (const std::bad_alloc&) {
            count /= 2;
        }
    }
    for (int slot = 0; slot < size(); ++slot) PushNewest(slot);
    return size();
}

void PagePool::Release() {
    buffers_.clear();
    buffers_.shrink_to_fit();
    index_.clear();
    newest_ = oldest_ = -1;
}

void PagePool::Unlink(int slot) {
    Buffer& b = buffers_[slot];
    if (b.newer >= 0)
        buffers_[b.newer].older = b.older;
    else
        newest_ = b.older;
    if (b.older >= 0)
        buffers_[b.older].newer = b.newer;
    else
        oldest_ = b.newer;
    b.newer = b.older = -1;
}

void PagePool::PushNewest(int slot) {
    Buffer& b = buffers_[slot];
    b.older = newest_;
    b.newer = -1;
    if (newest_ >= 0) buffers_[newest_].newer = slot;
    newest_ = slot;
    if (oldest_ < 0) oldest_ = slot;
}

void PagePool::Touch(int slot) {
    if (slot == newest_) return;
    Unlink(slot);
    PushNewest(slot);
}

int32_t PagePool::WriteBuffer(Buffer& buffer) {
    if (const int32_t error =
            buffer.tag.store->WritePage(buffer.tag.keyNumber, buffer.tag.pageNumber, buffer.page))
        return error;
    buffer.dirty = false;
    ++counters_.pageWrites;
    return err::kNone;
}

void PagePool::Forget(int slot) {
    Buffer& b = buffers_[slot];
    if (b.tag.store) index_.erase(b.tag);
    b.tag = Tag{};
    b.dirty = false;
    // A forgotten buffer is the first to be reused.
    Unlink(slot);
    b.newer = oldest_;
    if (oldest_ >= 0) buffers_[oldest_].older = slot;
    oldest_ = slot;
    if (newest_ < 0) newest_ = slot;
}

int32_t PagePool::Claim(int& slot) {
    for (slot = oldest_; slot >= 0; slot = buffers_[slot].newer) {
        if (buffers_[slot].pins == 0) break;
    }
    if (slot < 0) return err::kOutOfMemoryOpening;
    Buffer& b = buffers_[slot];
    if (b.dirty) {
        if (const int32_t error = WriteBuffer(b)) return error;
    }
    if (b.tag.store) index_.erase(b.tag);
    b.tag = Tag{};
    return err::kNone;
}

int32_t PagePool::Fetch(PageStore& store, int keyNumber, int32_t pageNumber, PageRef& ref) {
    const Tag tag{&store, keyNumber, pageNumber};
    if (const auto found = index_.find(tag); found != index_.end()) {
        Touch(found->second);
        ref = PageRef(this, found->second);
        return err::kNone;
    }
    int slot = -1;
    if (const int32_t error = Claim(slot)) return error;
    ++counters_.misses;
    Buffer& b = buffers_[slot];
    if (const int32_t error = store.ReadPage(keyNumber, pageNumber, b.page)) return error;
    b.tag = tag;
    b.dirty = false;
    index_[tag] = slot;
    Touch(slot);
    ref = PageRef(this, slot);
    return err::kNone;
}

int32_t PagePool::Fresh(PageStore& store, int keyNumber, int32_t pageNumber, PageRef& ref) {
    const Tag tag{&store, keyNumber, pageNumber};
    int slot = -1;
    if (const auto found = index_.find(tag); found != index_.end()) {
        slot = found->second;
    } else {
        if (const int32_t error = Claim(slot)) return error;
        buffers_[slot].tag = tag;
        index_[tag] = slot;
    }
    Buffer& b = buffers_[slot];
    b.page.count = 0;
    b.page.left = 0;
    b.dirty = true;
    Touch(slot);
    ref = PageRef(this, slot);
    return err::kNone;
}

void PagePool::Drop(PageStore& store, int keyNumber, int32_t pageNumber) {
    if (const auto found = index_.find(Tag{&store, keyNumber, pageNumber}); found != index_.end())
        Forget(found->second);
}

bool PagePool::Holds(PageStore& store, int keyNumber, int32_t pageNumber) const {
    return index_.count(Tag{&store, keyNumber, pageNumber}) != 0;
}

int32_t PagePool::WriteBack(PageStore& store) {
    for (Buffer& b : buffers_) {
        if (b.tag.store == &store && b.dirty) {
            if (const int32_t error = WriteBuffer(b)) return error;
        }
    }
    return err::kNone;
}

void PagePool::Detach(PageStore& store) {
    for (int slot = 0; slot < size(); ++slot) {
        if (buffers_[slot].tag.store == &store) Forget(slot);
    }
}

}  // namespace engine

#include "engine/IndexFile.h"

#include <algorithm>

#include "engine/ByteOrder.h"
#include "engine/DataFile.h"
#include "engine/Errors.h"

namespace engine {

int32_t Path::Push(int32_t page, int index) {
    if (depth >= kMaxTreeDepth) return err::kIndexDamaged;
    entries[depth++] = PathEntry{page, index};
    return err::kNone;
}

int32_t IndexFile::Create(File& file, int keyCount, const KeyDescriptor* descriptors) {
    std::vector<KeyHeader> headers;
    int64_t rowSize = 0;
    for (int k = 0; k < keyCount; ++k) {
        const int length = descriptors[k].length;
        if (length < 1 || length > kMaxKeyLength) return err::kBadKeyLength;
        KeyHeader header;
        header.pageSize = PageSizeFor(length);
        header.duplicates = descriptors[k].duplicates;
        headers.push_back(header);
        rowSize += header.pageSize;
    }
    std::vector<uint8_t> row(static_cast<size_t>(rowSize), 0);
    int64_t offset = 0;
    for (const KeyHeader& header : headers) {
        header.Encode(row.data() + offset);
        offset += header.pageSize;
    }
    return WriteExactly(file, 0, row.data(), rowSize);
}

int32_t IndexFile::Open(std::unique_ptr<File> file, int keyCount, PagePool& pool,
                        std::unique_ptr<IndexFile>& index) {
    std::unique_ptr<IndexFile> opened(new IndexFile(std::move(file), pool));
    int64_t offset = 0;
    for (int k = 0; k < keyCount; ++k) {
        uint8_t bytes[kKeyHeaderSize];
        if (const int32_t error = ReadExactly(*opened->file_, offset, bytes, kKeyHeaderSize)) {
            opened->Close();
            return error;
        }
        KeyState state;
        state.header = KeyHeader::Decode(bytes);
        if (const int32_t error = KeyLengthOf(state.header, state.keyLength)) {
            opened->Close();
            return error;
        }
        state.rowOffset = offset;
        offset += state.header.pageSize;
        opened->rows_ = std::max(opened->rows_, state.header.pageCount);
        opened->keys_.push_back(state);
    }
    opened->rowSize_ = offset;
    index = std::move(opened);
    return err::kNone;
}

IndexFile::~IndexFile() {
    pool_->Detach(*this);
    if (file_) file_->Close();
}

int32_t IndexFile::ReadPage(int keyNumber, int32_t pageNumber, Page& page) {
    const KeyState& state = keys_[keyNumber - 1];
    io_.resize(static_cast<size_t>(state.header.pageSize) + kPageSlack);
    if (const int32_t error = ReadExactly(*file_, PageOffset(keyNumber, pageNumber), io_.data(),
                                          state.header.pageSize))
        return error;
    return UnpackPage(io_.data(), state.keyLength, state.header.capacity, state.header.pageCount,
                      page);
}

int32_t IndexFile::WritePage(int keyNumber, int32_t pageNumber, const Page& page) {
    const KeyState& state = keys_[keyNumber - 1];
    io_.resize(static_cast<size_t>(state.header.pageSize) + kPageSlack);
    const int used = PackPage(page, state.keyLength, io_.data());
    return WriteExactly(*file_, PageOffset(keyNumber, pageNumber), io_.data(), used);
}

int32_t IndexFile::Fetch(int keyNumber, int32_t page, PageRef& ref) {
    if (page < 1 || page > key(keyNumber).header.pageCount) return err::kIndexDamaged;
    return pool_->Fetch(*this, keyNumber, page, ref);
}

int32_t IndexFile::Allocate(int keyNumber, PageRef& ref) {
    KeyState& state = key(keyNumber);
    KeyHeader& header = state.header;
    int32_t page = 0;
    if (header.firstFree == -1) {
        page = header.pageCount + 1;
        if (page > rows_) {
            // The page count changes only once the row is there, so a failed append gives it back.
            if (const int32_t error = WriteZeros(*file_, (rows_ + 1) * rowSize_, rowSize_))
                return error;
            ++rows_;
        }
        header.pageCount = page;
    } else {
        page = header.firstFree;
        // A page that is still buffered is in use: the chain must not hand it out again.
        if (page < 1 || page > header.pageCount || header.freeCount <= 0 ||
            pool_->Holds(*this, keyNumber, page))
            return err::kFreeChainDamaged;
        uint8_t link[4];
        if (const int32_t error = ReadExactly(*file_, PageOffset(keyNumber, page), link, 4))
            return error;
        const int32_t next = LoadI32(link);
        if (next == 0 || next < -1 || next > header.pageCount) return err::kFreeChainDamaged;
        header.firstFree = next;
        --header.freeCount;
    }
    state.modified = true;
    return pool_->Fresh(*this, keyNumber, page, ref);
}

int32_t IndexFile::Free(int keyNumber, int32_t page) {
    KeyState& state = key(keyNumber);
    pool_->Drop(*this, keyNumber, page);
    // The tree has let go of the page already, so a link that cannot be written must not fail the
    // removal: the caller would take the key for still present and never put it back. The page
    // then stays off the free list, unused until the index is rebuilt.
    uint8_t link[4];
    StoreI32(link, state.header.firstFree);
    if (WriteExactly(*file_, PageOffset(keyNumber, page), link, 4) != err::kNone) return err::kNone;
    state.header.firstFree = page;
    ++state.header.freeCount;
    state.modified = true;
    return err::kNone;
}

int32_t IndexFile::WriteBack() {
    if (const int32_t error = pool_->WriteBack(*this)) return error;
    for (KeyState& state : keys_) {
        if (!state.modified) continue;
        uint8_t bytes[kKeyHeaderSize];
        state.header.Encode(bytes);
        if (const int32_t error = WriteExactly(*file_, state.rowOffset, bytes, kKeyHeaderSize))
            return error;
        state.modified = false;
    }
    if (const int error = file_->Flush(); error != kPlatformOk) return err::FromPlatform(error);
    return err::kNone;
}

int32_t IndexFile::Close() {
    pool_->Detach(*this);
    if (!file_) return err::kNone;
    const int error = file_->Close();
    file_.reset();
    return error == kPlatformOk ? err::kNone : err::kCloseFailed;
}

}  // namespace engine

#include "engine/DataFile.h"

#include <algorithm>
#include <cstring>

#include "engine/ByteOrder.h"
#include "engine/Errors.h"

namespace engine {
namespace {

constexpr int64_t kScanBytes = 1 << 16;  // most a record scan reads at once

}  // namespace

void DataHeader::Encode(uint8_t* out) const {
    StoreI32(out, firstFree);
    StoreI32(out + 4, freeCount);
    StoreI32(out + 8, recordCount);
    StoreI32(out + 12, recordLength);
    StoreI32(out + 16, keyCount);
    out[kInUseOffset] = inUse;
}

DataHeader DataHeader::Decode(const uint8_t* in) {
    DataHeader header;
    header.firstFree = LoadI32(in);
    header.freeCount = LoadI32(in + 4);
    header.recordCount = LoadI32(in + 8);
    header.recordLength = LoadI32(in + 12);
    header.keyCount = in[16];
    header.inUse = in[kInUseOffset];
    return header;
}

int32_t ReadExactly(File& file, int64_t offset, void* buffer, int64_t size) {
    int64_t got = 0;
    if (const int error = file.Read(offset, buffer, size, got); error != kPlatformOk)
        return err::FromPlatform(error);
    return got == size ? err::kNone : err::kShortRead;
}

int32_t WriteExactly(File& file, int64_t offset, const void* buffer, int64_t size) {
    int64_t put = 0;
    if (const int error = file.Write(offset, buffer, size, put); error != kPlatformOk)
        return err::FromPlatform(error);
    return put == size ? err::kNone : err::kShortWrite;
}

int32_t WriteZeros(File& file, int64_t offset, int64_t size) {
    const std::vector<uint8_t> zeros(static_cast<size_t>(size), 0);
    return WriteExactly(file, offset, zeros.data(), size);
}

DataFile::DataFile(std::unique_ptr<File> file, const DataHeader& header, bool inUseWritten)
    : file_(std::move(file)), header_(header), inUseWritten_(inUseWritten) {}

int32_t DataFile::MarkInUse() {
    if (inUseWritten_) return err::kNone;
    const uint8_t flag = kInUseByChange;
    if (const int32_t error = WriteExactly(*file_, kInUseOffset, &flag, 1)) return error;
    if (const int error = file_->Flush(); error != kPlatformOk) return err::FromPlatform(error);
    header_.inUse = flag;
    inUseWritten_ = true;
    return err::kNone;
}

int32_t DataFile::Add(const void* record, int32_t& recordNumber) {
    if (const int32_t error = MarkInUse()) return error;
    const int32_t reused = header_.firstFree;
    int32_t nextFree = -1;
    if (reused != -1) {
        if (reused < 1 || reused > header_.recordCount || header_.freeCount <= 0)
            return err::kFreeChainDamaged;
        uint8_t link[4];
        if (const int32_t error = ReadExactly(*file_, SlotOffset(reused), link, 4)) return error;
        nextFree = LoadI32(link);
        if (nextFree == 0 || nextFree < -1 || nextFree > header_.recordCount)
            return err::kFreeChainDamaged;
    }
    // The header changes only once the record is on disk, so a failed write gives the slot back.
    const int32_t slot = reused != -1 ? reused : header_.recordCount + 1;
    if (const int32_t error = WriteExactly(*file_, SlotOffset(slot), record, header_.recordLength))
        return error;
    if (reused != -1) {
        header_.firstFree = nextFree;
        --header_.freeCount;
    } else {
        ++header_.recordCount;
    }
    recordNumber = slot;
    return err::kNone;
}

int32_t DataFile::Get(int32_t recordNumber, void* record) {
    if (recordNumber < 0) return err::kPlatform;
    return ReadExactly(*file_, SlotOffset(recordNumber), record, header_.recordLength);
}

int32_t DataFile::Put(int32_t recordNumber, const void* record) {
    if (recordNumber < 0) return err::kPlatform;
    // Beyond the record count the write would grow the file behind the header's back.
    if (recordNumber == 0 || recordNumber > header_.recordCount) return err::kPutOutOfRange;
    return WriteExactly(*file_, SlotOffset(recordNumber), record, header_.recordLength);
}

int32_t DataFile::Delete(int32_t recordNumber) {
    if (recordNumber < 1 || recordNumber > header_.recordCount) return err::kDeleteOutOfRange;
    // Deleting a deleted slot again would link it into the free chain twice and make it a loop.
    uint8_t mark[4];
    if (const int32_t error = ReadExactly(*file_, SlotOffset(recordNumber), mark, 4)) return error;
    if (LoadI32(mark) != 0) return err::kDeleteOutOfRange;
    if (const int32_t error = MarkInUse()) return error;
    StoreI32(mark, header_.firstFree);
    if (const int32_t error = WriteExactly(*file_, SlotOffset(recordNumber), mark, 4)) return error;
    header_.firstFree = recordNumber;
    ++header_.freeCount;
    return err::kNone;
}

int32_t DataFile::ReadSlots(int32_t first, int32_t count, int32_t& readable) {
    const int64_t bytes = static_cast<int64_t>(count) * header_.recordLength;
    scan_.resize(static_cast<size_t>(bytes));
    int64_t got = 0;
    readable = 0;
    if (const int error = file_->Read(SlotOffset(first), scan_.data(), bytes, got); error)
        return err::FromPlatform(error);
    // A slot whose mark arrived whole can be tested; the first one that did not ends the scan.
    if (got >= 4)
        readable =
            static_cast<int32_t>(std::min<int64_t>(count, (got - 4) / header_.recordLength + 1));
    return err::kNone;
}

bool DataFile::SlotIsLive(int32_t indexInScan) const {
    return LoadI32(scan_.data() + static_cast<size_t>(indexInScan) * header_.recordLength) == 0;
}

int32_t DataFile::ScanForward(int32_t& recordNumber) {
    int32_t slot = std::max<int32_t>(recordNumber, 1);
    recordNumber = slot;
    if (slot > header_.recordCount) return err::kNoLiveRecord;
    const int32_t maxChunk =
        static_cast<int32_t>(std::max<int64_t>(1, kScanBytes / header_.recordLength));
    // The next live slot is usually near: read one slot first, then ever larger chunks.
    for (int32_t chunk = 1;; chunk = std::min(chunk * 2, maxChunk)) {
        const int32_t count = std::min(chunk, header_.recordCount - slot + 1);
        int32_t readable = 0;
        if (const int32_t error = ReadSlots(slot, count, readable)) return error;
        for (int32_t i = 0; i < readable; ++i) {
            recordNumber = slot + i;
            if (SlotIsLive(i)) return err::kNone;
        }
        if (readable < count) {
            recordNumber = slot + readable;
            return err::kNoLiveRecord;
        }
        slot += count;
        if (slot > header_.recordCount) return err::kNoLiveRecord;
    }
}

int32_t DataFile::ScanBackward(int32_t& recordNumber) {
    int32_t slot = std::min(recordNumber, header_.recordCount);
    recordNumber = slot;
    if (slot < 1) return err::kNoLiveRecord;
    const int32_t maxChunk =
        static_cast<int32_t>(std::max<int64_t>(1, kScanBytes / header_.recordLength));
    for (int32_t chunk = 1;; chunk = std::min(chunk * 2, maxChunk)) {
        const int32_t count = std::min(chunk, slot);
        const int32_t first = slot - count + 1;
        int32_t readable = 0;
        if (const int32_t error = ReadSlots(first, count, readable)) return error;
        for (int32_t i = count - 1; i >= 0; --i) {
            recordNumber = first + i;
            if (i >= readable) return err::kNoLiveRecord;
            if (SlotIsLive(i)) return err::kNone;
        }
        slot = first - 1;
        if (slot < 1) return err::kNoLiveRecord;
    }
}

int32_t DataFile::Test(int32_t& recordNumber, int direction) {
    int32_t error = err::kNone;
    if (direction > 0) {
        error = ScanForward(recordNumber);
    } else if (direction < 0) {
        error = ScanBackward(recordNumber);
    } else if (recordNumber < 0) {
        error = err::kPlatform;
    } else if (recordNumber == 0 || recordNumber > header_.recordCount) {
        error = err::kNoLiveRecord;  // the header slot and slots beyond the count are never live
    } else {
        int32_t readable = 0;
        error = ReadSlots(recordNumber, 1, readable);
        if (!error) error = readable == 1 && SlotIsLive(0) ? err::kNone : err::kNoLiveRecord;
    }
    if (error == err::kPlatform) return err::kScanPlatform;
    if (error == err::kNone || error == err::kInvalidHandle) return error;
    return err::kNoLiveRecord;
}

int32_t DataFile::Append(const uint8_t* records, int32_t count) {
    if (count <= 0) return err::kNone;
    const int64_t bytes = static_cast<int64_t>(count) * header_.recordLength;
    if (const int32_t error =
            WriteExactly(*file_, SlotOffset(header_.recordCount + 1), records, bytes))
        return error;
    header_.recordCount += count;
    return err::kNone;
}

int32_t DataFile::WriteHeader(uint8_t inUse) {
    uint8_t bytes[kDataHeaderSize];
    DataHeader written = header_;
    written.inUse = inUse;
    written.Encode(bytes);
    if (const int32_t error = WriteExactly(*file_, 0, bytes, kDataHeaderSize)) return error;
    if (const int error = file_->Flush(); error != kPlatformOk) return err::FromPlatform(error);
    header_.inUse = inUse;
    return err::kNone;
}

int32_t DataFile::Close() {
    if (!file_) return err::kNone;
    const int error = file_->Close();
    file_.reset();
    return error == kPlatformOk ? err::kNone : err::kCloseFailed;
}

}  // namespace engine

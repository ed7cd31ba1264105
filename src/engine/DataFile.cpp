#include "engine/DataFile.h"

#include <algorithm>
#include <cstring>

#include "engine/ByteOrder.h"
#include "engine/Errors.h"
#include "engine/Journal.h"

namespace engine {
namespace {

constexpr int64_t kScanBytes = 1 << 16;  // most a record scan reads at once

}  // namespace

void DataHeader::Encode(uint8_t* out) const {
    StoreI32(out + kFirstFreeOffset, firstFree);
    StoreI32(out + kFreeCountOffset, freeCount);
    StoreI32(out + kRecordCountOffset, recordCount);
    StoreI32(out + kRecordLengthOffset, recordLength);
    StoreI32(out + kKeyCountOffset, keyCount);
    out[kInUseOffset] = inUse;
}

DataHeader DataHeader::Decode(const uint8_t* in) {
    DataHeader header;
    header.firstFree = LoadI32(in + kFirstFreeOffset);
    header.freeCount = LoadI32(in + kFreeCountOffset);
    header.recordCount = LoadI32(in + kRecordCountOffset);
    header.recordLength = LoadI32(in + kRecordLengthOffset);
    header.keyCount = in[kKeyCountOffset];
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

int32_t DataFile::WriteAt(int64_t offset, const void* bytes, int64_t size) {
    if (journal_)
        if (const int32_t error = journal_->BeforeWrite(blockName_, *this, offset, size))
            return error;
    if (const int32_t error = WriteExactly(*file_, offset, bytes, size)) {
        windowBytes_ = 0;  // how much of the write reached the file is unknown
        return error;
    }
    const int64_t windowStart = SlotOffset(windowFirst_);
    const int64_t from = std::max(offset, windowStart);
    const int64_t to = std::min(offset + size, windowStart + windowBytes_);
    if (from < to)
        std::memcpy(window_.data() + (from - windowStart),
                    static_cast<const uint8_t*>(bytes) + (from - offset),
                    static_cast<size_t>(to - from));
    return err::kNone;
}

int32_t DataFile::ReadSlots(int32_t first, int32_t count) {
    const int64_t bytes = static_cast<int64_t>(count) * header_.recordLength;
    if (static_cast<int64_t>(window_.size()) < bytes) window_.resize(static_cast<size_t>(bytes));
    windowFirst_ = first;
    windowBytes_ = 0;
    int64_t got = 0;
    if (const int error = file_->Read(SlotOffset(first), window_.data(), bytes, got); error)
        return err::FromPlatform(error);
    windowBytes_ = got;
    return err::kNone;
}

int32_t DataFile::ChunkAt(int32_t slot) const {
    const int32_t most =
        static_cast<int32_t>(std::max<int64_t>(1, kScanBytes / header_.recordLength));
    const int32_t held = static_cast<int32_t>(windowBytes_ / header_.recordLength);
    const bool follows = held > 0 && (slot == windowFirst_ + held || slot == windowFirst_ - 1);
    return follows ? std::min(most, 2 * held) : 1;
}

const uint8_t* DataFile::Windowed(int32_t slot, bool whole) const {
    if (slot < windowFirst_) return nullptr;
    const int64_t at = static_cast<int64_t>(slot - windowFirst_) * header_.recordLength;
    if (at + (whole ? header_.recordLength : kDeletionMarkSize) > windowBytes_) return nullptr;
    return window_.data() + at;
}

bool DataFile::SlotIsLive(int32_t slot) const {
    return LoadI32(Windowed(slot, false)) == 0;
}

int32_t DataFile::ReadMark(int32_t slot, int32_t& mark) {
    if (const uint8_t* bytes = Windowed(slot, false)) {
        mark = LoadI32(bytes);
        return err::kNone;
    }
    uint8_t bytes[kDeletionMarkSize];
    if (const int32_t error = ReadExactly(*file_, SlotOffset(slot), bytes, kDeletionMarkSize))
        return error;
    mark = LoadI32(bytes);
    return err::kNone;
}

int32_t DataFile::MarkInUse() {
    if (inUseWritten_) return err::kNone;
    const uint8_t flag = kInUseByChange;
    if (const int32_t error = WriteAt(kInUseOffset, &flag, 1)) return error;
    // Inside a posting the journal, on disk before this write, already undoes whatever a crash
    // leaves; the flag need not wait for the disk.
    if (!journal_)
        if (const int error = file_->Flush(); error != kPlatformOk) return err::FromPlatform(error);
    header_.inUse = flag;
    inUseWritten_ = true;
    return err::kNone;
}

int32_t DataFile::Add(std::span<const std::byte> record, int32_t& recordNumber) {
    if (!Holds(record)) return err::kRecordBufferTooShort;
    if (const int32_t error = MarkInUse()) return error;
    const int32_t reused = header_.firstFree;
    int32_t nextFree = -1;
    if (reused != -1) {
        if (reused < 1 || reused > header_.recordCount || header_.freeCount <= 0)
            return err::kFreeChainDamaged;
        if (const int32_t error = ReadMark(reused, nextFree)) return error;
        if (nextFree == 0 || nextFree < -1 || nextFree > header_.recordCount)
            return err::kFreeChainDamaged;
    }
    // The header changes only once the record is on disk, so a failed write gives the slot back.
    const int32_t slot = reused != -1 ? reused : header_.recordCount + 1;
    if (const int32_t error = WriteAt(SlotOffset(slot), record.data(), header_.recordLength))
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

int32_t DataFile::Get(int32_t recordNumber, std::span<std::byte> record) {
    if (!Holds(record)) return err::kRecordBufferTooShort;
    if (recordNumber < 0) return err::kPlatform;
    // The header slot and slots beyond the count are read as they are, past the window.
    if (recordNumber == 0 || recordNumber > header_.recordCount)
        return ReadExactly(*file_, SlotOffset(recordNumber), record.data(), header_.recordLength);
    if (!Windowed(recordNumber, true)) {
        const int32_t count =
            std::min(ChunkAt(recordNumber), header_.recordCount - recordNumber + 1);
        if (const int32_t error = ReadSlots(recordNumber, count)) return error;
    }
    const uint8_t* slot = Windowed(recordNumber, true);
    if (!slot) return err::kShortRead;
    std::memcpy(record.data(), slot, static_cast<size_t>(header_.recordLength));
    return err::kNone;
}

int32_t DataFile::Put(int32_t recordNumber, std::span<const std::byte> record) {
    if (!Holds(record)) return err::kRecordBufferTooShort;
    if (recordNumber < 0) return err::kPlatform;
    // Beyond the record count the write would grow the file behind the header's back.
    if (recordNumber == 0 || recordNumber > header_.recordCount) return err::kPutOutOfRange;
    return WriteAt(SlotOffset(recordNumber), record.data(), header_.recordLength);
}

int32_t DataFile::Delete(int32_t recordNumber) {
    if (recordNumber < 1 || recordNumber > header_.recordCount) return err::kDeleteOutOfRange;
    // Deleting a deleted slot again would link it into the free chain twice and make it a loop.
    int32_t mark = 0;
    if (const int32_t error = ReadMark(recordNumber, mark)) return error;
    if (mark != 0) return err::kDeleteOutOfRange;
    if (const int32_t error = MarkInUse()) return error;
    uint8_t link[kDeletionMarkSize];
    StoreI32(link, header_.firstFree);
    if (const int32_t error = WriteAt(SlotOffset(recordNumber), link, kDeletionMarkSize))
        return error;
    header_.firstFree = recordNumber;
    ++header_.freeCount;
    return err::kNone;
}

int32_t DataFile::ScanForward(int32_t& recordNumber) {
    int32_t slot = std::max<int32_t>(recordNumber, 1);
    recordNumber = slot;
    if (slot > header_.recordCount) return err::kNoLiveRecord;
    // The next live slot is usually near: read one slot first, then ever larger chunks.
    for (;;) {
        if (!Windowed(slot, false)) {
            const int32_t count = std::min(ChunkAt(slot), header_.recordCount - slot + 1);
            if (const int32_t error = ReadSlots(slot, count)) return error;
            // A slot whose mark cannot be read ends the scan.
            if (!Windowed(slot, false)) return err::kNoLiveRecord;
        }
        for (; slot <= header_.recordCount && Windowed(slot, false); ++slot) {
            recordNumber = slot;
            if (SlotIsLive(slot)) return err::kNone;
        }
        if (slot > header_.recordCount) return err::kNoLiveRecord;
        recordNumber = slot;
    }
}

int32_t DataFile::ScanBackward(int32_t& recordNumber) {
    int32_t slot = std::min(recordNumber, header_.recordCount);
    recordNumber = slot;
    if (slot < 1) return err::kNoLiveRecord;
    for (;;) {
        if (!Windowed(slot, false)) {
            const int32_t count = std::min(ChunkAt(slot), slot);
            if (const int32_t error = ReadSlots(slot - count + 1, count)) return error;
            if (!Windowed(slot, false)) return err::kNoLiveRecord;
        }
        for (; slot >= 1 && Windowed(slot, false); --slot) {
            recordNumber = slot;
            if (SlotIsLive(slot)) return err::kNone;
        }
        if (slot < 1) return err::kNoLiveRecord;
        recordNumber = slot;
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
        if (!Windowed(recordNumber, false)) error = ReadSlots(recordNumber, 1);
        if (!error)
            error = Windowed(recordNumber, false) && SlotIsLive(recordNumber) ? err::kNone
                                                                              : err::kNoLiveRecord;
    }
    if (error == err::kPlatform) return err::kScanPlatform;
    if (error == err::kNone || error == err::kInvalidHandle) return error;
    return err::kNoLiveRecord;
}

int32_t DataFile::Append(const uint8_t* records, int32_t count) {
    if (count <= 0) return err::kNone;
    const int64_t bytes = static_cast<int64_t>(count) * header_.recordLength;
    if (const int32_t error = WriteAt(SlotOffset(header_.recordCount + 1), records, bytes))
        return error;
    header_.recordCount += count;
    return err::kNone;
}

int32_t DataFile::WriteHeader(uint8_t inUse) {
    uint8_t bytes[kDataHeaderSize];
    DataHeader written = header_;
    written.inUse = inUse;
    written.Encode(bytes);
    if (const int32_t error = WriteAt(0, bytes, kDataHeaderSize)) return error;
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

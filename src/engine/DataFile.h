#pragma once
// The data file of a file block: slot 0 holds the header (Format.h), slots 1..record count hold
// records, live (deletion mark 0) or deleted (mark = next free slot, -1 ends the chain). The
// header lives in memory between open and close; each record operation is at most one read or
// write.
//
// The slots read last stay in a window, so that a scan's GetRecord, a delete's mark check and a
// walk in record order need no read of their own; a walk reads ahead in ever larger chunks. The
// file is held without sharing, so only this object changes it: every write goes to the file in
// the same call and updates the bytes of the window it covers.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/FileSystem.h"
#include "engine/Format.h"

namespace engine {

class Journal;

struct DataHeader {
    int32_t firstFree = -1;
    int32_t freeCount = 0;
    int32_t recordCount = 0;
    int32_t recordLength = 0;
    int32_t keyCount = 0;  // only the low byte is stored meaningfully
    uint8_t inUse = 0;

    void Encode(uint8_t* out) const;  // kDataHeaderSize bytes
    static DataHeader Decode(const uint8_t* in);
};

// Reads exactly `size` bytes: a platform error becomes its engine error, fewer bytes 10070.
int32_t ReadExactly(File& file, int64_t offset, void* buffer, int64_t size);
// Writes exactly `size` bytes: a platform error becomes its engine error, fewer bytes 10075.
int32_t WriteExactly(File& file, int64_t offset, const void* buffer, int64_t size);
// Appends or overwrites `size` zero bytes at `offset`.
int32_t WriteZeros(File& file, int64_t offset, int64_t size);

class DataFile {
public:
    DataFile(std::unique_ptr<File> file, const DataHeader& header, bool inUseWritten);

    const DataHeader& header() const { return header_; }
    File& file() { return *file_; }
    int64_t SlotOffset(int32_t recordNumber) const {
        return static_cast<int64_t>(recordNumber) * header_.recordLength;
    }

    // The first change after an open writes the in-use flag and pushes it to disk before
    // anything else changes, so a crash can never leave changed data under a "closed" header
    // (inside a posting the journal, already on disk, covers that).
    int32_t MarkInUse();
    bool inUseWritten() const { return inUseWritten_; }
    // The header on disk was just written marked closed: the next change marks it again.
    void MarkClosed() { inUseWritten_ = false; }

    // The record buffers must hold at least the record length (10025 otherwise); the first
    // record-length bytes are read or written.
    int32_t Add(std::span<const std::byte> record, int32_t& recordNumber);
    int32_t Get(int32_t recordNumber, std::span<std::byte> record);
    int32_t Put(int32_t recordNumber, std::span<const std::byte> record);
    int32_t Delete(int32_t recordNumber);
    // direction 0: is slot n live; above 0 next live slot from n upward; below 0 downward.
    int32_t Test(int32_t& recordNumber, int direction);
    // Appends `count` records packed back to back (the rebuild's write-behind buffer).
    int32_t Append(const uint8_t* records, int32_t count);

    // Writes the header with the given in-use flag and pushes it to disk.
    int32_t WriteHeader(uint8_t inUse);
    int32_t Close();

    // While a posting runs, every write first lets its journal keep what it overwrites; null
    // detaches.
    void SetJournal(Journal* journal, std::string blockName) {
        journal_ = journal;
        blockName_ = std::move(blockName);
    }

private:
    bool Holds(std::span<const std::byte> record) const {
        return record.size() >= static_cast<size_t>(header_.recordLength);
    }
    int32_t ScanForward(int32_t& recordNumber);
    int32_t ScanBackward(int32_t& recordNumber);
    // Reads slots first..first+count-1 into the window.
    int32_t ReadSlots(int32_t first, int32_t count);
    // Slots to read for `slot`: one, or twice the window's when the reads follow each other.
    int32_t ChunkAt(int32_t slot) const;
    // The slot's bytes while the window holds its mark (its whole slot when `whole`), else null.
    const uint8_t* Windowed(int32_t slot, bool whole) const;
    bool SlotIsLive(int32_t slot) const;  // the slot's mark must be in the window
    // Reads the 4-byte mark of a slot, from the window when it is there.
    int32_t ReadMark(int32_t slot, int32_t& mark);
    // Writes through to the file and keeps the window equal to it.
    int32_t WriteAt(int64_t offset, const void* bytes, int64_t size);

    std::unique_ptr<File> file_;
    DataHeader header_;
    bool inUseWritten_;
    std::vector<uint8_t> window_;
    int32_t windowFirst_ = 0;  // slot number of the window's first byte
    int64_t windowBytes_ = 0;  // bytes of the file the window holds
    Journal* journal_ = nullptr;
    std::string blockName_;
};

}  // namespace engine

#pragma once
// Large sequential transfers of whole slots for the rebuild: a read-ahead reader and a
// write-behind appender, so a pass over a file costs a few big reads or writes, not one per slot.
// Their buffers grow with the work up to one transfer, so a small file costs a small buffer.

#include <cstdint>
#include <vector>

#include "engine/DataFile.h"
#include "engine/FileSystem.h"

namespace engine {

class SlotReader {
public:
    // Reads slots first..last of `slotSize` bytes, stopping early at the first slot that cannot
    // be read whole.
    SlotReader(File& file, int slotSize, int32_t first, int32_t last);

    // The next slot, or null at the end; `number` is its slot number.
    int32_t Next(const uint8_t*& slot, int32_t& number);

private:
    File& file_;
    int slotSize_;
    int32_t next_;
    int32_t last_;
    std::vector<uint8_t> buffer_;
    int32_t bufferFirst_ = 0;
    int32_t bufferCount_ = 0;
};

class SlotAppender {
public:
    explicit SlotAppender(DataFile& data);
    int32_t Append(const uint8_t* record);
    int32_t Flush();

private:
    DataFile& data_;
    std::vector<uint8_t> pending_;  // whole records not yet written
};

}  // namespace engine

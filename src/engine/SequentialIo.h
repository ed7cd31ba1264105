#pragma once
// Large sequential transfers of whole slots for the rebuild: a read-ahead reader and a
// write-behind appender, so a pass over a file costs a few big reads or writes, not one per slot.

#include <cstdint>
#include <vector>

#include "engine/DataFile.h"
#include "engine/FileSystem.h"

namespace engine {

class SlotReader {
public:
    // Reads slots first, first + 1, ... of `slotSize` bytes; with `last` >= first it stops after
    // slot `last`, otherwise at the first slot that cannot be read whole.
    SlotReader(File& file, int slotSize, int32_t first, int32_t last = -1);

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
    bool atEnd_ = false;
};

class SlotAppender {
public:
    explicit SlotAppender(DataFile& data);
    int32_t Append(const uint8_t* record);
    int32_t Flush();

private:
    DataFile& data_;
    std::vector<uint8_t> buffer_;
    int32_t pending_ = 0;
    int32_t capacity_ = 0;
};

}  // namespace engine

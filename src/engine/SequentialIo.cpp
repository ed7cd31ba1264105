#include "engine/SequentialIo.h"

#include <algorithm>
#include <cstring>

#include "engine/Errors.h"

namespace engine {
namespace {

constexpr int64_t kTransferBytes = 1 << 18;

int32_t SlotsPerTransfer(int slotSize) {
    return static_cast<int32_t>(std::max<int64_t>(1, kTransferBytes / slotSize));
}

}  // namespace

SlotReader::SlotReader(File& file, int slotSize, int32_t first, int32_t last)
    : file_(file), slotSize_(slotSize), next_(first), last_(last) {}

int32_t SlotReader::Next(const uint8_t*& slot, int32_t& number) {
    slot = nullptr;
    if (last_ >= 0 && next_ > last_) return err::kNone;
    if (next_ >= bufferFirst_ + bufferCount_) {
        if (atEnd_) return err::kNone;
        int32_t count = SlotsPerTransfer(slotSize_);
        if (last_ >= 0) count = std::min(count, last_ - next_ + 1);
        buffer_.resize(static_cast<size_t>(count) * slotSize_);
        int64_t got = 0;
        if (const int error = file_.Read(static_cast<int64_t>(next_) * slotSize_, buffer_.data(),
                                         static_cast<int64_t>(buffer_.size()), got))
            return err::FromPlatform(error);
        bufferFirst_ = next_;
        bufferCount_ = static_cast<int32_t>(got / slotSize_);
        atEnd_ = bufferCount_ < count;
        if (bufferCount_ == 0) return err::kNone;
    }
    number = next_;
    slot = buffer_.data() + static_cast<size_t>(next_ - bufferFirst_) * slotSize_;
    ++next_;
    return err::kNone;
}

SlotAppender::SlotAppender(DataFile& data)
    : data_(data), capacity_(SlotsPerTransfer(data.header().recordLength)) {
    buffer_.resize(static_cast<size_t>(capacity_) * data.header().recordLength);
}

int32_t SlotAppender::Append(const uint8_t* record) {
    const int length = data_.header().recordLength;
    std::memcpy(buffer_.data() + static_cast<size_t>(pending_) * length, record, length);
    if (++pending_ == capacity_) return Flush();
    return err::kNone;
}

int32_t SlotAppender::Flush() {
    const int32_t count = pending_;
    pending_ = 0;
    return data_.Append(buffer_.data(), count);
}

}  // namespace engine

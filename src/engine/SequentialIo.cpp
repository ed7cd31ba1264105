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
    if (next_ > last_) return err::kNone;
    if (next_ >= bufferFirst_ + bufferCount_) {
        const int32_t count = std::min(SlotsPerTransfer(slotSize_), last_ - next_ + 1);
        buffer_.resize(static_cast<size_t>(count) * slotSize_);
        int64_t got = 0;
        if (const int error = file_.Read(static_cast<int64_t>(next_) * slotSize_, buffer_.data(),
                                         static_cast<int64_t>(buffer_.size()), got))
            return err::FromPlatform(error);
        bufferFirst_ = next_;
        bufferCount_ = static_cast<int32_t>(got / slotSize_);
        // A file shorter than it was said to be ends the pass at its last whole slot.
        if (bufferCount_ < count) last_ = next_ + bufferCount_ - 1;
        if (bufferCount_ == 0) return err::kNone;
    }
    number = next_;
    slot = buffer_.data() + static_cast<size_t>(next_ - bufferFirst_) * slotSize_;
    ++next_;
    return err::kNone;
}

SlotAppender::SlotAppender(DataFile& data) : data_(data) {}

int32_t SlotAppender::Append(const uint8_t* record) {
    pending_.insert(pending_.end(), record, record + data_.header().recordLength);
    if (static_cast<int64_t>(pending_.size()) >= kTransferBytes) return Flush();
    return err::kNone;
}

int32_t SlotAppender::Flush() {
    const auto count = static_cast<int32_t>(pending_.size() / data_.header().recordLength);
    const int32_t error = data_.Append(pending_.data(), count);
    pending_.clear();
    return error;
}

}  // namespace engine

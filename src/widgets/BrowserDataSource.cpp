#include "widgets/BrowserDataSource.h"

#include <cstring>
#include <limits>
#include <thread>
#include <utility>

namespace widgets {

namespace {

constexpr engine::ErrorClass kFound = engine::ErrorClass::None;
constexpr engine::ErrorClass kNothing = engine::ErrorClass::Expected;  // every "not found"

// With the highest record number, sorts after every entry of the same first bytes.
const std::string kAboveEveryKey(engine::kMaxKeyLength, '\xFF');

}  // namespace

TFvcDataSource::TFvcDataSource(engine::Engine& engine, engine::FileBlockHandle fileBlock,
                               int keyNumber, std::string lowKey, std::string highKey,
                               std::span<std::byte> recordBuffer)
    : engine_(engine),
      fileBlock_(fileBlock),
      keyNumber_(keyNumber),
      lowKey_(std::move(lowKey)),
      highKey_(std::move(highKey)),
      recordBuffer_(recordBuffer),
      pause_([](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); }) {}

void TFvcDataSource::SetKeyNumber(int keyNumber) {
    keyNumber_ = keyNumber;
    cursorValid_ = false;
}

void TFvcDataSource::SetRetryPause(std::function<void(std::chrono::milliseconds)> pause) {
    pause_ = std::move(pause);
}

template <typename Call>
engine::ErrorClass TFvcDataSource::Retrying(Call call) {
    for (int attempt = 1;; ++attempt) {
        call();
        const engine::ErrorClass errorClass = engine_.errorClass();
        if (errorClass != engine::ErrorClass::Retry || attempt == kMaxAttempts) {
            lastError_ = engine_.error();
            return errorClass;
        }
        pause_(kRetryPause);
    }
}

engine::ErrorClass TFvcDataSource::Step(Move move, BrowserEntry& entry) {
    // The engine changes its in/out arguments also when it fails; each attempt starts afresh.
    const BrowserEntry start = entry;
    return Retrying([&] {
        entry = start;
        int32_t& n = entry.recordNumber;
        switch (move) {
            case Move::SearchEntry:
                engine_.SearchEntry(fileBlock_, keyNumber_, n, entry.key);
                break;
            case Move::NextKey:
                engine_.NextKey(fileBlock_, keyNumber_, n, entry.key);
                break;
            case Move::PrevKey:
                engine_.PrevKey(fileBlock_, keyNumber_, n, entry.key);
                break;
            case Move::NextRecord:
                engine_.NextUsedRecord(fileBlock_, n);
                break;
            case Move::PrevRecord:
                engine_.PrevUsedRecord(fileBlock_, n);
                break;
            case Move::RecordAtOrAfter:
                engine_.TestRecord(fileBlock_, n, 1);
                break;
        }
    });
}

bool TFvcDataSource::BelowRange(const std::string& key) const {
    return !lowKey_.empty() && key < lowKey_;
}

bool TFvcDataSource::AboveRange(const std::string& key) const {
    return !highKey_.empty() && key.compare(0, highKey_.size(), highKey_) > 0;
}

engine::ErrorClass TFvcDataSource::InRange(const BrowserEntry& entry) {
    if (BelowRange(entry.key) || AboveRange(entry.key)) {
        lastError_ = 0;
        return kNothing;
    }
    return kFound;
}

void TFvcDataSource::Remember(const BrowserEntry& entry) {
    cursor_ = entry;
    cursorValid_ = true;
}

engine::ErrorClass TFvcDataSource::PlaceCursor(const BrowserEntry& target, bool& onEntry) {
    onEntry = false;
    // Entries with equal keys follow each other by record number, so one descent to the pair
    // finds the entry, or the one that took its place, however many keys are equal.
    BrowserEntry found = target;
    const engine::ErrorClass result = Step(Move::SearchEntry, found);
    if (result != kFound) {
        cursorValid_ = false;
        return result;
    }
    Remember(found);
    onEntry = found == target;
    return kFound;
}

engine::ErrorClass TFvcDataSource::First(BrowserEntry& entry) {
    if (keyNumber_ == 0) {
        entry = {};
        return Step(Move::NextRecord, entry);
    }
    entry = {lowKey_, 0};
    return Seek(entry);
}

engine::ErrorClass TFvcDataSource::Last(BrowserEntry& entry) {
    if (keyNumber_ == 0) {
        entry = {{}, std::numeric_limits<int32_t>::max()};
        return Step(Move::PrevRecord, entry);
    }
    // The entry before the first one beyond the range (or beyond every key).
    BrowserEntry beyond{highKey_ + kAboveEveryKey, std::numeric_limits<int32_t>::max()};
    beyond.key.resize(engine::kMaxKeyLength);
    entry = beyond;
    return Prev(entry);
}

engine::ErrorClass TFvcDataSource::Seek(BrowserEntry& entry) {
    if (keyNumber_ == 0) return Step(Move::RecordAtOrAfter, entry);
    if (BelowRange(entry.key)) entry = {lowKey_, 0};
    bool onEntry = false;
    const engine::ErrorClass result = PlaceCursor(entry, onEntry);
    if (result != kFound) return result;
    entry = cursor_;
    return InRange(entry);
}

engine::ErrorClass TFvcDataSource::Next(BrowserEntry& entry) {
    if (keyNumber_ == 0) return Step(Move::NextRecord, entry);
    if (!(cursorValid_ && cursor_ == entry)) {
        bool onEntry = false;
        const engine::ErrorClass result = PlaceCursor(entry, onEntry);
        if (result != kFound) return result;
        if (!onEntry) {  // the entry is gone; the one that took its place comes next
            entry = cursor_;
            return InRange(entry);
        }
    }
    BrowserEntry next = cursor_;
    const engine::ErrorClass result = Step(Move::NextKey, next);
    if (result != kFound) {
        cursorValid_ = false;
        return result;
    }
    Remember(next);
    entry = next;
    return InRange(entry);
}

engine::ErrorClass TFvcDataSource::Prev(BrowserEntry& entry) {
    if (keyNumber_ == 0) return Step(Move::PrevRecord, entry);
    if (!(cursorValid_ && cursor_ == entry)) {
        bool onEntry = false;
        engine::ErrorClass result = PlaceCursor(entry, onEntry);
        if (result > kNothing) return result;
        if (result == kNothing) {
            // Nothing at or after the entry: run the cursor off the end, so that the step back
            // lands on the last entry.
            BrowserEntry probe = entry;
            while ((result = Step(Move::NextKey, probe)) == kFound) {
            }
            if (result > kNothing) return result;
        }
    }
    BrowserEntry previous = cursorValid_ ? cursor_ : entry;
    const engine::ErrorClass result = Step(Move::PrevKey, previous);
    if (result != kFound) {
        cursorValid_ = false;
        return result;
    }
    Remember(previous);
    entry = previous;
    return InRange(entry);
}

engine::ErrorClass TFvcDataSource::ReadRecord(int32_t recordNumber, bool& live) {
    const engine::ErrorClass result =
        Retrying([&] { engine_.GetRecord(fileBlock_, recordNumber, recordBuffer_); });
    int32_t mark = -1;
    if (result == kFound) std::memcpy(&mark, recordBuffer_.data(), sizeof mark);
    live = mark == 0;
    return result;
}

engine::ErrorClass TFvcDataSource::Count(int32_t& count) {
    return Retrying([&] {
        count = keyNumber_ == 0 ? engine_.UsedRecords(fileBlock_)
                                : engine_.UsedKeys(fileBlock_, keyNumber_);
    });
}

engine::ErrorClass TFvcDataSource::PositionOf(const BrowserEntry& entry, int32_t& position) {
    return Retrying([&] {
        position = keyNumber_ == 0
                       ? engine_.RecordToPosition(fileBlock_, entry.recordNumber, kScrollScale)
                       : engine_.KeyToPosition(fileBlock_, keyNumber_, entry.recordNumber,
                                               entry.key, kScrollScale);
    });
}

engine::ErrorClass TFvcDataSource::EntryAt(int32_t position, BrowserEntry& entry) {
    entry = {};
    return Retrying([&] {
        if (keyNumber_ == 0)
            entry.recordNumber = engine_.PositionToRecord(fileBlock_, position, kScrollScale);
        else
            engine_.PositionToKey(fileBlock_, keyNumber_, position, kScrollScale,
                                  entry.recordNumber, entry.key);
    });
}

}  // namespace widgets

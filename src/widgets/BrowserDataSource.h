#pragma once
// The data browser's window onto one file block: the entries of one key number (0: live records
// in record-number order) between a low and a high key, each record read into the window's
// record buffer. Engine calls are repeated silently while they meet a lock conflict (class 2),
// 30 ms apart and at most 33 times; every call answers the engine's error class, so that 0 is
// success, 1 "nothing there" and anything above an error to report.

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "engine/Engine.h"

namespace widgets {

// One row's place in the file: its key (empty in record-number order) and record number.
struct BrowserEntry {
    std::string key;
    int32_t recordNumber = 0;
    friend bool operator==(const BrowserEntry&, const BrowserEntry&) = default;
};

class TFvcDataSource {
public:
    static constexpr int kScrollScale = 63;  // positions run 0..63, the scroll bar's range
    static constexpr int kMaxAttempts = 33;
    static constexpr std::chrono::milliseconds kRetryPause{30};

    // `recordBuffer` must hold the block's record length; the window's key builders read it.
    // Empty low and high keys leave the range open; a high key also admits the keys it begins.
    TFvcDataSource(engine::Engine& engine, engine::FileBlockHandle fileBlock, int keyNumber,
                   std::string lowKey, std::string highKey, std::span<std::byte> recordBuffer);

    engine::Engine& engine() { return engine_; }
    engine::FileBlockHandle fileBlock() const { return fileBlock_; }
    int keyNumber() const { return keyNumber_; }
    void SetKeyNumber(int keyNumber);
    std::span<std::byte> recordBuffer() const { return recordBuffer_; }
    // The engine error of the last call that failed (0 after success).
    int32_t lastError() const { return lastError_; }

    // Replaces the 30 ms pause between attempts (tests count pauses instead of waiting).
    void SetRetryPause(std::function<void(std::chrono::milliseconds)> pause);

    // Other code may have moved the engine's key cursor since the last call: the next step
    // searches for its starting entry first. The browser calls this at the start of each action.
    void ForgetCursor() { cursorValid_ = false; }

    // Stepping. Each answers the error class; on None `entry` holds the entry found. First and Last
    // find the ends of the range, Seek the first entry at or after `entry`, Next and Prev the
    // neighbours of `entry`.
    engine::ErrorClass First(BrowserEntry& entry);
    engine::ErrorClass Last(BrowserEntry& entry);
    engine::ErrorClass Seek(BrowserEntry& entry);
    engine::ErrorClass Next(BrowserEntry& entry);
    engine::ErrorClass Prev(BrowserEntry& entry);

    // Reads the entry's record into the record buffer; `live` is false for a deleted slot.
    engine::ErrorClass ReadRecord(int32_t recordNumber, bool& live);
    // Number of entries of the key (UsedKeys) or of live records (UsedRecords).
    engine::ErrorClass Count(int32_t& count);
    // Scroll position 0..63 of an entry, and the entry near a position.
    engine::ErrorClass PositionOf(const BrowserEntry& entry, int32_t& position);
    engine::ErrorClass EntryAt(int32_t position, BrowserEntry& entry);

private:
    enum class Move { SearchEntry, NextKey, PrevKey, NextRecord, PrevRecord, RecordAtOrAfter };

    template <typename Call>
    engine::ErrorClass Retrying(Call call);
    // One engine step from `entry` (retried), leaving the entry it reached there.
    engine::ErrorClass Step(Move move, BrowserEntry& entry);
    // The engine cursor put exactly on `entry` (or, when it is gone, on the entry before the
    // place it had), so that NextKey and PrevKey continue from it.
    engine::ErrorClass PlaceCursor(const BrowserEntry& entry, bool& onEntry);
    bool BelowRange(const std::string& key) const;
    bool AboveRange(const std::string& key) const;
    // None when `entry` lies inside the range, else the expected answer of running off an end.
    engine::ErrorClass InRange(const BrowserEntry& entry);
    void Remember(const BrowserEntry& entry);

    engine::Engine& engine_;
    engine::FileBlockHandle fileBlock_;
    int keyNumber_;
    std::string lowKey_;
    std::string highKey_;
    std::span<std::byte> recordBuffer_;
    std::function<void(std::chrono::milliseconds)> pause_;
    int32_t lastError_ = 0;
    BrowserEntry cursor_;  // where the engine cursor of the key stands after our last step
    bool cursorValid_ = false;
};

}  // namespace widgets

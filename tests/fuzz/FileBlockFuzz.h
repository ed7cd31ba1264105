#pragma once
// One fuzz input run against the engine: a data file image, an index file image (or a fresh
// block) and a short operation script that opens, searches, walks, changes, closes and rebuilds,
// while reads, writes, flushes or renames fail where the script arms a fault.
// Built into the libFuzzer target and into the ordinary tests, which replay the saved corpus.
//
// Input layout:
//   byte 0          bit 0: create a fresh block instead of loading images; bits 1-2: buffers
//   fresh block:    record length byte, key count byte, one byte per key (length, 0x80 duplicates)
//   images:         u16 length + data file bytes, u16 length + index file bytes
//   then operations: one opcode byte each, followed by its argument bytes

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/FaultInjectingFileSystem.h"
#include "fuzz/DiskFileSystem.h"
#include "fuzz/MemoryFileSystem.h"

namespace fuzz {

class InputReader {
public:
    InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool AtEnd() const { return position_ >= size_; }
    uint8_t Byte() { return AtEnd() ? 0 : data_[position_++]; }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | Byte() << 8); }
    std::string Bytes(size_t count) {
        count = std::min(count, size_ - std::min(position_, size_));
        std::string bytes(reinterpret_cast<const char*>(data_ + position_), count);
        position_ += count;
        return bytes;
    }
    // A number that mostly lands near the interesting range -2..limit+2, sometimes anywhere.
    int32_t Number(int32_t limit) {
        const uint8_t selector = Byte();
        if (selector == 0xff) {
            int32_t any = 0;
            const std::string raw = Bytes(4);
            std::memcpy(&any, raw.data(), raw.size());
            return any;
        }
        return static_cast<int32_t>(selector % (static_cast<uint32_t>(std::max(limit, 0)) + 5)) - 2;
    }
    std::string Key() { return Bytes(Byte() % 34); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

// `Files` holds the block's files: MemoryFileSystem for the fuzzer, DiskFileSystem for a replay
// through the real file layer.
template <typename Files>
class FileBlockFuzz {
public:
    static constexpr const char* kName = "F";
    static constexpr int kMaxOperations = 400;
    static constexpr int kMaxSteps = 1000;  // entries or records visited by one walk
    static constexpr int kMaxRecordLength = 1 << 16;
    // A rebuild sets up a page pool of its own, which costs more than everything else an input
    // does; a few per input reach every path of it.
    static constexpr int kMaxRebuilds = 3;

    explicit FileBlockFuzz(InputReader& in) : in_(in), files_(stored_), engine_(files_) {}

    void Run() {
        const uint8_t flags = in_.Byte();
        static constexpr int kBuffers[] = {8, 9, 16, 30};
        engine_.InitEngine(0, kBuffers[(flags >> 1) & 3]);
        if (flags & 1) {
            const int recordLength = 21 + in_.Byte();
            const int keyCount = in_.Byte() % 5;
            for (int k = 0; k < keyCount; ++k) {
                const uint8_t keyByte = in_.Byte();
                keys_.push_back(
                    {static_cast<uint8_t>(1 + (keyByte & 0x7f) % 30), (keyByte & 0x80) != 0});
            }
            engine_.CreateFileBlock(kName, recordLength, keyCount, keys_.data());
        } else {
            stored_.Put("F.DAT", in_.Bytes(in_.Word()));
            stored_.Put("F.IX", in_.Bytes(in_.Word()));
            for (int k = 0; k < 4; ++k)
                keys_.push_back({static_cast<uint8_t>(1 + k * 9), k % 2 == 1});
        }
        Open();
        for (int i = 0; i < kMaxOperations && !in_.AtEnd(); ++i) Step(in_.Byte() % 24);
        engine_.ExitEngine();
    }

private:
    void Open() {
        engine_.OpenFileBlock(fb_, kName);
        if (!engine_.ok()) {
            fb_ = nullptr;
            return;
        }
        const int32_t length = engine_.RecordLength(fb_);
        recordLength_ = length >= 0 && length <= kMaxRecordLength ? length : 0;
        record_.assign(static_cast<size_t>(recordLength_), '\0');
        keyCount_ = engine_.KeyCount(fb_);
    }

    bool HasRecords() const { return fb_ != nullptr && recordLength_ > 0; }
    int32_t Count() { return fb_ ? engine_.FileLength(fb_) : 0; }
    int KeyNumber() { return static_cast<int>(in_.Byte() % (keyCount_ + 2)); }

    void FillRecord() {
        const std::string bytes = in_.Bytes(in_.Byte());
        std::fill(record_.begin(), record_.end(), '\0');
        if (record_.size() > 4)
            std::memcpy(record_.data() + 4, bytes.data(),
                        std::min(bytes.size(), record_.size() - 4));
    }

    void Step(int operation) {
        int32_t n = 0;
        std::string key;
        switch (operation) {
            case 0:
                if (!HasRecords()) return;
                FillRecord();
                engine_.AddRecord(fb_, n, std::as_bytes(std::span(record_)));
                return;
            case 1:
                if (HasRecords())
                    engine_.GetRecord(fb_, in_.Number(Count()),
                                      std::as_writable_bytes(std::span(record_)));
                return;
            case 2:
                if (!HasRecords()) return;
                n = in_.Number(Count());
                FillRecord();
                engine_.PutRecord(fb_, n, std::as_bytes(std::span(record_)));
                return;
            case 3:
                engine_.DeleteRecord(fb_, in_.Number(Count()));
                return;
            case 4:
                n = in_.Number(Count());
                engine_.TestRecord(fb_, n, static_cast<int>(in_.Byte() % 3) - 1);
                return;
            case 5:
                n = in_.Number(Count());
                engine_.NextUsedRecord(fb_, n);
                return;
            case 6:
                n = in_.Number(Count());
                engine_.PrevUsedRecord(fb_, n);
                return;
            case 7:
            case 8: {
                const int k = KeyNumber();
                n = in_.Number(Count());
                key = in_.Key();
                if (operation == 7)
                    engine_.AddKey(fb_, k, n, key);
                else
                    engine_.DeleteKey(fb_, k, n, key);
                return;
            }
            case 9: {
                const int k = KeyNumber();
                key = in_.Key();
                engine_.SearchKey(fb_, k, n, key);
                return;
            }
            case 10:
            case 11: {
                const int k = KeyNumber();
                n = in_.Number(Count());
                key = in_.Key();
                if (operation == 10)
                    engine_.NextKey(fb_, k, n, key);
                else
                    engine_.PrevKey(fb_, k, n, key);
                return;
            }
            case 12: {
                const int k = KeyNumber();
                n = in_.Number(Count());
                key = in_.Key();
                engine_.KeyToPosition(fb_, k, n, key, in_.Number(64));
                return;
            }
            case 13: {
                const int k = KeyNumber();
                const int32_t position = in_.Number(64);
                engine_.PositionToKey(fb_, k, position, in_.Number(64), n, key);
                return;
            }
            case 14:
                engine_.RecordToPosition(fb_, in_.Number(Count()), in_.Number(64));
                return;
            case 15:
                engine_.PositionToRecord(fb_, in_.Number(64), in_.Number(64));
                return;
            case 16:
                engine_.UsedKeys(fb_, KeyNumber());
                engine_.UsedRecords(fb_);
                return;
            case 17:
                engine_.CloseFileBlock(fb_);
                Open();
                return;
            case 18:
                Rebuild();
                return;
            case 19:
                WalkKeys(KeyNumber(), in_.Byte() & 1);
                return;
            case 20:
                ScanRecords();
                return;
            case 21:
                AddKeyedRecords(in_.Byte());
                return;
            case 22:
                ArmFault();
                return;
            default:
                files_.Clear();
                return;
        }
    }

    // Many records with keys built from their bytes, to grow trees past a page or two.
    void AddKeyedRecords(int count) {
        if (!HasRecords()) return;
        const uint8_t seed = in_.Byte();
        for (int i = 0; i < count * 2; ++i) {
            std::fill(record_.begin(), record_.end(), '\0');
            for (size_t b = 4; b < record_.size() && b < 40; ++b)
                record_[b] =
                    static_cast<char>('A' + (seed * 31 + i * 7 + static_cast<int>(b) * i) % 26);
            int32_t n = 0;
            engine_.AddRecord(fb_, n, std::as_bytes(std::span(record_)));
            if (!engine_.ok()) return;
            for (int k = 1; k <= keyCount_; ++k)
                engine_.AddKey(fb_, k, n, BuildKey(record_.data(), k));
        }
    }

    std::string BuildKey(const void* record, int keyNumber) const {
        const size_t length = keyNumber <= static_cast<int>(keys_.size())
                                  ? keys_[static_cast<size_t>(keyNumber - 1)].length
                                  : 1;
        const size_t available = recordLength_ > 4 ? static_cast<size_t>(recordLength_) - 4 : 0;
        std::string key(static_cast<const char*>(record) + 4, std::min(length, available));
        key.erase(key.find_last_not_of('\0') + 1);
        return key;
    }

    void WalkKeys(int keyNumber, bool backwards) {
        int32_t n = 0;
        std::string key;
        for (int i = 0; i < kMaxSteps; ++i) {
            if (backwards)
                engine_.PrevKey(fb_, keyNumber, n, key);
            else
                engine_.NextKey(fb_, keyNumber, n, key);
            if (!engine_.ok()) return;
            if (HasRecords()) engine_.GetRecord(fb_, n, std::as_writable_bytes(std::span(record_)));
        }
    }

    void ScanRecords() {
        int32_t n = 0;
        for (int i = 0; i < kMaxSteps; ++i) {
            engine_.NextUsedRecord(fb_, n);
            if (!engine_.ok() || !HasRecords()) return;
            engine_.GetRecord(fb_, n, std::as_writable_bytes(std::span(record_)));
        }
    }

    void Rebuild() {
        if (++rebuilds_ > kMaxRebuilds) return;
        if (fb_) engine_.CloseFileBlock(fb_);
        const int length = recordLength_ > 0 ? recordLength_ : StoredRecordLength();
        engine_.RebuildDataFile(kName, length, length, engine::KeepLiveRecord);
        if (engine_.ok()) {
            const int saved = recordLength_;
            recordLength_ = length;
            const auto buildKey = [this](std::span<const std::byte> record, int keyNumber) {
                return BuildKey(record.data(), keyNumber);
            };
            bool logWritten = false;
            engine_.RebuildIndex(kName, static_cast<int>(keys_.size()), keys_.data(), buildKey,
                                 true, logWritten);
            recordLength_ = saved;
        }
        Open();
    }

    // The record length in the data header, for a block that could not be opened.
    int StoredRecordLength() {
        const std::string* data = stored_.Find("F.DAT");
        int32_t length = 0;
        if (data && data->size() >= 16) std::memcpy(&length, data->data() + 12, 4);
        return length >= 21 && length <= kMaxRecordLength ? length : 21 + in_.Byte();
    }

    // The next few reads, writes, flushes or renames fail, once or from then on.
    void ArmFault() {
        using Fs = engine::FaultInjectingFileSystem;
        const uint8_t choice = in_.Byte();
        const int64_t nth = 1 + in_.Byte() % 16;
        const Fs::Repeat repeat = choice & 4 ? Fs::Repeat::FromThenOn : Fs::Repeat::Once;
        const Fs::Kind kind = choice & 8 ? Fs::Kind::ShortTransfer : Fs::Kind::Error;
        switch (choice & 3) {
            case 0:
                files_.FailRead(nth, repeat, kind);
                return;
            case 1:
                files_.FailWrite(nth, repeat, kind);
                return;
            case 2:
                files_.FailFlush(nth, repeat);
                return;
            default:
                files_.FailRename(nth, repeat);
                return;
        }
    }

    InputReader& in_;
    Files stored_;
    engine::FaultInjectingFileSystem files_;
    engine::Engine engine_;
    engine::FileBlockHandle fb_ = nullptr;
    std::vector<engine::KeyDescriptor> keys_;
    std::string record_;
    int32_t recordLength_ = 0;
    int keyCount_ = 0;
    int rebuilds_ = 0;
};

inline void RunFileBlockInput(const uint8_t* data, size_t size) {
    InputReader in(data, size);
    FileBlockFuzz<MemoryFileSystem>(in).Run();
}

// The same input on real files in the current folder.
inline void RunFileBlockInputOnDisk(const uint8_t* data, size_t size) {
    InputReader in(data, size);
    FileBlockFuzz<DiskFileSystem>(in).Run();
}

}  // namespace fuzz

#pragma once
// The file convention of BlockFile for one record type: records go in and come out as R, and key
// walks answer the engine's class, so that a damaged index ends a list with its error instead of
// a list that is silently short. The engine still knows no layout: R brings its own length and
// builds its own keys.

#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "engine/BlockFile.h"

namespace engine {

template <typename R>
concept StoredRecord = requires(R record, const R& constRecord, int keyNumber) {
    { R::kSize } -> std::convertible_to<int>;
    { record.bytes() } -> std::convertible_to<std::span<std::byte>>;
    { constRecord.bytes() } -> std::convertible_to<std::span<const std::byte>>;
    { constRecord.key(keyNumber) } -> std::convertible_to<std::string>;
};

// One entry of a key order with the record it names.
template <typename R>
struct KeyEntry {
    int32_t recordNumber = 0;
    std::string key;
    R record;
};

template <StoredRecord R>
class RecordFile {
public:
    // The description's record length is R's; calls with an R shorter than it fail with 10025.
    RecordFile(Engine& engine, FileDescription description, base::PromptService& prompts,
               RebuildObserver* observer = nullptr)
        : file_(engine, std::move(description), prompts, observer) {}

    [[nodiscard]] bool Open() { return file_.Open(); }
    [[nodiscard]] bool OpenReadOnly() { return file_.OpenReadOnly(); }
    [[nodiscard]] bool Close() { return file_.Close(); }
    [[nodiscard]] bool Create() { return file_.Create(); }
    [[nodiscard]] bool Rebuild() { return file_.Rebuild(); }
    bool IsOpen() const { return file_.IsOpen(); }
    FileBlockHandle handle() const { return file_.handle(); }
    const FileDescription& description() const { return file_.description(); }
    Engine& engine() { return file_.engine(); }
    BlockFile& block() { return file_; }
    bool gaveUp() const { return file_.gaveUp(); }

    [[nodiscard]] bool Add(const R& record, int32_t& recordNumber) {
        return file_.Add(record.bytes(), recordNumber);
    }
    [[nodiscard]] UpdateOutcome Update(int32_t recordNumber, const R& record, const R& original) {
        return file_.Update(recordNumber, record.bytes(), original.bytes());
    }
    [[nodiscard]] bool Delete(int32_t recordNumber, const R& record) {
        return file_.Delete(recordNumber, record.bytes());
    }
    [[nodiscard]] bool Get(int32_t recordNumber, R& record) {
        return file_.GetRecord(recordNumber, record.bytes());
    }

    // Key walks in key order `keyNumber`. Each answers the engine's class: None with `entry`
    // filled, Expected when there is no such entry, anything else an error whose number is in
    // engine().error(). Search finds the first entry at or after `key`; Next and Prev the
    // neighbours of `entry`.
    [[nodiscard]] ErrorClass Search(int keyNumber, std::string_view key, KeyEntry<R>& entry) {
        entry.key.assign(key);
        return Fetch(file_.SearchKey(keyNumber, entry.recordNumber, entry.key), entry);
    }
    [[nodiscard]] ErrorClass Next(int keyNumber, KeyEntry<R>& entry) {
        return Fetch(file_.NextKey(keyNumber, entry.recordNumber, entry.key), entry);
    }
    [[nodiscard]] ErrorClass Prev(int keyNumber, KeyEntry<R>& entry) {
        return Fetch(file_.PrevKey(keyNumber, entry.recordNumber, entry.key), entry);
    }

    // Calls visit(entry) for every entry of key order `keyNumber`, in order. None when the walk
    // reached the end, else the class of the error that stopped it.
    template <typename Visit>
    [[nodiscard]] ErrorClass ForEach(int keyNumber, Visit visit) {
        KeyEntry<R> entry;
        ErrorClass outcome = Search(keyNumber, {}, entry);
        for (; outcome == ErrorClass::None; outcome = Next(keyNumber, entry)) visit(entry);
        return outcome == ErrorClass::Expected ? ErrorClass::None : outcome;
    }

    // Calls visit(recordNumber, record) for every live record, in record order (the fastest
    // whole-file read). False when the engine could not read the file to its end.
    template <typename Visit>
    [[nodiscard]] bool ForEachRecord(Visit visit) {
        R record;
        for (int32_t recordNumber = 0;;) {
            engine().NextUsedRecord(handle(), recordNumber);
            if (engine().errorClass() == ErrorClass::Expected) return true;
            if (!engine().ok() || !Get(recordNumber, record)) return false;
            visit(recordNumber, std::as_const(record));
        }
    }

private:
    ErrorClass Fetch(bool found, KeyEntry<R>& entry) {
        if (found) static_cast<void>(Get(entry.recordNumber, entry.record));
        return engine().errorClass();
    }

    BlockFile file_;
};

}  // namespace engine

#pragma once
// Access to the fields of fixed-length records.
//
// Text fields are length-prefixed: one length byte, then at most `size` characters (Windows-1252),
// then zeros. A record buffer is zero-filled before it is filled, so unused bytes are zero; bytes
// the program does not know (reserved areas) are carried along untouched. Integers are
// little-endian.
//
// Each record type lists its fields once, as rows X(Kind, getter, setter, offset, size) of an
// X-macro; KT_RECORD_ACCESSORS turns the rows into named accessors and KT_RECORD_FIELD_INFO into
// the field table that the field dump and the layout tests walk:
//   Text   std::string getter() const / void setter(std::string_view)  - cut to `size` when set
//   Flag   bool getter() const / void setter(bool)  - one byte 0/1, any non-zero byte reads true
//   YesNo  bool getter() const / void setter(bool)  - a 1+1 text, true only when it holds "Y"
//   Money  an amount: the Text accessors for the stored text, and beside them
//          base::Decimal getterAmount() const / bool setterAmount(base::Decimal), see ReadMoney
//   Font   a font block (declared with the font type in records/FontSpec.h)

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "base/Decimal.h"

namespace base {

// Reads a length-prefixed text; a length byte above `size` (a damaged record) reads as `size`.
std::string ReadText(const uint8_t* record, int offset, int size);
// Writes the length byte and at most `size` characters; the rest of the field becomes zero.
void WriteText(uint8_t* record, int offset, int size, std::string_view text);

// An amount field read as a number: commas removed, exact; zero when the text is not a number
// (an empty field, or damage), as running totals read it.
Decimal ReadMoney(const uint8_t* record, int offset, int size);
// Writes an amount with the "0.00" pattern (no thousands separators, rounded half away from zero).
// False, and the field unchanged, when that text needs more than `size` characters: an amount is
// never stored cut short.
bool WriteMoney(uint8_t* record, int offset, int size, Decimal value);

int32_t ReadInt32(const uint8_t* record, int offset);
void WriteInt32(uint8_t* record, int offset, int32_t value);

// A key as the files build it from a field: trimmed, left-aligned and blank-padded to `width`
// (the "%-Ns" pattern, which never shortens), upper-cased, and held in at most 30 characters.
std::string KeyText(std::string_view field, int width);
// The same without trimming and upper-casing (the sortable-date keys of the invoice file).
std::string PaddedKeyText(std::string_view field, int width);

enum class FieldKind { Text, Flag, YesNo, Money, Font };

struct FieldInfo {
    const char* name;  // the getter's name
    FieldKind kind;
    int offset;
    int size;  // characters of a text or an amount, 1 for a flag or Y/N, name length of a font
};

// The bytes of one record of `Size` bytes, zero-filled on construction.
template <int Size>
class FixedRecord {
public:
    static constexpr int kSize = Size;

    uint8_t* data() { return bytes_.data(); }
    const uint8_t* data() const { return bytes_.data(); }
    // The record as the engine reads and writes it.
    std::span<std::byte, Size> bytes() { return std::as_writable_bytes(std::span(bytes_)); }
    std::span<const std::byte, Size> bytes() const { return std::as_bytes(std::span(bytes_)); }
    void Clear() { bytes_.fill(0); }
    // Copies a record's bytes; a shorter buffer leaves the rest zero, a longer one is cut.
    void Assign(std::span<const std::byte> bytes) {
        Clear();
        std::memcpy(bytes_.data(), bytes.data(), std::min(bytes.size(), bytes_.size()));
    }

    friend bool operator==(const FixedRecord&, const FixedRecord&) = default;

protected:
    std::string text(int offset, int size) const { return ReadText(data(), offset, size); }
    void setText(int offset, int size, std::string_view value) {
        WriteText(data(), offset, size, value);
    }
    bool flag(int offset) const { return bytes_[offset] != 0; }
    void setFlag(int offset, bool on) { bytes_[offset] = on ? 1 : 0; }
    bool yesNo(int offset) const { return text(offset, 1) == "Y"; }
    void setYesNo(int offset, bool yes) { setText(offset, 1, yes ? "Y" : "N"); }
    Decimal money(int offset, int size) const { return ReadMoney(data(), offset, size); }
    bool setMoney(int offset, int size, Decimal value) {
        return WriteMoney(data(), offset, size, value);
    }

private:
    std::array<uint8_t, Size> bytes_{};
};

// The engine's key builder for a record type: key N of a record handed over as raw bytes.
template <typename Record>
std::string BuildKeyOf(std::span<const std::byte> bytes, int keyNumber) {
    Record record;
    record.Assign(bytes);
    return record.key(keyNumber);
}

}  // namespace base

#define KT_RECORD_ACCESSORS(Kind, getter, setter, offset, size) \
    KT_RECORD_ACCESSOR_##Kind(getter, setter, offset, size)
#define KT_RECORD_FIELD_INFO(Kind, getter, setter, offset, size) \
    base::FieldInfo{#getter, base::FieldKind::Kind, offset, size},

#define KT_RECORD_ACCESSOR_Text(getter, setter, offset, size) \
    std::string getter() const {                              \
        return text(offset, size);                            \
    }                                                         \
    void setter(std::string_view value) {                     \
        setText(offset, size, value);                         \
    }
#define KT_RECORD_ACCESSOR_Flag(getter, setter, offset, size) \
    bool getter() const {                                     \
        return flag(offset);                                  \
    }                                                         \
    void setter(bool on) {                                    \
        setFlag(offset, on);                                  \
    }
#define KT_RECORD_ACCESSOR_YesNo(getter, setter, offset, size) \
    bool getter() const {                                      \
        return yesNo(offset);                                  \
    }                                                          \
    void setter(bool yes) {                                    \
        setYesNo(offset, yes);                                 \
    }
#define KT_RECORD_ACCESSOR_Money(getter, setter, offset, size) \
    std::string getter() const {                               \
        return text(offset, size);                             \
    }                                                          \
    void setter(std::string_view value) {                      \
        setText(offset, size, value);                          \
    }                                                          \
    base::Decimal getter##Amount() const {                     \
        return money(offset, size);                            \
    }                                                          \
    bool setter##Amount(base::Decimal value) {                 \
        return setMoney(offset, size, value);                  \
    }

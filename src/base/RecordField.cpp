#include "base/RecordField.h"

#include <algorithm>

#include "base/Text.h"
#include "base/Windows1252.h"

namespace base {

std::string ReadText(const uint8_t* record, int offset, int size) {
    const int length = std::min<int>(record[offset], size);
    return std::string(reinterpret_cast<const char*>(record + offset + 1), length);
}

void WriteText(uint8_t* record, int offset, int size, std::string_view text) {
    const int length = std::min<int>(static_cast<int>(text.size()), size);
    record[offset] = static_cast<uint8_t>(length);
    std::memcpy(record + offset + 1, text.data(), length);
    std::memset(record + offset + 1 + length, 0, size - length);
}

namespace {
constexpr int kMaxKeyLength = 30;
constexpr char kMoneyPattern[] = "0.00";
}  // namespace

Decimal ReadMoney(const uint8_t* record, int offset, int size) {
    return Decimal::ParseOrZero(ReadText(record, offset, size));
}

bool WriteMoney(uint8_t* record, int offset, int size, Decimal value) {
    const std::string text = value.Format(kMoneyPattern);
    if (static_cast<int>(text.size()) > size) return false;
    WriteText(record, offset, size, text);
    return true;
}

std::string KeyText(std::string_view field, int width) {
    return PaddedKeyText(Win1252Upper(Trim(field)), width);
}

std::string PaddedKeyText(std::string_view field, int width) {
    return CutTo(PadRight(field, width), kMaxKeyLength);
}

int32_t ReadInt32(const uint8_t* record, int offset) {
    const uint8_t* p = record + offset;
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                uint32_t(p[3]) << 24);
}

void WriteInt32(uint8_t* record, int offset, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) record[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

}  // namespace base

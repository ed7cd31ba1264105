#include "statements/ReportOrder.h"

#include <algorithm>
#include <array>
#include <compare>
#include <cstring>
#include <string_view>

namespace statements {
namespace {

constexpr size_t kKeyedColumns = 3;
constexpr size_t kKeyBytes = 15;

// The first 15 bytes of a text (zeros after its end) and its length, capped at 16, as two
// numbers. Where two keys differ they order as their texts do: a text that ends is a prefix of
// the other. Equal keys of texts shorter than 16 bytes mean equal texts; longer texts that share
// their first 15 bytes have equal keys and are compared whole.
struct TextKey {
    uint64_t high = 0;
    uint64_t low = 0;
    friend auto operator<=>(const TextKey&, const TextKey&) = default;
    bool Whole() const { return (low & 0xFF) <= kKeyBytes; }
};

TextKey KeyOf(std::string_view text) {
    std::array<unsigned char, kKeyBytes + 1> bytes{};
    std::memcpy(bytes.data(), text.data(), std::min(text.size(), kKeyBytes));
    bytes[kKeyBytes] = static_cast<unsigned char>(std::min(text.size(), kKeyBytes + 1));
    TextKey key;
    for (size_t i = 0; i < 8; ++i) key.high = key.high << 8 | bytes[i];
    for (size_t i = 8; i < bytes.size(); ++i) key.low = key.low << 8 | bytes[i];
    return key;
}

bool SameCell(const ReportCell& a, const ReportCell& b) {
    return a.text == b.text && a.value == b.value;
}

struct Entry {
    std::array<TextKey, kKeyedColumns> keys;
    uint32_t row;
};

}  // namespace

int CompareCells(const ReportCell& a, const ReportCell& b) {
    if (a.value && b.value) return *a.value < *b.value ? -1 : (*b.value < *a.value ? 1 : 0);
    return a.text.compare(b.text);
}

std::vector<uint32_t> OrderRows(const Report& report, const std::vector<int>& columns) {
    const std::vector<ReportRow>& rows = report.rows;
    // The columns that can tell rows apart, and which of the first of them order by text alone.
    std::vector<int> compared;
    std::vector<bool> textOnly;
    for (const int column : columns) {
        bool alike = true, values = false;
        for (const ReportRow& row : rows) {
            alike = alike && SameCell(row.cells[column], rows.front().cells[column]);
            values = values || row.cells[column].value.has_value();
        }
        if (alike) continue;
        compared.push_back(column);
        textOnly.push_back(!values);
    }
    const size_t keyed = std::min(compared.size(), kKeyedColumns);

    std::vector<Entry> entries(rows.size());
    for (uint32_t index = 0; index < entries.size(); ++index) {
        entries[index].row = index;
        for (size_t position = 0; position < keyed; ++position)
            if (textOnly[position])
                entries[index].keys[position] = KeyOf(rows[index].cells[compared[position]].text);
    }
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        for (size_t position = 0; position < compared.size(); ++position) {
            if (position < keyed && textOnly[position]) {
                const TextKey& left = a.keys[position];
                const TextKey& right = b.keys[position];
                if (left != right) return left < right;
                if (left.Whole()) continue;
            }
            const int column = compared[position];
            const int order = CompareCells(rows[a.row].cells[column], rows[b.row].cells[column]);
            if (order != 0) return order < 0;
        }
        return false;
    });

    std::vector<uint32_t> order(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) order[i] = entries[i].row;
    return order;
}

}  // namespace statements

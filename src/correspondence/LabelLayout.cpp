#include "correspondence/LabelLayout.h"

#include <array>
#include <cstdint>

#include "base/RecordField.h"

namespace correspondence {
namespace {

struct TextField {
    int offset;
    int size;
};
constexpr TextField kDescription{0, 50};
constexpr TextField kLeftMargin{51, 3};
constexpr TextField kTopMargin{55, 3};
constexpr TextField kColumns{59, 1};
constexpr TextField kRows{61, 2};
constexpr TextField kWidth{64, 4};
constexpr TextField kHeight{69, 4};
constexpr TextField kFontName{74, 32};
constexpr TextField kBitmap{119, 255};
constexpr TextField kLineWidth{427, 1};
constexpr TextField kCaption{431, 10};
constexpr std::array kTextFields = {kDescription, kLeftMargin, kTopMargin, kColumns,
                                    kRows,        kWidth,      kHeight,    kFontName,
                                    kBitmap,      kLineWidth,  kCaption};
constexpr int kShipping = 117;
constexpr int kReturnAddress = 118;
constexpr int kPrintLine = 426;
constexpr std::array kFlags = {kShipping, kReturnAddress, kPrintLine};

constexpr TextField kLastPath{0, 255};

using Record = std::array<uint8_t, kLabelLayoutSize>;

void Put(Record& record, TextField field, std::string_view text) {
    base::WriteText(record.data(), field.offset, field.size, text);
}
std::string Get(const Record& record, TextField field) {
    return base::ReadText(record.data(), field.offset, field.size);
}

}  // namespace

LabelLayout StoredForm(LabelLayout layout) {
    if (!layout.returnAddress) {
        layout.bitmap = " ";
        layout.printLine = false;
    }
    return layout;
}

std::string LabelLayoutBytes(const LabelLayout& given) {
    const LabelLayout layout = StoredForm(given);
    Record record{};
    Put(record, kDescription, layout.description);
    Put(record, kLeftMargin, layout.leftMargin);
    Put(record, kTopMargin, layout.topMargin);
    Put(record, kColumns, layout.columnsAcross);
    Put(record, kRows, layout.rowsDown);
    Put(record, kWidth, layout.labelWidth);
    Put(record, kHeight, layout.labelHeight);
    records::WriteFont(record.data(), kFontName.offset, kFontName.size, layout.font);
    record[kShipping] = layout.shippingAddress;
    record[kReturnAddress] = layout.returnAddress;
    Put(record, kBitmap, layout.bitmap);
    record[kPrintLine] = layout.printLine;
    Put(record, kLineWidth, layout.lineWidth);
    Put(record, kCaption, layout.sendToCaption);
    return std::string(reinterpret_cast<const char*>(record.data()), record.size());
}

std::optional<LabelLayout> ReadLabelLayout(std::string_view bytes) {
    if (bytes.size() != kLabelLayoutSize) return std::nullopt;
    Record record;
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(record.data()));
    for (const TextField& field : kTextFields)
        if (record[field.offset] > field.size) return std::nullopt;
    for (int flag : kFlags)
        if (record[flag] > 1) return std::nullopt;
    LabelLayout layout;
    layout.description = Get(record, kDescription);
    layout.leftMargin = Get(record, kLeftMargin);
    layout.topMargin = Get(record, kTopMargin);
    layout.columnsAcross = Get(record, kColumns);
    layout.rowsDown = Get(record, kRows);
    layout.labelWidth = Get(record, kWidth);
    layout.labelHeight = Get(record, kHeight);
    layout.font = records::ReadFont(record.data(), kFontName.offset, kFontName.size);
    layout.shippingAddress = record[kShipping] == 1;
    layout.returnAddress = record[kReturnAddress] == 1;
    layout.bitmap = Get(record, kBitmap);
    layout.printLine = record[kPrintLine] == 1;
    layout.lineWidth = Get(record, kLineWidth);
    layout.sendToCaption = Get(record, kCaption);
    return layout;
}

std::string NotALayoutText(std::string_view path) {
    return std::string(path) +
           " is not a label layout file, or it is damaged. Nothing was changed.";
}

std::optional<std::string> LastLayoutBytes(std::string_view path) {
    if (path.empty() || path.size() > static_cast<size_t>(kLastPath.size)) return std::nullopt;
    std::array<uint8_t, kLastLayoutSize> record{};
    base::WriteText(record.data(), kLastPath.offset, kLastPath.size, path);
    return std::string(reinterpret_cast<const char*>(record.data()), record.size());
}

std::optional<std::string> ReadLastLayout(std::string_view bytes) {
    if (bytes.size() != kLastLayoutSize) return std::nullopt;
    const auto* record = reinterpret_cast<const uint8_t*>(bytes.data());
    std::string path = base::ReadText(record, kLastPath.offset, kLastPath.size);
    if (path.empty()) return std::nullopt;
    return path;
}

}  // namespace correspondence

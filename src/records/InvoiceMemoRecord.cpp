#include "records/InvoiceMemoRecord.h"

namespace records {

std::string InvoiceMemoRecord::line(int index) const {
    if (index < 0 || index >= kLineCount) return {};
    return text(LineOffset(index), kLineLength);
}

void InvoiceMemoRecord::setLine(int index, std::string_view value) {
    if (index < 0 || index >= kLineCount) return;
    setText(LineOffset(index), kLineLength, value);
}

std::vector<std::string> InvoiceMemoRecord::lines() const {
    std::vector<std::string> out;
    for (int i = 0; i < kLineCount; ++i) out.push_back(line(i));
    return out;
}

void InvoiceMemoRecord::setLines(const std::vector<std::string>& lines) {
    for (int i = 0; i < kLineCount; ++i)
        setLine(i, i < static_cast<int>(lines.size()) ? lines[i] : std::string());
}

const std::vector<base::FieldInfo>& InvoiceMemoRecord::Fields() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (int i = 1; i <= kLineCount; ++i) n.push_back("line" + std::to_string(i));
        return n;
    }();
    static const std::vector<base::FieldInfo> fields = [] {
        std::vector<base::FieldInfo> f = {{"invoiceNumber", base::FieldKind::Text, 4, 9}};
        for (int i = 0; i < kLineCount; ++i)
            f.push_back({names[i].c_str(), base::FieldKind::Text, LineOffset(i), kLineLength});
        return f;
    }();
    return fields;
}

const KeyTable<InvoiceMemoRecord>& InvoiceMemoRecord::Keys() {
    static const KeyTable<InvoiceMemoRecord> keys = {
        .keys = {{9, kUnique, &InvoiceMemoRecord::invoiceNumber}},
        .addOrder = {1},
        .updateOrder = {1}};
    return keys;
}

}  // namespace records

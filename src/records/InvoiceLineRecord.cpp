#include "records/InvoiceLineRecord.h"

#include "base/Text.h"

namespace records {

namespace {

struct Column {
    int start;  // 0-based
    int width;
};
constexpr Column kQuantity{0, 10};
constexpr Column kDescription{10, 32};
constexpr Column kUnitPrice{42, 10};
constexpr Column kTaxMark{52, 1};
constexpr Column kExtension{53, 10};

std::string Piece(const std::string& text, Column column) {
    if (static_cast<int>(text.size()) <= column.start) return {};
    return base::Trim(text.substr(column.start, column.width));
}

std::string Fitted(std::string_view value, Column column) {
    return base::PadRight(base::CutTo(value, column.width), column.width);
}

}  // namespace

const std::vector<base::FieldInfo>& InvoiceLineRecord::Fields() {
    static const std::vector<base::FieldInfo> fields = {
        KT_INVOICE_LINE_RECORD_FIELDS(KT_RECORD_FIELD_INFO)};
    return fields;
}

LineColumns InvoiceLineRecord::columns() const {
    const std::string text = lineText();
    return LineColumns{Piece(text, kQuantity), Piece(text, kDescription), Piece(text, kUnitPrice),
                       Piece(text, kTaxMark), Piece(text, kExtension)};
}

void InvoiceLineRecord::setColumns(const LineColumns& columns) {
    setLineText(Fitted(base::RemoveCommas(columns.quantity), kQuantity) +
                Fitted(columns.description, kDescription) +
                Fitted(base::RemoveCommas(columns.unitPrice), kUnitPrice) +
                Fitted(columns.taxMark, kTaxMark) +
                Fitted(base::RemoveCommas(columns.extension), kExtension));
}

const KeyTable<InvoiceLineRecord>& InvoiceLineRecord::Keys() {
    static const KeyTable<InvoiceLineRecord> keys = {
        .keys = {{10, kDuplicates, &InvoiceLineRecord::invoiceDate},
                 {9, kDuplicates, &InvoiceLineRecord::invoiceNumber}},
        .addOrder = {1, 2},
        .updateOrder = {1, 2}};
    return keys;
}

}  // namespace records

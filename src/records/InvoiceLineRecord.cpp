#include "records/InvoiceLineRecord.h"

#include "base/Text.h"
#include "records/CompanyRecord.h"

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

std::string InvoiceLineRecord::key(int keyNumber) const {
    switch (keyNumber) {
        case 1:
            return base::KeyText(invoiceDate(), 10);
        case 2:
            return base::KeyText(invoiceNumber(), 9);
        default:
            return {};
    }
}

engine::FileDescription InvoiceLineFileDescription(std::string_view companyCode) {
    engine::FileDescription file;
    file.name = records::CompanyFileName(companyCode, 'D');
    file.statusCaption = "Detail Records";
    file.recordLength = InvoiceLineRecord::kSize;
    file.keys = {{10, true}, {9, true}};
    file.buildKey = &base::BuildKeyOf<InvoiceLineRecord>;
    file.addOrder = {1, 2};
    file.updateOrder = {1, 2};
    return file;
}

}  // namespace records

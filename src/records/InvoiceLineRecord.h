#pragma once
// One line of an invoice, in the company's detail file (code + "D"). 132 bytes. The line's
// quantity, description, unit price, tax mark and extension share one 65-character text in fixed
// columns (1-based): quantity 1-10, description 11-42, unit price 43-52, tax mark 53, extension
// 54-63. The line is linked to its invoice only by the invoice number.
//
// The field list below is the layout (kind, accessors, OFFSET, SIZE; texts are 1+SIZE bytes).
// Bytes 0-3 belong to the engine; 130-131 are not used (zero).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/RecordField.h"
#include "records/RecordKeys.h"

namespace records {

// clang-format off
#define KT_INVOICE_LINE_RECORD_FIELDS(X)                                    \
    X(Text, lineText,        setLineText,          4, 65)                  \
    X(Text, kind,            setKind,             70,  1)                  \
    X(Text, companyCode,     setCompanyCode,      72,  5)                  \
    X(Text, invoiceNumber,   setInvoiceNumber,    78,  9)                  \
    X(Text, invoiceDate,     setInvoiceDate,      88, 10)                  \
    X(Text, productCode,     setProductCode,      99, 10)                  \
    X(Text, customerNumber,  setCustomerNumber,  110,  8)                  \
    X(Text, shortName,       setShortName,       119, 10)
// clang-format on

// The pieces of a line text, trimmed.
struct LineColumns {
    std::string quantity;
    std::string description;
    std::string unitPrice;
    std::string taxMark;
    std::string extension;
    friend bool operator==(const LineColumns&, const LineColumns&) = default;
};

class InvoiceLineRecord : public base::FixedRecord<132> {
public:
    KT_INVOICE_LINE_RECORD_FIELDS(KT_RECORD_ACCESSORS)

    static const std::vector<base::FieldInfo>& Fields();

    // The line text split at its fixed columns, each piece trimmed.
    LineColumns columns() const;
    // Builds the line text: commas removed from quantity, unit price and extension, each piece
    // left-aligned and padded to its column; a piece longer than its column is cut to it, so the
    // columns always stay where readers look for them.
    void setColumns(const LineColumns& columns);

    // Key 1: the sortable invoice date, 10 wide; key 2: the invoice number, 9 wide; both folded
    // and with duplicates. Added and updated in the order 1, 2.
    static const KeyTable<InvoiceLineRecord>& Keys();
    // Key N as Keys() forms it; empty for any other key number.
    std::string key(int keyNumber) const { return Keys().Build(*this, keyNumber); }
};

static_assert(sizeof(InvoiceLineRecord) == 132);

}  // namespace records

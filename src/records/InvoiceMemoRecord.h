#pragma once
// The free text of a memo invoice, in the company's memo file (code + "M"). 1892 bytes:
//   OFFSET      SIZE  FIELD
//        0         4  engine word
//        4       1+9  invoice number, as typed
//   14 + 75i     1+74 text line i, i = 0..24
//     1889         3  not used (zero)

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/RecordField.h"
#include "records/RecordKeys.h"

namespace records {

class InvoiceMemoRecord : public base::FixedRecord<1892> {
public:
    static constexpr int kLineCount = 25;
    static constexpr int kLineLength = 74;

    std::string invoiceNumber() const { return text(4, 9); }
    void setInvoiceNumber(std::string_view value) { setText(4, 9, value); }

    // Line 0..24; any other index reads empty and writes nothing.
    std::string line(int index) const;
    void setLine(int index, std::string_view value);
    // All 25 lines.
    std::vector<std::string> lines() const;
    // The first 25 lines, each cut to 74 characters; lines not given become empty.
    void setLines(const std::vector<std::string>& lines);

    // The number, then "line1" .. "line25".
    static const std::vector<base::FieldInfo>& Fields();

    // Key 1: the invoice number, 9 wide, folded, unique.
    static const KeyTable<InvoiceMemoRecord>& Keys();
    // Key 1 as Keys() forms it; empty for any other key number.
    std::string key(int keyNumber) const { return Keys().Build(*this, keyNumber); }

private:
    static constexpr int LineOffset(int index) { return 14 + 75 * index; }
};

static_assert(sizeof(InvoiceMemoRecord) == 1892);

}  // namespace records

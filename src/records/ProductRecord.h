#pragma once
// One product or service of a company, as invoice lines pick it: code, description, sales price,
// taxable flag, notes and the dates it was set up and last changed. 300 bytes in the company's
// product file (code + "P").
//
// The field list below is the layout (kind, accessors, OFFSET, SIZE; texts are 1+SIZE bytes, the
// taxable flag one byte 0/1). Bytes 0-3 belong to the engine; 48-58, 71-81 and 255-299 are not
// used (zero in records this program writes, filled by the version-1 import).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/RecordField.h"
#include "records/RecordKeys.h"

namespace records {

// clang-format off
#define KT_PRODUCT_RECORD_FIELDS(X)                                      \
    X(Text,  code,            setCode,              4,  10)             \
    X(Text,  description,     setDescription,      15,  32)             \
    X(Flag,  taxable,         setTaxable,          59,   1)             \
    X(Money, price,           setPrice,            60,  10)             \
    X(Text,  notes,           setNotes,            82, 150)             \
    X(Text,  setupDate,       setSetupDate,       233,  10)             \
    X(Text,  lastChangedDate, setLastChangedDate, 244,  10)
// clang-format on

class ProductRecord : public base::FixedRecord<300> {
public:
    KT_PRODUCT_RECORD_FIELDS(KT_RECORD_ACCESSORS)

    static const std::vector<base::FieldInfo>& Fields();

    // Key 1: the code, 10 wide, unique; key 2: the description, 30 wide, duplicates allowed;
    // both folded. Added and updated in the order 1, 2.
    static const KeyTable<ProductRecord>& Keys();
    // Key N as Keys() forms it; empty for any other key number.
    std::string key(int keyNumber) const { return Keys().Build(*this, keyNumber); }
};

static_assert(sizeof(ProductRecord) == 300);

}  // namespace records

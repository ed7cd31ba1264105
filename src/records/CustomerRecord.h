#pragma once
// One customer of a company: identity, billing and shipping addresses, terms and credit, notes,
// and the running values that invoicing, payments and aging keep (balance, last payment, last
// invoice, four aging amounts). 1008 bytes in the company's customer file (code + "C").
//
// The field list below is the layout (kind, accessors, OFFSET, SIZE; texts are 1+SIZE bytes,
// Y/N fields 1+1 texts "Y"/"N"). Bytes 0-3 belong to the engine; 787-799, 827-852 and 906-1007
// are reserved (zero in records this program writes, filled by the version-1 import).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/RecordField.h"
#include "records/RecordKeys.h"

namespace records {

// clang-format off
#define KT_CUSTOMER_RECORD_FIELDS(X)                                          \
    X(Text,  number,             setNumber,              4,   8)             \
    X(Text,  name,               setName,               13,  35)             \
    X(Money, balance,            setBalance,            49,  12)             \
    X(Text,  lastPaymentDate,    setLastPaymentDate,    62,  10)             \
    X(Text,  lastInvoiceNumber,  setLastInvoiceNumber,  73,   9)             \
    X(Text,  customerType,       setCustomerType,       83,  25)             \
    X(Text,  taxExempt,          setTaxExempt,         109,   1)             \
    X(Money, creditLimit,        setCreditLimit,       111,  10)             \
    X(Text,  terms,              setTerms,             122,  35)             \
    X(Text,  billing1,           setBilling1,          158,  35)             \
    X(Text,  billing2,           setBilling2,          194,  35)             \
    X(Text,  billing3,           setBilling3,          230,  35)             \
    X(Text,  billing4,           setBilling4,          266,  35)             \
    X(Text,  phone1,             setPhone1,            302,  25)             \
    X(Text,  shipping1,          setShipping1,         328,  35)             \
    X(Text,  shipping2,          setShipping2,         364,  35)             \
    X(Text,  shipping3,          setShipping3,         400,  35)             \
    X(Text,  shipping4,          setShipping4,         436,  35)             \
    X(Text,  phone2,             setPhone2,            472,  25)             \
    X(Money, aging1,             setAging1,            498,  10)             \
    X(Money, aging2,             setAging2,            509,  10)             \
    X(Money, aging3,             setAging3,            520,  10)             \
    X(Money, aging4,             setAging4,            531,  10)             \
    X(Text,  notes,              setNotes,             542, 240)             \
    X(YesNo, notesOnInvoices,    setNotesOnInvoices,   783,   1)             \
    X(YesNo, notesOnStatements,  setNotesOnStatements, 785,   1)             \
    X(Text,  shortName,          setShortName,         800,  10)             \
    X(Text,  mailListCode,       setMailListCode,      811,  15)             \
    X(YesNo, creditHold,         setCreditHold,        853,   1)             \
    X(Text,  email,              setEmail,             855,  50)
// clang-format on

class CustomerRecord : public base::FixedRecord<1008> {
public:
    KT_CUSTOMER_RECORD_FIELDS(KT_RECORD_ACCESSORS)

    static const std::vector<base::FieldInfo>& Fields();

    // Key 1: the name, 30 wide, unique; key 2: the number, 8 wide, duplicates allowed; both
    // folded, so customer numbers "a12" and "A12 " build the same key. Added and updated in the
    // order 1, 2.
    static const KeyTable<CustomerRecord>& Keys();
    // Key N as Keys() forms it; empty for any other key number.
    std::string key(int keyNumber) const { return Keys().Build(*this, keyNumber); }

    // A new customer: "0.00" balance and aging amounts, "N" credit hold, no last payment date and
    // no last invoice number.
    void SetNewCustomerValues();
};

static_assert(sizeof(CustomerRecord) == 1008);

}  // namespace records

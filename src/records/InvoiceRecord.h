#pragma once
// One record of a company's invoice file (code + "I"): an invoice header, and in the same layout
// the payment, deposit and repeat-billing records (the type code tells them apart, see
// TransactionType.h). 360 bytes. Amounts are texts without thousands separators.
//
// The field list below is the layout (kind, accessors, OFFSET, SIZE; texts are 1+SIZE bytes).
// Bytes 0-3 belong to the engine; 330-344 and 356-359 are not used (zero).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "base/RecordField.h"
#include "records/RecordKeys.h"

namespace records {

// clang-format off
#define KT_INVOICE_RECORD_FIELDS(X)                                         \
    X(Text,  invoiceNumber,   setInvoiceNumber,     4,  9)                 \
    X(Text,  typeCode,        setTypeCode,         14,  1)                 \
    X(Text,  keyCode,         setKeyCode,          16,  8)                 \
    X(Text,  customerNumber,  setCustomerNumber,   25,  8)                 \
    X(Text,  companyCode,     setCompanyCode,      34,  5)                 \
    X(Text,  date,            setDate,             40, 10)                 \
    X(Text,  printed,         setPrinted,          51,  1)                 \
    X(Text,  month,           setMonth,            53,  2)                 \
    X(Text,  day,             setDay,              56,  2)                 \
    X(Text,  year,            setYear,             59,  4)                 \
    X(Text,  sortDate,        setSortDate,         64, 10)                 \
    X(Text,  notes,           setNotes,            75, 80)                 \
    X(Text,  terms,           setTerms,           156, 35)                 \
    X(Text,  statementNote,   setStatementNote,   192, 35)                 \
    X(Text,  form,            setForm,            228,  1)                 \
    X(Text,  shortName,       setShortName,       230, 10)                 \
    X(Money, net,             setNet,             241, 10)                 \
    X(Money, tax,             setTax,             252, 10)                 \
    X(Money, total,           setTotal,           263, 10)                 \
    X(Money, paid,            setPaid,            274, 10)                 \
    X(Money, balanceDue,      setBalanceDue,      285, 10)                 \
    X(Text,  datePaid,        setDatePaid,        296, 10)                 \
    X(Text,  repeatUnit,      setRepeatUnit,      307,  1)                 \
    X(Text,  paidFlag,        setPaidFlag,        309,  1)                 \
    X(Text,  nextDueDate,     setNextDueDate,     311, 10)                 \
    X(Text,  repeatInterval,  setRepeatInterval,  322,  3)                 \
    X(Text,  generatedCount,  setGeneratedCount,  326,  3)                 \
    X(Text,  emailedDate,     setEmailedDate,     345, 10)
// clang-format on

class InvoiceRecord : public base::FixedRecord<360> {
public:
    KT_INVOICE_RECORD_FIELDS(KT_RECORD_ACCESSORS)

    static const std::vector<base::FieldInfo>& Fields();

    // The document date: `dateText` as the user typed it (the company's date format), and the
    // month, day and year fields and the sortable "yyyy/mm/dd" form from `date`.
    void setDocumentDate(std::string_view dateText, const base::Date& date);

    // All six keys allow duplicates: 1 the number (9 wide), 2 the customer number (8), 3 the
    // sortable date (10, as stored), 4 the key code (8, in an index of key length 10), 5 the type
    // code and number (10), 6 the date paid (10, as stored); the others folded. Added in the key
    // order 1, 2, 3, 4, 6, 5 and updated in the order 1, 3, 4, 5, 6, 2.
    static const KeyTable<InvoiceRecord>& Keys();
    // Key N as Keys() forms it; empty for any other key number.
    std::string key(int keyNumber) const { return Keys().Build(*this, keyNumber); }

private:
    // The text of key 5: type code and number, each trimmed ("Z" and "A100" give "ZA100").
    std::string typeAndNumber() const;
};

static_assert(sizeof(InvoiceRecord) == 360);

}  // namespace records

#pragma once
// The records payment posting writes into the invoice file, with the exact field values of each
// kind: a deposit on account ("D"), a partial payment ("X"), a full payment written as a record
// of its own ("X"), a deposit applied against open items ("T"); and the changes a payment makes
// to the item it settles. Receivables have no file of their own: every open item, payment and
// deposit is an invoice record, told apart by its type code.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"
#include "base/Decimal.h"
#include "records/InvoiceRecord.h"

namespace receivables {

// What the payment window supplies for one posting. Texts are Windows-1252.
struct Payment {
    std::string customerNumber;
    std::string shortName;
    std::string companyCode;
    std::string dateText;  // the payment date as typed, in the company's date format
    base::Date date;       // the same date
    std::string statementNote;
};

// An open item is every record whose paid flag is not "P" and that is not a repeat master.
bool IsOpenItem(const records::InvoiceRecord& record);

// The number of a new deposit when the invoice file holds `liveRecords` records and `step`
// numbers were found taken: "DP" + (live records + 1 + step). Nothing when it would be longer
// than the 9 characters of an invoice number.
std::optional<std::string> DepositNumber(int32_t liveRecords, int32_t step);

// A deposit on account numbered `number`, open, with the amount as a negative balance due (a
// credit until it is applied).
records::InvoiceRecord DepositRecord(const Payment& payment, base::Decimal amount,
                                     std::string_view number);

// The record of a partial payment of `invoice`; settled from the start.
records::InvoiceRecord PartialPaymentRecord(const Payment& payment, base::Decimal amount,
                                            const records::InvoiceRecord& invoice);

// The record of a full payment of `item` ("X"), or of a deposit applied against items ("T"),
// written when the item already carried a paid amount; a copy of the item with the payment's date.
records::InvoiceRecord FullPaymentRecord(const Payment& payment, base::Decimal amount,
                                         const records::InvoiceRecord& item, bool appliedDeposit);

// A partial payment lowers the item's balance due and marks it "Z"; a balance brought to exactly
// zero settles it.
void ApplyPartialPayment(records::InvoiceRecord& item, const Payment& payment,
                         base::Decimal amount);

// A full payment settles the item. When the item had no paid amount yet, the posted amount is
// recorded on it and no payment record is needed (false); otherwise a payment record is (true).
bool ApplyFullPayment(records::InvoiceRecord& item, const Payment& payment, base::Decimal amount);

}  // namespace receivables

#pragma once
// Posting a payment: the lines of the payment window's right list written into the invoice file
// (deposits, partial payments, full payments with their payment records), then the customer's
// balance, last payment date and aging and the company's receivables total. It is one Posting:
// its files held before the first write, journaled against a kill, undone whole when a step
// fails, and no balance moves unless every record was written.
//
// Each line names the record it was listed from. Before anything is written each such record is
// read again and must still be an open item of this customer with the line's number, and the
// lines of one item must not add up to more than its balance due; so no sequence of moves can pay
// an item twice or pay another customer's record.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Decimal.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "receivables/PaymentSheet.h"
#include "records/InvoiceRecord.h"

namespace receivables {

// What the payment window holds when Post is pressed. Texts are Windows-1252.
struct PaymentEntry {
    std::string customerNumber;
    std::string date;                // the payment date as typed, in the company's date format
    std::string amountReceived;      // as typed
    std::string note;                // the statement note of every record written
    std::vector<PaymentLine> lines;  // the right list, in its order
};

struct WrittenRecord {
    int32_t recordNumber = 0;
    bool added = false;  // a new record; otherwise an item rewritten
    records::InvoiceRecord record;
};

struct PostedPayment {
    std::vector<WrittenRecord> records;  // in the order written
    base::Decimal balance;               // the customer's new balance
};

// Posts `entry` for state.currentCompany. Nothing, with the reason shown and nothing written,
// when it is refused or a step fails.
std::optional<PostedPayment> PostPayment(engine::Engine& engine, base::PromptService& prompts,
                                         company::ProgramState& state, const base::Clock& clock,
                                         const PaymentEntry& entry);

}  // namespace receivables

#pragma once
// A customer's statement: the customer's header (name, billing address, number, e-mail, note and
// the four stored aging amounts) and one row per invoice-file record of the customer (invoice key
// 2), in date order with ties by invoice number text, followed by the account totals.
//
// "Unpaid only" leaves out repeat masters and every record with nothing due; a partly paid
// invoice then shows as paid what its total lacks of its balance due, so the totals row adds up
// to the rows above it.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Decimal.h"
#include "engine/RecordFile.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceRecord.h"

namespace statements {

using InvoiceFile = engine::RecordFile<records::InvoiceRecord>;

// A statement note keeps at most this much of the customer's note.
inline constexpr size_t kStatementNoteLength = 205;

struct StatementCustomer {
    std::string number;  // trimmed
    std::string name;
    std::array<std::string, 4> address;  // billing lines 1-4
    std::string email;                   // trimmed
    std::string note;                    // the first 205 characters of the customer's note
    bool noteOnStatements = false;
    std::array<base::Decimal, 4> aging;  // the stored aging amounts 1-4
};

StatementCustomer StatementCustomerOf(const records::CustomerRecord& customer);

struct StatementRow {
    std::string date;       // the sort date, year/month/day
    std::string number;     // the invoice number, trimmed
    std::string reference;  // the statement note, or the description of the type
    base::Decimal total, paid, balanceDue;
    std::string type;  // the type code
};

struct Statement {
    StatementCustomer customer;
    std::vector<StatementRow> rows;  // in statement order
    base::Decimal total, paid, balanceDue;

    bool HasActivity() const { return !rows.empty(); }
};

// "Invoice", "Partial Payment Made", ... for a type code; the code itself when unknown.
std::string TypeDescription(std::string_view typeCode);

// The statement of `customer` from the open invoice file; nothing when the walk over key 2 ended
// with an engine error (a damaged index must not pass for a customer without records).
std::optional<Statement> BuildStatement(InvoiceFile& invoices,
                                        const records::CustomerRecord& customer, bool unpaidOnly);

// The seven cells of the table as the window and the e-mail show them: the headings, a row, and
// the totals row ("*** Account Totals:" with the three sums). Amounts are ",0.00".
using StatementCells = std::array<std::string, 7>;
const StatementCells& StatementHeadings();
StatementCells CellsOf(const StatementRow& row);
StatementCells TotalsCells(const Statement& statement);

// The status line under the table: "There are 3 records selected.".
std::string SelectedText(const Statement& statement);

// ",0.00"
std::string ShownAmount(base::Decimal amount);

}  // namespace statements

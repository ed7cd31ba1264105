#include "statements/Statement.h"

#include <algorithm>
#include <tuple>

#include "base/Text.h"
#include "engine/Errors.h"
#include "receivables/OpenItems.h"
#include "records/TransactionType.h"

namespace statements {
namespace {

constexpr int kCustomerKey = 2;
constexpr char kTotalsCaption[] = "*** Account Totals:";

StatementRow RowOf(const records::InvoiceRecord& record, bool unpaidOnly) {
    StatementRow row;
    row.date = base::Trim(record.sortDate());
    row.number = base::Trim(record.invoiceNumber());
    row.type = base::Trim(record.typeCode());
    const std::string note = base::Trim(record.statementNote());
    row.reference = note.empty() ? TypeDescription(row.type) : record.statementNote();
    row.total = record.totalAmount();
    row.balanceDue = record.balanceDueAmount();
    // A partly paid invoice's own paid amount misses the payments written as records of their
    // own, which unpaid-only leaves out: what its total lacks of its balance is what was paid.
    row.paid = unpaidOnly && row.type == records::type::kPartlyPaidInvoice
                   ? row.total - row.balanceDue
                   : record.paidAmount();
    return row;
}

bool Listed(const records::InvoiceRecord& record, bool unpaidOnly) {
    if (!unpaidOnly) return true;
    return base::Trim(record.typeCode()) != records::type::kRepeatMaster &&
           !record.balanceDueAmount().IsZero();
}

}  // namespace

StatementCustomer StatementCustomerOf(const records::CustomerRecord& customer) {
    return {base::Trim(customer.number()),
            customer.name(),
            {customer.billing1(), customer.billing2(), customer.billing3(), customer.billing4()},
            base::Trim(customer.email()),
            base::CutTo(customer.notes(), kStatementNoteLength),
            customer.notesOnStatements(),
            {customer.aging1Amount(), customer.aging2Amount(), customer.aging3Amount(),
             customer.aging4Amount()}};
}

std::string TypeDescription(std::string_view typeCode) {
    using namespace records::type;
    static const std::pair<std::string_view, std::string_view> kDescriptions[] = {
        {kRegularInvoice, "Invoice"},
        {kPartialPayment, "Partial Payment Made"},
        {kPartlyPaidInvoice, "Partial Payment Invoice"},
        {kDeposit, "Deposit on Account"},
        {kDepositTaken, "Deposit Offset Applied"},
        {kRepeatGenerated, "Repeat Billing"},
        {kRepeatMaster, "Repeat Master"}};
    for (const auto& [code, description] : kDescriptions)
        if (code == typeCode) return std::string(description);
    return std::string(typeCode);
}

std::optional<Statement> BuildStatement(InvoiceFile& invoices,
                                        const records::CustomerRecord& customer, bool unpaidOnly) {
    Statement statement;
    statement.customer = StatementCustomerOf(customer);
    const std::string wanted = receivables::ItemCustomerKey(customer.number());
    engine::KeyEntry<records::InvoiceRecord> entry;
    engine::ErrorClass outcome = invoices.Search(kCustomerKey, wanted, entry);
    for (; outcome == engine::ErrorClass::None && receivables::ItemCustomerKey(entry.key) == wanted;
         outcome = invoices.Next(kCustomerKey, entry)) {
        if (Listed(entry.record, unpaidOnly))
            statement.rows.push_back(RowOf(entry.record, unpaidOnly));
    }
    if (outcome != engine::ErrorClass::None && outcome != engine::ErrorClass::Expected)
        return std::nullopt;
    // Dates are year first, so their text sorts by time; equal dates go by the number's text.
    std::ranges::stable_sort(statement.rows, [](const StatementRow& a, const StatementRow& b) {
        return std::tie(a.date, a.number, a.reference) < std::tie(b.date, b.number, b.reference);
    });
    for (const StatementRow& row : statement.rows) {
        statement.total += row.total;
        statement.paid += row.paid;
        statement.balanceDue += row.balanceDue;
    }
    return statement;
}

const StatementCells& StatementHeadings() {
    static const StatementCells kHeadings = {
        "Date", "Invoice#", "Reference/Comment", "Total Amount", "Paid Amount", "Balance Due", "C"};
    return kHeadings;
}

StatementCells CellsOf(const StatementRow& row) {
    return {row.date,
            row.number,
            row.reference,
            ShownAmount(row.total),
            ShownAmount(row.paid),
            ShownAmount(row.balanceDue),
            row.type};
}

StatementCells TotalsCells(const Statement& statement) {
    return {"",
            "",
            kTotalsCaption,
            ShownAmount(statement.total),
            ShownAmount(statement.paid),
            ShownAmount(statement.balanceDue),
            ""};
}

std::string SelectedText(const Statement& statement) {
    return "There are " + std::to_string(statement.rows.size()) + " records selected.";
}

std::string ShownAmount(base::Decimal amount) {
    return amount.Format(",0.00");
}

}  // namespace statements

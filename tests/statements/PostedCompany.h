#pragma once
// Company 1 with two months of business posted as the windows post it: product and memo invoices,
// a zero-total invoice, one paid on entry, a payment in full, a partial payment, deposits and a
// deposit applied to an invoice. A repeat master and its line are written as records, since
// nothing here creates them. The clock stands at 6 December 2026, 10:30.

#include <string>
#include <vector>

#include "invoicing/InvoicingFixture.h"
#include "receivables/PaymentPosting.h"
#include "statements/ReportGrid.h"
#include "statements/ReportRun.h"

namespace statements::testing {

class PostedCompany : public invoicing::testing::InvoicingFixture {
protected:
    PostedCompany();

    // Posts an invoice of `customer` dated `date` (mm/dd/yyyy).
    void Invoice(const std::string& customer, const std::string& number, const std::string& date,
                 std::vector<invoicing::DraftLine> lines, const std::string& paid = "0.00",
                 const std::string& keyCode = "None");
    // Posts a payment of `customer` with these lines; an item line names its invoice number, and
    // an amount other than the amount due makes it a partial payment.
    struct Pay {
        std::string invoice;  // empty: a new deposit
        std::string amount;
    };
    void Payment(const std::string& customer, const std::string& date, std::vector<Pay> lines);

    ReportResult Run(ReportKind kind, base::Date from = {2026, 11, 1},
                     base::Date to = {2026, 12, 31});
    Report Must(ReportKind kind, base::Date from = {2026, 11, 1}, base::Date to = {2026, 12, 31});

    // The company record as the company file now holds it.
    records::CompanyRecord Company();
    testsupport::AnsweringPrompts answering;
};

// Column `column` of every report row, in the order of the report.
std::vector<std::string> ColumnOf(const Report& report, int column);
// The Grand Total row's value in grid column `column`.
base::Decimal GrandTotal(const ReportGrid& grid, int column);

}  // namespace statements::testing

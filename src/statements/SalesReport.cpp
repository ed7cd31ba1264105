// The Sales Report: every invoice line of the range by its date, repeat masters' lines left out.

#include "base/Dates.h"
#include "base/Text.h"
#include "records/TransactionType.h"
#include "statements/ReportRoutines.h"

namespace statements {
namespace {

using records::InvoiceLineRecord;

constexpr char kNoProduct[] = "*None*";
constexpr char kMasterLine[] = "R";
constexpr int kCents = 2;

// A unit price as typed: cents as every amount, more decimals where it was typed with them.
ReportCell UnitPriceCell(const std::string& price) {
    const base::Decimal value = base::Decimal::ParseOrZero(price);
    if (value.Rounded(kCents) == value) return AmountCell(value);
    return {base::FormatUnitPrice(price), value};
}

// What the line adds to its invoice's net: quantity times unit price rounded to cents, as the
// invoice computed it; the one line of a memo invoice holds the net itself.
base::Decimal LineAmount(const records::LineColumns& columns) {
    if (columns.taxMark == records::form::kMemo)
        return base::Decimal::ParseOrZero(columns.extension);
    return (base::Decimal::ParseOrZero(columns.quantity) *
            base::Decimal::ParseOrZero(columns.unitPrice))
        .Rounded(kCents);
}

}  // namespace

engine::ErrorClass SalesReport(RoutineFiles files, const ReportRequest& request, Report& report,
                               UnreadableDates& unreadable) {
    report.columns = {{"Year/Mo/Dy", CellKind::Date},    {"Product Description", CellKind::Text},
                      {"Product#", CellKind::Text},      {"Invoice#", CellKind::Text},
                      {"Short Name", CellKind::Text},    {"Customer", CellKind::Text},
                      {"Unit Price", CellKind::Amount},  {"Quantity", CellKind::Quantity},
                      {"Line Amount", CellKind::Amount}, {"Type", CellKind::Text}};
    const DateWalk walk{kLineDateKey, base::SortableDate(request.range.from),
                        base::SortableDate(request.range.to), false};
    return WalkDates<InvoiceLineRecord>(
        files.lines, walk, unreadable, [&](const InvoiceLineRecord& line) {
            if (base::Trim(line.kind()) == kMasterLine) return;
            const records::LineColumns columns = line.columns();
            const std::string product = base::Trim(line.productCode());
            report.rows.push_back(
                {{TextCell(base::Trim(line.invoiceDate())), TextCell(columns.description),
                  TextCell(product.empty() ? kNoProduct : product),
                  TextCell(base::Trim(line.invoiceNumber())),
                  TextCell(base::Trim(line.shortName())),
                  TextCell(base::Trim(line.customerNumber())), UnitPriceCell(columns.unitPrice),
                  AmountCell(base::Decimal::ParseOrZero(columns.quantity), CellKind::Quantity),
                  AmountCell(LineAmount(columns)), TextCell(base::Trim(line.kind()))}});
        });
}

}  // namespace statements

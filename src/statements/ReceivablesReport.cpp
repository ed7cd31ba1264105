// The Accounts Receivable report and the Repeat Billing List: the open items with their aging,
// and the repeat masters; both over all dates.

#include "base/Dates.h"
#include "base/Text.h"
#include "receivables/Aging.h"
#include "records/TransactionType.h"
#include "statements/ReportRoutines.h"

namespace statements {
namespace {

using records::InvoiceRecord;

constexpr char kPaid[] = "P";

ReportCell Cell(const std::string& text) {
    return TextCell(base::Trim(text));
}

bool Listed(const InvoiceRecord& record) {
    return base::Trim(record.typeCode()) != records::type::kRepeatMaster &&
           !base::Trim(record.invoiceNumber()).empty();
}

std::string CategoryText(int category, const records::CompanyRecord& company,
                         const receivables::AgingLimits& limits) {
    switch (category) {
        case 1:
            return base::Trim(company.agingCaption1());
        case 2:
            return base::Trim(company.agingCaption2());
        case 3:
            return base::Trim(company.agingCaption3());
        default:
            return "Over " + std::to_string(limits.days3) + " Days";
    }
}

// The master's next due date, stored month first, in the report's year/month/day form.
std::string NextDue(const InvoiceRecord& master) {
    const std::string stored = base::Trim(master.nextDueDate());
    const std::optional<base::Date> date = base::ParseDate(stored, base::DateOrder::MonthFirst);
    return date ? base::SortableDate(*date) : stored;
}

}  // namespace

engine::ErrorClass ReceivablesReport(RoutineFiles files, const ReportRequest& request,
                                     Report& report) {
    report.columns = {{"Year/Mo/Dy", CellKind::Date},    {"Category", CellKind::Text},
                      {"Invoice#", CellKind::Text},      {"Short Name", CellKind::Text},
                      {"Customer#", CellKind::Text},     {"Aging", CellKind::Count},
                      {"Balance Due", CellKind::Amount}, {"Type", CellKind::Text}};
    const receivables::AgingLimits limits =
        receivables::ReadAgingLimits(request.company).value_or(receivables::AgingLimits{});
    const base::DateOrder order = base::ShortDateOrder(request.company.dateFormat());
    const auto add = [&](const InvoiceRecord& r) {
        const long days = receivables::ItemAgeDays(r, request.now, order);
        report.rows.push_back(
            {{Cell(r.sortDate()),
              TextCell(
                  CategoryText(receivables::AgingCategory(days, limits), request.company, limits)),
              Cell(r.invoiceNumber()), Cell(r.shortName()), Cell(r.customerNumber()),
              CountCell(days, " Days"), AmountCell(r.balanceDueAmount()), Cell(r.typeCode())}});
    };
    // Records never paid have a blank date paid; deposits carry one from the start and are found
    // by their type until they are used up.
    engine::KeyEntry<InvoiceRecord> entry;
    engine::ErrorClass walked = files.invoices.Search(kDatePaidKey, "", entry);
    for (; walked == engine::ErrorClass::None && base::Trim(entry.key).empty();
         walked = files.invoices.Next(kDatePaidKey, entry))
        if (Listed(entry.record)) add(entry.record);
    if (walked != engine::ErrorClass::None && walked != engine::ErrorClass::Expected) return walked;
    return WalkPrefix<InvoiceRecord>(files.invoices, kTypeKey, records::type::kDeposit,
                                     [&](const InvoiceRecord& r) {
                                         if (Listed(r) && base::Trim(r.paidFlag()) != kPaid) add(r);
                                     });
}

engine::ErrorClass RepeatList(RoutineFiles files, Report& report) {
    report.columns = {{"Next Due", CellKind::Date},      {"Invoice#", CellKind::Text},
                      {"Short Name", CellKind::Text},    {"Customer#", CellKind::Text},
                      {"#Created", CellKind::Count},     {"Year/Mo/Dy", CellKind::Date},
                      {"Grand Total", CellKind::Amount}, {"Type", CellKind::Text}};
    return WalkPrefix<InvoiceRecord>(
        files.invoices, kTypeKey, records::type::kRepeatMaster, [&](const InvoiceRecord& r) {
            if (base::Trim(r.typeCode()) != records::type::kRepeatMaster ||
                base::Trim(r.invoiceNumber()).empty())
                return;
            report.rows.push_back(
                {{TextCell(NextDue(r)), Cell(r.invoiceNumber()), Cell(r.shortName()),
                  Cell(r.customerNumber()), CountCell(base::LeadingNumber(r.generatedCount())),
                  Cell(r.sortDate()), AmountCell(r.totalAmount()), Cell(r.typeCode())}});
        });
}

}  // namespace statements

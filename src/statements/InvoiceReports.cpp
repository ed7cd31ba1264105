// The reports over invoice key 3 (document date) and key 6 (date paid): the Invoice Register, the
// Key Code Inquiry, the Payment Register and the Tax Report.

#include "base/Dates.h"
#include "base/Text.h"
#include "records/TransactionType.h"
#include "statements/ReportRoutines.h"

namespace statements {
namespace {

using records::InvoiceRecord;

constexpr char kNoKeyCode[] = "*none*";
// A date paid shorter than this is no date (the blank of an unpaid record).
constexpr size_t kShortestDatePaid = 5;

ReportColumn Text(const char* heading) {
    return {heading, CellKind::Text};
}
ReportColumn Date(const char* heading) {
    return {heading, CellKind::Date};
}
ReportColumn Amount(const char* heading) {
    return {heading, CellKind::Amount};
}
const ReportColumn kType{"Type", CellKind::Text};

bool Numbered(const InvoiceRecord& record) {
    return !base::Trim(record.invoiceNumber()).empty();
}

bool IsType(const InvoiceRecord& record, const char* code) {
    return base::Trim(record.typeCode()) == code;
}

ReportCell Cell(const std::string& text) {
    return TextCell(base::Trim(text));
}

DateWalk Range(int key, const ReportRequest& request, bool blankIsNoDate = false) {
    return {key, base::SortableDate(request.range.from), base::SortableDate(request.range.to),
            blankIsNoDate};
}

// The invoices of the range by document date: not repeat masters, numbered, and either with a
// total or, where `zeroTotalInvoices`, a regular invoice of total zero.
engine::ErrorClass Invoices(RoutineFiles files, const ReportRequest& request,
                            UnreadableDates& unreadable, bool zeroTotalInvoices,
                            const std::function<void(const InvoiceRecord&)>& add) {
    return WalkDates<InvoiceRecord>(
        files.invoices, Range(kDateKey, request), unreadable, [&](const InvoiceRecord& record) {
            if (IsType(record, records::type::kRepeatMaster) || !Numbered(record)) return;
            const bool listed =
                !record.totalAmount().IsZero() ||
                (zeroTotalInvoices && IsType(record, records::type::kRegularInvoice));
            if (listed) add(record);
        });
}

// The payments of the range: every record paid in it (date paid), then the invoices of the range
// that carry a payment and still a balance.
engine::ErrorClass Payments(RoutineFiles files, const ReportRequest& request,
                            UnreadableDates& unreadable,
                            const std::function<void(const InvoiceRecord&, std::string)>& add) {
    const engine::ErrorClass paid = WalkDates<InvoiceRecord>(
        files.invoices, Range(kDatePaidKey, request, true), unreadable,
        [&](const InvoiceRecord& record) { add(record, base::Trim(record.datePaid())); });
    if (paid != engine::ErrorClass::None) return paid;
    return WalkDates<InvoiceRecord>(
        files.invoices, Range(kDateKey, request), unreadable, [&](const InvoiceRecord& record) {
            if (!Numbered(record) || record.paidAmount().IsZero() ||
                record.balanceDueAmount().IsZero() || IsType(record, records::type::kDeposit))
                return;
            const std::string datePaid = base::Trim(record.datePaid());
            add(record,
                datePaid.size() >= kShortestDatePaid ? datePaid : base::Trim(record.sortDate()));
        });
}

}  // namespace

engine::ErrorClass InvoiceRegister(RoutineFiles files, const ReportRequest& request, Report& report,
                                   UnreadableDates& unreadable) {
    report.columns = {
        Date("Year/Mo/Dy"),   Text("Invoice#"),     Text("Short Name"),    Text("Customer#"),
        Amount("Net Amount"), Amount("Tax Amount"), Amount("Grand Total"), kType};
    return Invoices(files, request, unreadable, true, [&](const InvoiceRecord& r) {
        report.rows.push_back(
            {{Cell(r.sortDate()), Cell(r.invoiceNumber()), Cell(r.shortName()),
              Cell(r.customerNumber()), AmountCell(r.netAmount()), AmountCell(r.taxAmount()),
              AmountCell(r.totalAmount()), Cell(r.typeCode())}});
    });
}

engine::ErrorClass KeyCodeInquiry(RoutineFiles files, const ReportRequest& request, Report& report,
                                  UnreadableDates& unreadable) {
    report.columns = {
        Text("Key Code"),     Text("Invoice#"),     Text("Short Name"),    Date("Year/Mo/Dy"),
        Amount("Net Amount"), Amount("Tax Amount"), Amount("Grand Total"), kType};
    return Invoices(files, request, unreadable, false, [&](const InvoiceRecord& r) {
        const std::string keyCode = base::Trim(r.keyCode());
        report.rows.push_back(
            {{TextCell(keyCode.empty() ? kNoKeyCode : keyCode), Cell(r.invoiceNumber()),
              Cell(r.shortName()), Cell(r.sortDate()), AmountCell(r.netAmount()),
              AmountCell(r.taxAmount()), AmountCell(r.totalAmount()), Cell(r.typeCode())}});
    });
}

engine::ErrorClass PaymentRegister(RoutineFiles files, const ReportRequest& request, Report& report,
                                   UnreadableDates& unreadable) {
    report.columns = {
        Date("Year/Mo/Dy"),    Text("Invoice#"),      Text("Short Name"),    Text("Customer#"),
        Amount("Grand Total"), Amount("Paid Amount"), Amount("Balance Due"), kType};
    return Payments(files, request, unreadable, [&](const InvoiceRecord& r, std::string date) {
        report.rows.push_back(
            {{TextCell(std::move(date)), Cell(r.invoiceNumber()), Cell(r.shortName()),
              Cell(r.customerNumber()), AmountCell(r.totalAmount()), AmountCell(r.paidAmount()),
              AmountCell(r.balanceDueAmount()), Cell(r.typeCode())}});
    });
}

engine::ErrorClass TaxReport(RoutineFiles files, const ReportRequest& request, Report& report,
                             UnreadableDates& unreadable) {
    report.columns = {
        Date("Year/Mo/Dy"), Text("Invoice#"),      Text("Short Name"),   Text("Customer#"),
        Text("Key Code"),   Amount("Paid Amount"), Amount("Tax Amount"), kType};
    return Payments(files, request, unreadable, [&](const InvoiceRecord& r, std::string date) {
        report.rows.push_back(
            {{TextCell(std::move(date)), Cell(r.invoiceNumber()), Cell(r.shortName()),
              Cell(r.customerNumber()), Cell(r.keyCode()), AmountCell(r.paidAmount()),
              AmountCell(r.taxAmount()), Cell(r.typeCode())}});
    });
}

}  // namespace statements

#pragma once
// The routine of each report: its columns, and a row for each record it selects, read through the
// key walks of ReportScan.h. Each answers the class of an engine error that ended its walks early.

#include "engine/Errors.h"
#include "statements/ReportRun.h"
#include "statements/ReportScan.h"

namespace statements {

struct RoutineFiles {
    InvoiceFile& invoices;
    LineFile& lines;
};

// Invoice file key orders the reports walk.
inline constexpr int kDateKey = 3;
inline constexpr int kTypeKey = 5;
inline constexpr int kDatePaidKey = 6;
// Detail file: the line's date.
inline constexpr int kLineDateKey = 1;

engine::ErrorClass InvoiceRegister(RoutineFiles files, const ReportRequest& request, Report& report,
                                   UnreadableDates& unreadable);
engine::ErrorClass KeyCodeInquiry(RoutineFiles files, const ReportRequest& request, Report& report,
                                  UnreadableDates& unreadable);
engine::ErrorClass PaymentRegister(RoutineFiles files, const ReportRequest& request, Report& report,
                                   UnreadableDates& unreadable);
engine::ErrorClass TaxReport(RoutineFiles files, const ReportRequest& request, Report& report,
                             UnreadableDates& unreadable);
engine::ErrorClass SalesReport(RoutineFiles files, const ReportRequest& request, Report& report,
                               UnreadableDates& unreadable);
// The open items aged to the request's moment; the company's aging limits must be readable.
engine::ErrorClass ReceivablesReport(RoutineFiles files, const ReportRequest& request,
                                     Report& report);
engine::ErrorClass RepeatList(RoutineFiles files, Report& report);

}  // namespace statements

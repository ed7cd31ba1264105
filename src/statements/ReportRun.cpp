#include "statements/ReportRun.h"

#include "base/Text.h"
#include "receivables/Aging.h"
#include "records/RecordTypes.h"
#include "statements/ReportRoutines.h"

namespace statements {
namespace {

constexpr char kRepeatTitle[] = "Master Repeat Billing List";
constexpr char kRepeatCaption[] = "Repeat Billings";
constexpr char kNoRepeatText[] = "No repeat billing master invoices were found.";
constexpr char kReceivablesCaption[] = "Account Receivable Report";
constexpr char kNothingOwedText[] =
    "Your Accounts Receivable balance is zero for this company. There are no outstanding items.";
constexpr char kAllUnpaid[] = "All unpaid records selected.";
constexpr char kAllMasters[] = "All repeat billing masters selected.";

std::string Title(ReportKind kind) {
    return kind == ReportKind::RepeatList ? kRepeatTitle : std::string(InfoOf(kind).name);
}

ReportResult Say(std::string caption, std::string text) {
    return {std::nullopt, ReportMessage{std::move(caption), std::move(text)}};
}

std::string Selection(const ReportRequest& request) {
    if (request.kind == ReportKind::Receivables) return kAllUnpaid;
    if (request.kind == ReportKind::RepeatList) return kAllMasters;
    const base::DateOrder order = base::EntryDateOrder(request.company.dateFormat());
    return "Selected records from " + base::FormatDate(request.range.from, order) + " to " +
           base::FormatDate(request.range.to, order);
}

engine::ErrorClass Route(RoutineFiles files, const ReportRequest& request, Report& report,
                         UnreadableDates& unreadable) {
    switch (request.kind) {
        case ReportKind::InvoiceRegister:
            return InvoiceRegister(files, request, report, unreadable);
        case ReportKind::PaymentRegister:
            return PaymentRegister(files, request, report, unreadable);
        case ReportKind::Receivables:
            return ReceivablesReport(files, request, report);
        case ReportKind::Sales:
            return SalesReport(files, request, report, unreadable);
        case ReportKind::KeyCode:
            return KeyCodeInquiry(files, request, report, unreadable);
        case ReportKind::Tax:
            return TaxReport(files, request, report, unreadable);
        case ReportKind::RepeatList:
            return RepeatList(files, report);
    }
    return engine::ErrorClass::None;
}

std::string UnreadableText(int32_t error) {
    return "The invoice files could not be read to the end (error " + std::to_string(error) +
           "), so the report is not shown. Rebuild the data files and run it again.";
}

}  // namespace

ReportResult RunReport(engine::Engine& engine, base::PromptService& prompts,
                       const ReportRequest& request) {
    const std::string title = Title(request.kind);
    if (request.kind == ReportKind::Receivables) {
        if (request.company.receivablesTotalAmount().IsZero())
            return Say(kReceivablesCaption, kNothingOwedText);
        if (!receivables::ReadAgingLimits(request.company))
            return Say(receivables::kAgingCaption, receivables::kBadAgingDaysText);
    }

    const std::string code = base::Trim(request.company.code());
    InvoiceFile invoices(engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe(code),
                         prompts);
    LineFile lines(engine, records::RecordTypeOf(records::RecordKind::InvoiceLine).Describe(code),
                   prompts);
    Report report;
    report.kind = request.kind;
    report.title = title;
    UnreadableDates unreadable;
    // The Sales Report reads the line file, the others the invoice file. A company that has never
    // had an invoice has no files yet, and nothing to report.
    bool readable = true;
    int32_t error = 0;
    const auto read = [&](auto& file) {
        if (!engine.fileSystem().Exists(file.description().name + ".DAT")) return;
        if (!file.OpenReadOnly()) {
            readable = false;
            error = engine.error();
            return;
        }
        readable =
            Route({invoices, lines}, request, report, unreadable) == engine::ErrorClass::None;
        error = engine.error();
        if (!file.Close() && readable) {
            readable = false;
            error = engine.error();
        }
    };
    if (request.kind == ReportKind::Sales)
        read(lines);
    else
        read(invoices);
    if (!readable) return Say(title, UnreadableText(error));

    const std::string note = unreadable.Note();
    if (report.rows.empty()) {
        if (request.kind == ReportKind::RepeatList) return Say(kRepeatCaption, kNoRepeatText);
        return Say(title, note.empty() ? kNoMatchText : std::string(kNoMatchText) + " " + note);
    }
    report.company = base::Trim(request.company.name());
    report.dateLine = "Date: " + base::FormatLongDateTime(request.now);
    report.selection = Selection(request);
    if (!note.empty()) report.notes.push_back(note);
    if (request.kind == ReportKind::Receivables)
        report.notes.push_back(
            "Aged as of " +
            base::FormatDate(request.now.date, base::EntryDateOrder(request.company.dateFormat())) +
            ".");
    return {std::move(report), std::nullopt};
}

}  // namespace statements

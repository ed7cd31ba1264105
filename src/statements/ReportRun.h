#pragma once
// Running one report of the Report Wizard over the current company's invoice and line files,
// opened for reading only: the routine of the report walks its key orders, and the common frame
// adds the heading block, or answers the message that takes the report's place.

#include <optional>
#include <string>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "engine/Engine.h"
#include "records/CompanyRecord.h"
#include "statements/Report.h"
#include "statements/ReportDates.h"

namespace statements {

struct ReportRequest {
    ReportKind kind = ReportKind::InvoiceRegister;
    DateRange range;     // the reports that search all dates ignore it
    base::DateTime now;  // the run's moment: the heading's date and the receivables' ages
    records::CompanyRecord company;
};

// A message instead of a report: no record matched, nothing is owed, or a file could not be read
// to its end (a partial report is never shown as complete).
struct ReportMessage {
    std::string caption;
    std::string text;
    friend bool operator==(const ReportMessage&, const ReportMessage&) = default;
};

struct ReportResult {
    std::optional<Report> report;
    std::optional<ReportMessage> message;
};

inline constexpr char kNoMatchText[] = "No matching records found for the dates entered.";

ReportResult RunReport(engine::Engine& engine, base::PromptService& prompts,
                       const ReportRequest& request);

}  // namespace statements

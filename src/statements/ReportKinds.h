#pragma once
// The seven reports of the Report Wizard: their names and descriptions, the name the command line
// knows them by, and how the output window groups each one.

#include <optional>
#include <string_view>
#include <vector>

namespace statements {

enum class ReportKind {
    InvoiceRegister,
    PaymentRegister,
    Receivables,
    Sales,
    KeyCode,
    Tax,
    RepeatList
};

struct ReportKindInfo {
    ReportKind kind;
    std::string_view name;         // "Invoice Register", as the wizard lists it
    std::string_view commandName;  // "invoice-register"
    std::string_view description;
    bool ranged;  // reads the dates; the others search all dates
    // The grid columns the totals add up (0-based), and the highest one the rows may be ordered by.
    std::vector<int> summedColumns;
    int highestSortColumn;
};

// In the order of the wizard's list.
const std::vector<ReportKindInfo>& ReportKinds();
const ReportKindInfo& InfoOf(ReportKind kind);
std::optional<ReportKind> ReportKindNamed(std::string_view commandName);

}  // namespace statements

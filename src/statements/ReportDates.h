#pragma once
// The Report Wizard's dates: the preset ranges counted from today, and the checks of View on the
// From and To boxes. Dates are typed and shown in the company's date order.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "base/Dates.h"

namespace statements {

inline constexpr char kCustomDates[] = "Custom Dates";

// "Month to Date" ... "Previous Month", then "Custom Dates", in the order the wizard offers them.
const std::vector<std::string_view>& DatePresets();

// The label of the preset list: "Date Selection:", with the date order in it where the company
// does not write month first.
std::string DateSelectionLabel(base::DateOrder order);

struct DateRange {
    base::Date from;
    base::Date to;
};

// The range of a preset on `today`; nothing for "Custom Dates" and for a name that is no preset.
// "Last 12 Months" on February 29 starts on February 28 of the year before.
std::optional<DateRange> PresetRange(std::string_view preset, const base::Date& today);

enum class DateField { From, To };

// Why View refused the dates: the message with its caption, and the box it puts the focus in.
struct DateRefusal {
    std::string caption;
    std::string text;
    DateField field = DateField::From;
};

// The From and To texts checked in order: From must be a date, then To, then From not after To
// (a range of one day is accepted). The range, or the first refusal.
struct DateCheck {
    std::optional<DateRange> range;
    std::optional<DateRefusal> refusal;
};
DateCheck CheckReportDates(std::string_view from, std::string_view to, base::DateOrder order);

}  // namespace statements

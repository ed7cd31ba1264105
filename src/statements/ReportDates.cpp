#include "statements/ReportDates.h"

namespace statements {
namespace {

constexpr char kFromCaption[] = "FROM Date";
constexpr char kToCaption[] = "TO Date";

base::Date FirstOfMonth(const base::Date& date) {
    return {date.year, date.month, 1};
}

base::Date LastOfMonth(const base::Date& date) {
    return {date.year, date.month, base::DaysInMonth(date.year, date.month)};
}

}  // namespace

const std::vector<std::string_view>& DatePresets() {
    static const std::vector<std::string_view> presets = {
        "Month to Date", "Year to Date",   "Last 30 Days", "Last 60 Days",
        "Last 90 Days",  "Last 12 Months", "Current Year", "Previous Year",
        "Current Month", "Previous Month", kCustomDates};
    return presets;
}

std::string DateSelectionLabel(base::DateOrder order) {
    switch (order) {
        case base::DateOrder::DayFirst:
            return "Date Selection (dd/mm/yyyy):";
        case base::DateOrder::YearFirst:
            return "Date Selection (yyyy/mm/dd):";
        case base::DateOrder::MonthFirst:
            break;
    }
    return "Date Selection:";
}

std::optional<DateRange> PresetRange(std::string_view preset, const base::Date& today) {
    const int year = today.year;
    if (preset == "Month to Date") return DateRange{FirstOfMonth(today), today};
    if (preset == "Year to Date") return DateRange{{year, 1, 1}, today};
    if (preset == "Last 30 Days") return DateRange{base::AddDays(today, -30), today};
    if (preset == "Last 60 Days") return DateRange{base::AddDays(today, -60), today};
    if (preset == "Last 90 Days") return DateRange{base::AddDays(today, -90), today};
    if (preset == "Last 12 Months") return DateRange{base::AddMonths(today, -12), today};
    if (preset == "Current Year") return DateRange{{year, 1, 1}, {year, 12, 31}};
    if (preset == "Previous Year") return DateRange{{year - 1, 1, 1}, {year - 1, 12, 31}};
    if (preset == "Current Month") return DateRange{FirstOfMonth(today), LastOfMonth(today)};
    if (preset == "Previous Month") {
        const base::Date lastMonth = base::AddMonths(FirstOfMonth(today), -1);
        return DateRange{lastMonth, LastOfMonth(lastMonth)};
    }
    return std::nullopt;
}

DateCheck CheckReportDates(std::string_view from, std::string_view to, base::DateOrder order) {
    const auto refuse = [](const char* caption, std::string text, DateField field) {
        return DateCheck{std::nullopt, DateRefusal{caption, std::move(text), field}};
    };
    const std::optional<base::Date> fromDate = base::ParseDate(from, order);
    if (!fromDate)
        return refuse(kFromCaption,
                      "You have an invalid beginning date. You can clear the date and then select "
                      "the calendar button.",
                      DateField::From);
    const std::optional<base::Date> toDate = base::ParseDate(to, order);
    if (!toDate)
        return refuse(kToCaption,
                      "You have an invalid ending date. You can clear the date and then select the "
                      "calendar button.",
                      DateField::To);
    if (*toDate < *fromDate)
        return refuse(kFromCaption, "Your beginning date is not older than your ending date.",
                      DateField::From);
    return {DateRange{*fromDate, *toDate}, std::nullopt};
}

}  // namespace statements

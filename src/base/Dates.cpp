#include "base/Dates.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "base/Text.h"

namespace base {

namespace {

constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

long DaysBeforeYear(int year) {
    const long y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

std::string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

std::string FourDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", value);
    return buffer;
}

struct Number {
    int value = 0;
    int digits = 0;
};

// Splits "a/b/c" into three runs of digits; nothing when the text has another shape.
std::optional<std::array<Number, 3>> SplitDate(std::string_view text) {
    std::array<Number, 3> parts{};
    std::size_t index = 0;
    for (char c : text) {
        if (c == '/') {
            if (parts[index].digits == 0 || ++index == parts.size()) return std::nullopt;
        } else if (c >= '0' && c <= '9') {
            if (++parts[index].digits > 4) return std::nullopt;
            parts[index].value = parts[index].value * 10 + (c - '0');
        } else {
            return std::nullopt;
        }
    }
    if (index != 2 || parts[2].digits == 0) return std::nullopt;
    return parts;
}

}  // namespace

DateOrder EntryDateOrder(std::string_view companyDateFormat) {
    if (companyDateFormat == "D") return DateOrder::DayFirst;
    if (companyDateFormat == "Y") return DateOrder::YearFirst;
    return DateOrder::MonthFirst;
}

DateOrder ShortDateOrder(std::string_view companyDateFormat) {
    return companyDateFormat == "D" ? DateOrder::DayFirst : DateOrder::MonthFirst;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(const Date& date) {
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

std::string FormatDate(const Date& date, DateOrder order) {
    const std::string dd = TwoDigits(date.day);
    const std::string mm = TwoDigits(date.month);
    const std::string yyyy = FourDigits(date.year);
    switch (order) {
        case DateOrder::DayFirst:
            return dd + "/" + mm + "/" + yyyy;
        case DateOrder::YearFirst:
            return yyyy + "/" + mm + "/" + dd;
        case DateOrder::MonthFirst:
            break;
    }
    return mm + "/" + dd + "/" + yyyy;
}

std::string SortableDate(const Date& date) {
    return FormatDate(date, DateOrder::YearFirst);
}

std::optional<Date> ParseDate(std::string_view text, DateOrder order) {
    const std::optional<std::array<Number, 3>> parts = SplitDate(Trim(text));
    if (!parts) return std::nullopt;
    const auto& [a, b, c] = *parts;
    if (a.digits >= 3) order = DateOrder::YearFirst;
    Number year, month, day;
    switch (order) {
        case DateOrder::MonthFirst:
            month = a, day = b, year = c;
            break;
        case DateOrder::DayFirst:
            day = a, month = b, year = c;
            break;
        case DateOrder::YearFirst:
            year = a, month = b, day = c;
            break;
    }
    if (year.digits != 4 || month.digits > 2 || day.digits > 2) return std::nullopt;
    const Date date{year.value, month.value, day.value};
    if (!IsValidDate(date)) return std::nullopt;
    return date;
}

long DayNumber(const Date& date) {
    long days = DaysBeforeYear(date.year);
    for (int m = 1; m < date.month; ++m) days += DaysInMonth(date.year, m);
    return days + date.day - 1;
}

Date DateFromDayNumber(long dayNumber) {
    // Estimate the year, then correct it; the estimate is never off by more than one.
    int year = static_cast<int>(dayNumber * 400 / 146097) + 1;
    while (DaysBeforeYear(year) > dayNumber) --year;
    while (DaysBeforeYear(year + 1) <= dayNumber) ++year;
    long rest = dayNumber - DaysBeforeYear(year);
    int month = 1;
    while (rest >= DaysInMonth(year, month)) rest -= DaysInMonth(year, month++);
    return Date{year, month, static_cast<int>(rest) + 1};
}

int DayOfWeek(const Date& date) {
    // 1 January of year 1 was a Monday.
    return static_cast<int>((DayNumber(date) + 1) % 7);
}

Date AddDays(const Date& date, long days) {
    return DateFromDayNumber(DayNumber(date) + days);
}

Date AddMonths(const Date& date, int months) {
    const int index = date.year * 12 + (date.month - 1) + months;
    const int year = index / 12;
    const int month = index % 12 + 1;
    return Date{year, month, std::min(date.day, DaysInMonth(year, month))};
}

long WholeDaysSince(const Date& document, const DateTime& now) {
    const long days = DayNumber(now.date) - DayNumber(document);
    const bool partOfDay = now.hour != 0 || now.minute != 0 || now.second != 0;
    // A negative span with a part of a day truncates toward zero, one day nearer.
    return days < 0 && partOfDay ? days + 1 : days;
}

std::string FormatLongDateTime(const DateTime& when) {
    if (!IsValidDate(when.date)) return {};
    const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
    return std::string(kDayNames[DayOfWeek(when.date)]) + ", " + kMonthNames[when.date.month - 1] +
           " " + std::to_string(when.date.day) + ", " + std::to_string(when.date.year) + ", " +
           TwoDigits(hour12) + ":" + TwoDigits(when.minute) + (when.hour < 12 ? " AM" : " PM");
}

}  // namespace base

#pragma once
// Calendar dates as the program types, stores, sorts and ages them.
//
// A company writes its dates in one of three orders (company date-format field "M", "D", "Y"):
// "mm/dd/yyyy", "dd/mm/yyyy" or "yyyy/mm/dd". The short date format of the program (today's
// text, the last aging date, product dates) knows only the first two. Searched and sorted dates
// are also kept in the sortable form "yyyy/mm/dd".

#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"

namespace base {

enum class DateOrder { MonthFirst, DayFirst, YearFirst };

// The order in which a company's dates are typed: "D" day first, "Y" year first, else month first.
DateOrder EntryDateOrder(std::string_view companyDateFormat);
// The program's short date format for the company: "D" gives day first, anything else month first.
DateOrder ShortDateOrder(std::string_view companyDateFormat);

bool IsLeapYear(int year);  // divisible by 4 and not by 100, or by 400
int DaysInMonth(int year, int month);
bool IsValidDate(const Date& date);  // years 1..9999

// Two-digit month and day, four-digit year, "/" between them.
std::string FormatDate(const Date& date, DateOrder order);
std::string SortableDate(const Date& date);  // "yyyy/mm/dd"

// A typed date: three numbers separated by "/" in the given order, day and month of one or two
// digits, the year of four digits, blanks around the whole ignored. A first number of three or
// four digits is read as the year of a year-first date whatever the order, so sortable dates and
// the dates of year-first companies convert everywhere. Nothing for an incomplete or impossible
// date (February 30, a month 13, "__/__/____").
std::optional<Date> ParseDate(std::string_view text, DateOrder order);

// Days since 1 January of year 1 (day 0), for date arithmetic.
long DayNumber(const Date& date);
Date DateFromDayNumber(long dayNumber);
int DayOfWeek(const Date& date);  // 0 Sunday .. 6 Saturday

Date AddDays(const Date& date, long days);
// The same day of the month `months` later (or earlier), cut to the last day of the target month.
Date AddMonths(const Date& date, int months);

// Whole days from the start of `document` to `now`, the fraction dropped toward zero: 0 on the
// document's own day, 1 the day after; a document dated after today gives 0 or less.
long WholeDaysSince(const Date& document, const DateTime& now);

// "dddd, mmmm d, yyyy, hh:mm AM/PM", e.g. "Tuesday, March 5, 2024, 02:07 PM".
std::string FormatLongDateTime(const DateTime& when);

}  // namespace base

#include "invoicing/RepeatSchedule.h"

#include <algorithm>

#include "base/Text.h"
#include "base/Windows1252.h"

namespace invoicing {
namespace {

constexpr char kIntervalCaption[] = "Number of Days/Months";
constexpr char kIntervalMissing[] =
    "You must enter the number of days/months in order to generate invoices.";

}  // namespace

base::Date AdvanceDue(const base::Date& due, int every, RepeatUnit unit) {
    return unit == RepeatUnit::Months ? base::AddMonths(due, every) : base::AddDays(due, every);
}

std::optional<base::Date> StoredDueDate(const records::InvoiceRecord& master) {
    return base::ParseDate(master.nextDueDate(), base::DateOrder::MonthFirst);
}

std::string StoredDueText(const base::Date& due) {
    return base::FormatDate(due, base::DateOrder::MonthFirst);
}

std::string_view UnitCode(RepeatUnit unit) {
    return unit == RepeatUnit::Months ? "M" : "D";
}

RepeatUnit UnitOf(const records::InvoiceRecord& master) {
    return base::Trim(master.repeatUnit()) == "M" ? RepeatUnit::Months : RepeatUnit::Days;
}

int RepeatInterval(const records::InvoiceRecord& master) {
    const auto every = base::ParseWholeNumber(base::Trim(master.repeatInterval()));
    return every && *every > 1 ? static_cast<int>(std::min<long long>(*every, kMaxRepeatInterval))
                               : 1;
}

int GeneratedCount(const records::InvoiceRecord& master) {
    const auto count = base::ParseWholeNumber(base::Trim(master.generatedCount()));
    return count && *count > 0 ? static_cast<int>(*count) : 0;
}

std::string GeneratedNumber(std::string_view masterNumber, int count) {
    return base::Win1252Upper(base::Trim(masterNumber)) + "G" + std::to_string(count);
}

std::variant<RepeatSchedule, RepeatScheduleFailure> CheckRepeatSchedule(
    const RepeatScheduleEntry& entry, base::DateOrder order) {
    const std::string every = base::Trim(entry.every);
    if (every.empty()) return RepeatScheduleFailure{kIntervalCaption, kIntervalMissing};
    const auto value = every.find_first_not_of("0123456789") == std::string::npos
                           ? base::ParseWholeNumber(every)
                           : std::nullopt;
    if (!value || *value > kMaxRepeatInterval)
        return RepeatScheduleFailure{kIntervalCaption,
                                     "You must enter a valid NUMBER of days/months."};
    if (*value < 1 && entry.generate)
        return RepeatScheduleFailure{kIntervalCaption, kIntervalMissing};
    const auto due = base::ParseDate(entry.nextDue, order);
    if (!due)
        return RepeatScheduleFailure{"Start Date", "You must enter a valid date.",
                                     RepeatScheduleField::NextDue};
    return RepeatSchedule{static_cast<int>(*value), entry.unit, *due};
}

}  // namespace invoicing

#pragma once
// The schedule of a repeat master: how its next due date advances, how that date is stored
// ("mm/dd/yyyy" whatever the company's date order) and shown, the numbers of the invoices it
// generates, and the checks of the Repeat Invoice Setup dialog. Plain values only.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "base/Clock.h"
#include "base/Dates.h"
#include "base/PromptService.h"
#include "records/InvoiceRecord.h"

namespace invoicing {

enum class RepeatUnit { Months, Days };

inline constexpr int kMaxRepeatInterval = 999;
inline constexpr int kMaxGeneratedCount = 999;
inline constexpr int kMaxMasterNumberLength = 5;

// The due date after `due`: `every` months later (the same day, cut to the end of a shorter
// month, so January 31 gives February 29 or 28) or `every` days later.
base::Date AdvanceDue(const base::Date& due, int every, RepeatUnit unit);

// The stored next due date of a master; nothing when it does not read.
std::optional<base::Date> StoredDueDate(const records::InvoiceRecord& master);
// A next due date as the master stores it: "mm/dd/yyyy".
std::string StoredDueText(const base::Date& due);

// "M" or "D" as the master stores it, and back ("M" months, anything else days).
std::string_view UnitCode(RepeatUnit unit);
RepeatUnit UnitOf(const records::InvoiceRecord& master);

// The interval of a master: its stored interval read as a whole number, at least 1.
int RepeatInterval(const records::InvoiceRecord& master);
// The generated count of a master: its stored count read as a whole number, 0 when empty.
int GeneratedCount(const records::InvoiceRecord& master);

// The number of the invoice a master generates as its `count`th: the master's number (trimmed,
// upper case) + "G" + the count.
std::string GeneratedNumber(std::string_view masterNumber, int count);

// The Repeat Invoice Setup dialog's values, as typed.
struct RepeatScheduleEntry {
    bool generate = false;  // "Generate Invoices from this master record"
    std::string every;      // "Every:"
    RepeatUnit unit = RepeatUnit::Months;
    std::string nextDue;  // "Next Scheduled Creation Date:" in the company's date order
};

// A schedule that passed the checks of OK.
struct RepeatSchedule {
    int every = 1;
    RepeatUnit unit = RepeatUnit::Months;
    base::Date nextDue;
};

// Which control a refused entry sends the focus to.
enum class RepeatScheduleField { Every, NextDue };

struct RepeatScheduleFailure {
    std::string caption;
    std::string text;
    RepeatScheduleField field = RepeatScheduleField::Every;
};

// The checks of OK in their order: the interval given, a whole number, at least 1 while the box
// is ticked, and a complete, valid date.
std::variant<RepeatSchedule, RepeatScheduleFailure> CheckRepeatSchedule(
    const RepeatScheduleEntry& entry, base::DateOrder order);

}  // namespace invoicing

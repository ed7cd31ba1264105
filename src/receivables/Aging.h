#pragma once
// The aging rule: how old an item is, which of the four categories its open amount goes to, when
// a customer's stored aging must be recomputed, and the heights of the aging chart's bars. Plain
// values only; the runs over the files use these.

#include <array>
#include <optional>

#include "base/Clock.h"
#include "base/Dates.h"
#include "base/Decimal.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceRecord.h"

namespace receivables {

// The caption of the aging's messages, and the one shown when a day limit cannot be read.
inline constexpr char kAgingCaption[] = "Aging";
inline constexpr char kBadAgingDaysText[] =
    "There is a bad value in your aging days (Company Setup). Unable to calculate aging.";

struct AgingLimits {
    long days1 = 30;
    long days2 = 60;
    long days3 = 90;
};

// The company's three day limits; nothing when one is empty or not a whole number, or when they
// do not increase strictly ("There is a bad value in your aging days"): limits that overlap or
// leave a gap would count an amount twice or never.
std::optional<AgingLimits> ReadAgingLimits(const records::CompanyRecord& company);

// The one category (1..4) of an item `days` old: 1 up to days1, 2 up to days2, 3 up to days3, 4
// above.
int AgingCategory(long days, const AgingLimits& limits);

struct AgingSums {
    std::array<base::Decimal, 4> categories{};

    // Adds `amount` to the category of an item `days` old.
    void Add(base::Decimal amount, long days, const AgingLimits& limits);
    base::Decimal Total() const;
    AgingSums& operator+=(const AgingSums& other);
};

// Whole days from the item's document date to `now` (0 or less for a date not yet reached). The
// date comes from the record's sortable "yyyy/mm/dd" field, which does not depend on the
// company's date format; the date text, read in the short date order, serves only when that field
// is empty or unreadable, and an item with no readable date counts as new.
long ItemAgeDays(const records::InvoiceRecord& item, const base::DateTime& now,
                 base::DateOrder shortDateOrder);

// The item's open amount: its balance due; zero when the text is not a number.
base::Decimal OpenAmount(const records::InvoiceRecord& item);

// Whether the company-wide run recomputes this customer: an empty short name (set to "*NONE*"),
// or a balance or aging amount that is not a number or not zero. Customers whose five amounts are
// all zero keep their stored aging.
bool NeedsAging(records::CustomerRecord& customer);

// Writes the four sums and their total as the customer's aging amounts and balance ("0.00");
// false when an amount does not fit its field (the record is then partly written).
[[nodiscard]] bool StoreAging(records::CustomerRecord& customer, const AgingSums& sums);

// The chart's bar heights in pixels for a frame `frameHeight` high: each category's whole
// percentage of `total` times the frame height, divided by 100; a category with an amount never
// shows less than 4 pixels. `total` must not be zero.
std::array<int, 4> ChartBarHeights(const AgingSums& sums, base::Decimal total, int frameHeight);

}  // namespace receivables

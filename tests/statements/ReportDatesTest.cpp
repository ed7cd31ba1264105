// The wizard's date presets counted from today, and the three checks of View in their order.
#include "statements/ReportDates.h"

#include <gtest/gtest.h>

namespace statements {
namespace {

struct PresetCase {
    base::Date today;
    const char* preset;
    base::Date from, to;
};

TEST(ReportDates, PresetsCountFromToday) {
    const PresetCase cases[] = {
        {{2026, 12, 6}, "Month to Date", {2026, 12, 1}, {2026, 12, 6}},
        {{2026, 12, 6}, "Year to Date", {2026, 1, 1}, {2026, 12, 6}},
        {{2026, 3, 1}, "Last 30 Days", {2026, 1, 30}, {2026, 3, 1}},
        {{2026, 3, 1}, "Last 60 Days", {2025, 12, 31}, {2026, 3, 1}},
        {{2026, 3, 1}, "Last 90 Days", {2025, 12, 1}, {2026, 3, 1}},
        {{2026, 12, 6}, "Last 12 Months", {2025, 12, 6}, {2026, 12, 6}},
        {{2028, 2, 29}, "Last 12 Months", {2027, 2, 28}, {2028, 2, 29}},
        {{2026, 12, 6}, "Current Year", {2026, 1, 1}, {2026, 12, 31}},
        {{2026, 12, 6}, "Previous Year", {2025, 1, 1}, {2025, 12, 31}},
        {{2028, 2, 10}, "Current Month", {2028, 2, 1}, {2028, 2, 29}},
        {{2026, 2, 10}, "Current Month", {2026, 2, 1}, {2026, 2, 28}},
        {{2026, 1, 15}, "Previous Month", {2025, 12, 1}, {2025, 12, 31}},
        {{2026, 3, 31}, "Previous Month", {2026, 2, 1}, {2026, 2, 28}},
    };
    for (const PresetCase& c : cases) {
        const std::optional<DateRange> range = PresetRange(c.preset, c.today);
        ASSERT_TRUE(range) << c.preset;
        EXPECT_EQ(range->from, c.from) << c.preset << " " << c.today.year << "-" << c.today.month;
        EXPECT_EQ(range->to, c.to) << c.preset;
    }
    EXPECT_FALSE(PresetRange(kCustomDates, {2026, 12, 6}));
    EXPECT_EQ(DatePresets().size(), 11u);
    for (std::string_view preset : DatePresets())
        EXPECT_EQ(PresetRange(preset, {2026, 12, 6}).has_value(), preset != kCustomDates);
}

TEST(ReportDates, TheLabelNamesTheDateOrder) {
    EXPECT_EQ(DateSelectionLabel(base::DateOrder::MonthFirst), "Date Selection:");
    EXPECT_EQ(DateSelectionLabel(base::DateOrder::DayFirst), "Date Selection (dd/mm/yyyy):");
    EXPECT_EQ(DateSelectionLabel(base::DateOrder::YearFirst), "Date Selection (yyyy/mm/dd):");
}

struct CheckCase {
    const char* from;
    const char* to;
    base::DateOrder order;
    std::optional<DateField> refused;  // nothing: accepted
    const char* caption = "";
};

TEST(ReportDates, ViewChecksFromThenToThenTheirOrder) {
    using O = base::DateOrder;
    const CheckCase cases[] = {
        {"12/06/2026", "12/06/2026", O::MonthFirst, std::nullopt},
        {"06/12/2026", "31/12/2026", O::DayFirst, std::nullopt},
        {"2026/12/06", "2026/12/31", O::YearFirst, std::nullopt},
        {"__/__/____", "12/31/2026", O::MonthFirst, DateField::From, "FROM Date"},
        {"02/30/2026", "__/__/____", O::MonthFirst, DateField::From, "FROM Date"},
        {"12/01/2026", "13/01/2026", O::MonthFirst, DateField::To, "TO Date"},
        {"12/02/2026", "12/01/2026", O::MonthFirst, DateField::From, "FROM Date"},
        {"31/12/2026", "12/31/2026", O::DayFirst, DateField::To, "TO Date"},
    };
    for (const CheckCase& c : cases) {
        const DateCheck check = CheckReportDates(c.from, c.to, c.order);
        EXPECT_EQ(check.range.has_value(), !c.refused) << c.from << " " << c.to;
        if (!c.refused) continue;
        ASSERT_TRUE(check.refusal);
        EXPECT_EQ(check.refusal->field, *c.refused) << c.from << " " << c.to;
        EXPECT_EQ(check.refusal->caption, c.caption);
    }
    EXPECT_EQ(CheckReportDates("12/02/2026", "12/01/2026", O::MonthFirst).refusal->text,
              "Your beginning date is not older than your ending date.");
    EXPECT_EQ(CheckReportDates("1/2/2026", "x", O::MonthFirst).refusal->text,
              "You have an invalid ending date. You can clear the date and then select the "
              "calendar button.");
}

}  // namespace
}  // namespace statements

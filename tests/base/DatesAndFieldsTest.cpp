#include <gtest/gtest.h>

#include <vector>

#include "base/Dates.h"
#include "base/RecordField.h"

namespace base {
namespace {

TEST(Dates, CompanyFormatsWriteAndReadTheirOrder) {
    const Date d{2024, 3, 5};
    EXPECT_EQ(FormatDate(d, EntryDateOrder("M")), "03/05/2024");
    EXPECT_EQ(FormatDate(d, EntryDateOrder("D")), "05/03/2024");
    EXPECT_EQ(FormatDate(d, EntryDateOrder("Y")), "2024/03/05");
    EXPECT_EQ(ShortDateOrder("Y"), DateOrder::MonthFirst);
    EXPECT_EQ(ShortDateOrder("D"), DateOrder::DayFirst);
    EXPECT_EQ(SortableDate(d), "2024/03/05");
    EXPECT_EQ(ParseDate("03/05/2024", DateOrder::MonthFirst), d);
    EXPECT_EQ(ParseDate(" 5/3/2024 ", DateOrder::DayFirst), d);
    EXPECT_EQ(ParseDate("2024/03/05", DateOrder::MonthFirst), d);  // year first is recognised
    EXPECT_EQ(ParseDate("2024/3/5", DateOrder::YearFirst), d);
}

TEST(Dates, IncompleteOrImpossibleDatesAreInvalid) {
    for (const char* bad :
         {"02/30/2024", "13/01/2024", "00/10/2024", "02/29/2023", "1/1/24", "__/__/____", "",
          "01/01", "01/01/2024/1", "01-01-2024", "1//2024", "123/1/2024"})
        EXPECT_FALSE(ParseDate(bad, DateOrder::MonthFirst)) << bad;
    EXPECT_TRUE(ParseDate("02/29/2000", DateOrder::MonthFirst));
    EXPECT_FALSE(ParseDate("02/29/1900", DateOrder::MonthFirst));
    EXPECT_TRUE(ParseDate("02/29/2024", DateOrder::MonthFirst));
}

TEST(Dates, DayArithmeticCrossesMonthsYearsAndLeapDays) {
    EXPECT_EQ(AddDays({2024, 2, 28}, 1), (Date{2024, 2, 29}));
    EXPECT_EQ(AddDays({2024, 3, 1}, -1), (Date{2024, 2, 29}));
    EXPECT_EQ(AddDays({1999, 1, 1}, 365 * 400 + 97), (Date{2399, 1, 1}));
    for (long n : {0L, 1L, 59L, 365L, 730119L, 3652058L})
        EXPECT_EQ(DayNumber(DateFromDayNumber(n)), n);
    EXPECT_EQ(DayOfWeek({2024, 3, 5}), 2);  // a Tuesday
    EXPECT_EQ(DayOfWeek({2000, 1, 1}), 6);  // a Saturday
}

TEST(Dates, MonthArithmeticCutsTheDayToTheTargetMonth) {
    EXPECT_EQ(AddMonths({2024, 1, 31}, 1), (Date{2024, 2, 29}));
    EXPECT_EQ(AddMonths({2023, 1, 31}, 1), (Date{2023, 2, 28}));
    EXPECT_EQ(AddMonths({2024, 2, 29}, 1), (Date{2024, 3, 29}));
    EXPECT_EQ(AddMonths({2100, 1, 31}, 1), (Date{2100, 2, 28}));
    EXPECT_EQ(AddMonths({2024, 1, 15}, -1), (Date{2023, 12, 15}));
    EXPECT_EQ(AddMonths({2024, 5, 31}, 24), (Date{2026, 5, 31}));
}

TEST(Dates, WholeDaysDropTheFractionTowardZero) {
    const DateTime now{{2024, 3, 5}, 14, 30, 0};
    EXPECT_EQ(WholeDaysSince({2024, 3, 5}, now), 0);
    EXPECT_EQ(WholeDaysSince({2024, 3, 4}, now), 1);
    EXPECT_EQ(WholeDaysSince({2024, 3, 6}, now), 0);  // -0.4 days
    EXPECT_EQ(WholeDaysSince({2024, 3, 7}, now), -1);
    EXPECT_EQ(WholeDaysSince({2024, 3, 6}, DateTime{{2024, 3, 5}, 0, 0, 0}), -1);
}

TEST(Dates, LongDateTimeUsesTwelveHourClock) {
    EXPECT_EQ(FormatLongDateTime({{2024, 3, 5}, 14, 7, 9}), "Tuesday, March 5, 2024, 02:07 PM");
    EXPECT_EQ(FormatLongDateTime({{2024, 12, 25}, 0, 5, 0}),
              "Wednesday, December 25, 2024, 12:05 AM");
    EXPECT_EQ(FormatLongDateTime({{2024, 1, 1}, 12, 0, 0}), "Monday, January 1, 2024, 12:00 PM");
}

TEST(RecordFields, TextsAreLengthPrefixedCutAndZeroFilled) {
    uint8_t record[16];
    std::fill(std::begin(record), std::end(record), 0xAA);
    WriteText(record, 2, 5, "abcdefgh");
    EXPECT_EQ(record[2], 5);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(record + 3), 5), "abcde");
    EXPECT_EQ(record[8], 0xAA);  // the byte after the field is not touched
    WriteText(record, 2, 5, "xy");
    EXPECT_EQ(record[2], 2);
    EXPECT_EQ(ReadText(record, 2, 5), "xy");
    EXPECT_EQ(record[5], 0);
    EXPECT_EQ(record[7], 0);
    record[2] = 200;  // a damaged length byte never reads past the field
    EXPECT_EQ(ReadText(record, 2, 5).size(), 5u);
    EXPECT_EQ(record[1], 0xAA);
}

TEST(RecordFields, AmountsReadExactlyWithCommasRemovedAndZeroForNonNumbers) {
    const struct {
        const char* stored;
        const char* read;  // as "0.0000"
    } cases[] = {
        {"1,234.50", "1234.5000"}, {"-0.10", "-0.1000"}, {" 12 ", "12.0000"},
        {"0.1234", "0.1234"},      {"", "0.0000"},       {"abc", "0.0000"},
        {"1.2.3", "0.0000"},
    };
    for (const auto& [stored, read] : cases) {
        uint8_t record[12] = {};
        WriteText(record, 0, 10, stored);
        EXPECT_EQ(ReadMoney(record, 0, 10).Format("0.0000"), read) << stored;
    }
}

TEST(RecordFields, AmountsAreWrittenWithTwoDecimalsRoundedHalfAwayFromZero) {
    const struct {
        const char* value;
        const char* stored;
    } cases[] = {
        {"0", "0.00"},
        {"1234.5", "1234.50"},
        {"1.005", "1.01"},
        {"-1.005", "-1.01"},
        {"-0.004", "0.00"},
        {"9999999.994", "9999999.99"},
        {"-999999.99", "-999999.99"},
    };
    for (const auto& [value, stored] : cases) {
        uint8_t record[12] = {};
        EXPECT_TRUE(WriteMoney(record, 0, 10, *Decimal::Parse(value))) << value;
        EXPECT_EQ(ReadText(record, 0, 10), stored) << value;
    }
}

TEST(RecordFields, AnAmountTooWideForItsFieldLeavesTheFieldAsItWas) {
    uint8_t record[12] = {};
    WriteText(record, 0, 10, "12.50");
    const std::vector<uint8_t> before(std::begin(record), std::end(record));
    EXPECT_FALSE(WriteMoney(record, 0, 10, *Decimal::Parse("9999999.995")));  // "10000000.00"
    EXPECT_FALSE(WriteMoney(record, 0, 10, *Decimal::Parse("-1000000")));     // "-1000000.00"
    EXPECT_EQ(std::vector<uint8_t>(std::begin(record), std::end(record)), before);
}

TEST(RecordFields, RewritingAnAmountStoredWithTwoDecimalsKeepsItsBytes) {
    for (const char* stored : {"0.00", "12.50", "-3.00", "1234567.89", "-0.01"}) {
        uint8_t record[12] = {};
        WriteText(record, 0, 10, stored);
        const std::vector<uint8_t> before(std::begin(record), std::end(record));
        ASSERT_TRUE(WriteMoney(record, 0, 10, ReadMoney(record, 0, 10)));
        EXPECT_EQ(std::vector<uint8_t>(std::begin(record), std::end(record)), before) << stored;
    }
}

}  // namespace
}  // namespace base

#include "receivables/Aging.h"

#include <gtest/gtest.h>

namespace receivables {
namespace {

using base::Decimal;

Decimal D(const char* text) {
    return *Decimal::Parse(text);
}

records::InvoiceRecord Item(const char* dateText, const char* balanceDue) {
    records::InvoiceRecord item;
    item.setDate(dateText);
    item.setBalanceDue(balanceDue);
    return item;
}

TEST(Aging, ItemsFallIntoTheirCategoryByWholeDays) {
    const AgingLimits limits{30, 60, 90};
    const base::DateTime now{{2026, 3, 31}, 17, 45, 0};
    struct Case {
        const char* date;
        int category;  // 1..4
    };
    for (const Case& c : std::vector<Case>{{"03/31/2026", 1},
                                           {"12/25/2026", 1},  // not yet reached
                                           {"03/01/2026", 1},  // 30 days
                                           {"02/28/2026", 2},  // 31 days
                                           {"12/31/2025", 3},  // 90 days
                                           {"12/30/2025", 4},  // 91 days
                                           {"garbage", 1}}) {
        AgingSums sums;
        sums.Add(D("10.00"), ItemAgeDays(Item(c.date, "10.00"), now, base::DateOrder::MonthFirst),
                 limits);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(sums.categories[i], i + 1 == c.category ? D("10.00") : Decimal()) << c.date;
    }
    // Without a sortable date the text is read in the company's order; the sortable date wins
    // over a text typed under another date format.
    EXPECT_EQ(ItemAgeDays(Item("01/03/2026", "1"), now, base::DateOrder::DayFirst), 30);
    records::InvoiceRecord sorted = Item("01/03/2026", "1");
    sorted.setSortDate("2026/03/21");
    EXPECT_EQ(ItemAgeDays(sorted, now, base::DateOrder::MonthFirst), 10);
}

TEST(Aging, CreditsReduceTheirCategoryAndABalancedCustomerEndsAtZero) {
    const AgingLimits limits{30, 60, 90};
    AgingSums sums;
    sums.Add(D("250.00"), 5, limits);
    sums.Add(D("-100.00"), 120, limits);
    sums.Add(D("-150.00"), 10, limits);
    records::CustomerRecord customer;
    ASSERT_TRUE(StoreAging(customer, sums));
    EXPECT_EQ(customer.aging1(), "100.00");
    EXPECT_EQ(customer.aging4(), "-100.00");
    EXPECT_EQ(customer.balance(), "0.00");
}

TEST(Aging, OnlyCustomersWithSomethingToAgeAreRecomputed) {
    const auto customer = [](const char* shortName, const char* balance, const char* aging3) {
        records::CustomerRecord c;
        c.setShortName(shortName);
        c.setBalance(balance);
        c.setAging1("0.00");
        c.setAging2("0.00");
        c.setAging3(aging3);
        c.setAging4("0.00");
        return c;
    };
    auto settled = customer("ACME", "0.00", "0.00");
    EXPECT_FALSE(NeedsAging(settled));
    auto unnamed = customer("", "0.00", "0.00");
    EXPECT_TRUE(NeedsAging(unnamed));
    EXPECT_EQ(unnamed.shortName(), "*NONE*");
    auto owing = customer("ACME", "10.00", "0.00");
    EXPECT_TRUE(NeedsAging(owing));
    auto unreadable = customer("ACME", "", "0.00");
    EXPECT_TRUE(NeedsAging(unreadable));
    // Amounts compare as numbers: "10.00" holds the text "0.00" but is not zero.
    for (const char* stale : {"5.00", "10.00", "-10.00"}) {
        auto staleAging = customer("ACME", "0.00", stale);
        EXPECT_TRUE(NeedsAging(staleAging)) << stale;
    }
}

TEST(Aging, LimitsAndChartBars) {
    records::CompanyRecord company;
    company.setAgingDays1("30");
    company.setAgingDays2("60");
    company.setAgingDays3(" ");
    EXPECT_FALSE(ReadAgingLimits(company));
    company.setAgingDays3("90");
    ASSERT_TRUE(ReadAgingLimits(company));
    EXPECT_EQ(ReadAgingLimits(company)->days3, 90);

    AgingSums sums;
    sums.categories = {D("900.00"), D("99.00"), D("1.00"), Decimal()};
    // 90 % of 200 px, 10 % (9.9 rounded), 0 % raised to the minimum, and nothing for an empty one.
    EXPECT_EQ(ChartBarHeights(sums, D("1000.00"), 200), (std::array<int, 4>{180, 20, 4, 0}));
}

}  // namespace
}  // namespace receivables

#include "receivables/Aging.h"

#include "base/Text.h"

namespace receivables {
namespace {

constexpr int kMinimumBarHeight = 4;

std::optional<long> Limit(std::string_view text) {
    const std::string trimmed = base::Trim(text);
    if (trimmed.empty()) return std::nullopt;
    const auto value = base::ParseWholeNumber(trimmed);
    if (!value) return std::nullopt;
    return static_cast<long>(*value);
}

}  // namespace

std::optional<AgingLimits> ReadAgingLimits(const records::CompanyRecord& company) {
    const auto l1 = Limit(company.agingDays1());
    const auto l2 = Limit(company.agingDays2());
    const auto l3 = Limit(company.agingDays3());
    if (!l1 || !l2 || !l3 || *l1 < 0 || *l1 >= *l2 || *l2 >= *l3) return std::nullopt;
    return AgingLimits{*l1, *l2, *l3};
}

int AgingCategory(long days, const AgingLimits& limits) {
    if (days <= limits.days1) return 1;
    if (days <= limits.days2) return 2;
    return days <= limits.days3 ? 3 : 4;
}

void AgingSums::Add(base::Decimal amount, long days, const AgingLimits& limits) {
    categories[static_cast<size_t>(AgingCategory(days, limits) - 1)] += amount;
}

base::Decimal AgingSums::Total() const {
    base::Decimal total;
    for (const base::Decimal& amount : categories) total += amount;
    return total;
}

AgingSums& AgingSums::operator+=(const AgingSums& other) {
    for (size_t i = 0; i < categories.size(); ++i) categories[i] += other.categories[i];
    return *this;
}

long ItemAgeDays(const records::InvoiceRecord& item, const base::DateTime& now,
                 base::DateOrder shortDateOrder) {
    std::optional<base::Date> date = base::ParseDate(item.sortDate(), base::DateOrder::YearFirst);
    if (!date) date = base::ParseDate(item.date(), shortDateOrder);
    return date ? base::WholeDaysSince(*date, now) : 0;
}

base::Decimal OpenAmount(const records::InvoiceRecord& item) {
    return item.balanceDueAmount();
}

bool NeedsAging(records::CustomerRecord& customer) {
    bool recompute = false;
    if (base::Trim(customer.shortName()).empty()) {
        customer.setShortName("*NONE*");
        recompute = true;
    }
    const auto isZero = [](const std::string& text) {
        const std::optional<base::Decimal> amount = base::Decimal::Parse(text);
        return amount && amount->IsZero();
    };
    for (const std::string& amount : {customer.balance(), customer.aging1(), customer.aging2(),
                                      customer.aging3(), customer.aging4()}) {
        recompute = recompute || !isZero(amount);
    }
    return recompute;
}

bool StoreAging(records::CustomerRecord& customer, const AgingSums& sums) {
    return customer.setAging1Amount(sums.categories[0]) &&
           customer.setAging2Amount(sums.categories[1]) &&
           customer.setAging3Amount(sums.categories[2]) &&
           customer.setAging4Amount(sums.categories[3]) && customer.setBalanceAmount(sums.Total());
}

std::array<int, 4> ChartBarHeights(const AgingSums& sums, base::Decimal total, int frameHeight) {
    std::array<int, 4> heights{};
    for (size_t i = 0; i < heights.size(); ++i) {
        const base::Decimal share = (sums.categories[i] * base::Decimal::FromInteger(100))
                                        .DividedBy(total)
                                        .value_or(base::Decimal());
        const long long percent = share.Rounded(0).Truncated();
        heights[i] = static_cast<int>(percent * frameHeight / 100);
        if (heights[i] < kMinimumBarHeight && !sums.categories[i].IsZero())
            heights[i] = kMinimumBarHeight;
    }
    return heights;
}

}  // namespace receivables

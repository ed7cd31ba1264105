#include "statements/ReportGrid.h"

#include <algorithm>

#include "base/Text.h"
#include "statements/ReportOrder.h"

namespace statements {
namespace {

constexpr size_t kGroupWidth = 32;
constexpr char kGroupTotal[] = "** Totals";
constexpr char kMonthTotal[] = "Month Total";
constexpr char kGrandTotal[] = "Grand Total";

// The first 32 characters, blanks around them left out.
std::string_view GroupOf(std::string_view text) {
    text = text.substr(0, kGroupWidth);
    while (!text.empty() && base::IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && base::IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The "yyyy/mm" of a "yyyy/mm/dd" date; empty for a shorter text.
std::string_view MonthOf(std::string_view date) {
    return date.size() < 7 ? std::string_view() : date.substr(0, 7);
}

// "mm/yyyy", as a month total shows its month.
std::string ShownMonth(std::string_view month) {
    if (month.size() < 7) return {};
    return std::string(month.substr(5, 2)) + "/" + std::string(month.substr(0, 4));
}

bool IsDateHeading(const std::string& heading) {
    return heading.find("Date") != std::string::npos ||
           heading.find("Year/Mo") != std::string::npos;
}

}  // namespace

std::string_view RoleName(RowRole role) {
    switch (role) {
        case RowRole::Heading:
            return "heading";
        case RowRole::Item:
            return "item";
        case RowRole::Group:
            return "group";
        case RowRole::Month:
            return "month";
        case RowRole::Grand:
            return "grand";
    }
    return {};
}

ReportGrid::ReportGrid(const Report& report, int chosen, bool subtotals)
    : report_(&report),
      chosen_(std::clamp(chosen, 0, std::max(0, static_cast<int>(report.columns.size()) - 1))),
      subtotals_(subtotals),
      summed_(InfoOf(report.kind).summedColumns) {
    const int columns = columnCount();
    std::vector<int> sources(columns);
    for (int column = 0; column < columns; ++column) sources[column] = SourceColumn(column);
    const std::vector<uint32_t> order = OrderRows(report, sources);

    rows_.reserve(order.size() + 2);
    rows_.push_back({RowRole::Heading, 0});
    const bool byDate = columns > 0 && IsDateHeading(Column(0).heading);
    const std::vector<base::Decimal> zero(summed_.size());
    std::vector<base::Decimal> group = zero, month = zero, grand = zero;
    const auto emit = [&](RowRole role, std::string first, std::vector<base::Decimal>& sums) {
        rows_.push_back({role, static_cast<uint32_t>(totals_.size())});
        totals_.push_back({std::move(first), sums});
        sums = zero;
    };
    std::string_view lastGroup, lastMonth;
    for (uint32_t index : order) {
        const std::string& first = report.rows[index].cells[chosen_].text;
        const std::string_view thisGroup = GroupOf(first);
        const std::string_view thisMonth = byDate ? MonthOf(first) : std::string_view();
        if (subtotals_ && itemCount_ > 0) {
            if (thisGroup != lastGroup) emit(RowRole::Group, {}, group);
            if (byDate && thisMonth != lastMonth)
                emit(RowRole::Month, ShownMonth(lastMonth), month);
        }
        lastGroup = thisGroup;
        lastMonth = thisMonth;
        rows_.push_back({RowRole::Item, index});
        ++itemCount_;
        for (size_t i = 0; i < summed_.size(); ++i) {
            const std::optional<base::Decimal>& value = report.rows[index].cells[summed_[i]].value;
            if (!value) continue;
            group[i] += *value;
            month[i] += *value;
            grand[i] += *value;
        }
    }
    if (subtotals_ && itemCount_ > 0) {
        emit(RowRole::Group, {}, group);
        if (byDate) emit(RowRole::Month, ShownMonth(lastMonth), month);
    }
    emit(RowRole::Grand, {}, grand);
}

int ReportGrid::SourceColumn(int column) const {
    if (column == 0) return chosen_;
    if (column == chosen_) return 0;
    return column;
}

const ReportColumn& ReportGrid::Column(int column) const {
    return report_->columns[SourceColumn(column)];
}

RowRole ReportGrid::Role(int row) const {
    return rows_[row].role;
}

int ReportGrid::SummedIndex(int sourceColumn) const {
    const auto found = std::find(summed_.begin(), summed_.end(), sourceColumn);
    return found == summed_.end() ? -1 : static_cast<int>(found - summed_.begin());
}

int ReportGrid::LabelColumn() const {
    return summed_.empty() ? 0 : summed_.front() - 1;
}

std::string ReportGrid::Text(int row, int column) const {
    const Row& at = rows_[row];
    switch (at.role) {
        case RowRole::Heading:
            return Column(column).heading;
        case RowRole::Item:
            return report_->rows[at.index].cells[SourceColumn(column)].text;
        case RowRole::Group:
        case RowRole::Month:
        case RowRole::Grand:
            break;
    }
    if (column == LabelColumn())
        return at.role == RowRole::Group ? kGroupTotal
                                         : (at.role == RowRole::Month ? kMonthTotal : kGrandTotal);
    if (column == 0) return totals_[at.index].first;
    if (const std::optional<base::Decimal> value = Value(row, column))
        return AmountCell(*value, Column(column).kind).text;
    return {};
}

std::optional<base::Decimal> ReportGrid::Value(int row, int column) const {
    const Row& at = rows_[row];
    if (at.role == RowRole::Heading) return std::nullopt;
    if (at.role == RowRole::Item) return report_->rows[at.index].cells[SourceColumn(column)].value;
    const int summed = SummedIndex(SourceColumn(column));
    if (summed < 0) return std::nullopt;
    return totals_[at.index].sums[summed];
}

}  // namespace statements

// The order of report rows against the plain rule it must keep (cell by cell, values where both
// cells have one, texts byte by byte, ties in report order), on texts the short keys cannot tell
// apart by themselves.
#include "statements/ReportOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace statements {
namespace {

std::vector<uint32_t> PlainOrder(const Report& report, const std::vector<int>& columns) {
    std::vector<uint32_t> order(report.rows.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        for (const int column : columns) {
            const ReportCell& left = report.rows[a].cells[column];
            const ReportCell& right = report.rows[b].cells[column];
            if (left.value && right.value) {
                if (*left.value != *right.value) return *left.value < *right.value;
            } else if (left.text != right.text) {
                return left.text < right.text;
            }
        }
        return false;
    });
    return order;
}

ReportCell Amount(const char* text) {
    return AmountCell(*base::Decimal::Parse(text));
}

struct OrderCase {
    const char* name;
    std::vector<ReportRow> rows;
};

// Every row has a first text column, a second text column, an amount and a constant type.
ReportRow Row(std::string first, std::string second, const char* amount) {
    return {
        {TextCell(std::move(first)), TextCell(std::move(second)), Amount(amount), TextCell("I")}};
}

const std::string kLong = "NORTHERN HARDWA";  // 15 bytes: what a key holds

TEST(ReportOrder, KeepsThePlainOrderOnEveryColumnList) {
    const std::vector<OrderCase> cases = {
        {"texts differing after the 15th byte",
         {Row(kLong + "RE B", "1", "1"), Row(kLong + "RE A", "2", "1"), Row(kLong + "R", "3", "1"),
          Row(kLong, "4", "1"), Row(kLong + "RE A", "1", "1")}},
        {"a text and its prefix, one ending in a zero byte",
         {Row(std::string("AB\0", 3), "1", "1"), Row("AB", "1", "1"), Row("ABC", "1", "1"),
          Row("", "1", "1"), Row(std::string("AB\0C", 4), "1", "1")}},
        {"bytes above 127 after plain letters",
         {Row("\xE9t\xE9", "1", "1"), Row("zoo", "1", "1"), Row("Zoo", "1", "1"),
          Row("\xC0", "1", "1")}},
        {"amounts by value, not by text",
         {Row("A", "1", "1,000.00"), Row("A", "1", "999.00"), Row("A", "1", "-5.00"),
          Row("A", "1", "0.10"), Row("A", "1", "999.00")}},
        {"equal rows in report order, ties broken by later columns",
         {Row("B", "2", "3"), Row("A", "2", "3"), Row("B", "1", "3"), Row("B", "2", "3"),
          Row("A", "2", "1"), Row("B", "2", "3")}},
        {"no rows", {}},
    };
    const std::vector<std::vector<int>> columnLists = {
        {0, 1, 2, 3}, {1, 0, 2, 3}, {2, 1, 0, 3}, {3, 1, 2, 0}, {1, 2, 3, 0}};
    for (const OrderCase& test : cases) {
        Report report;
        report.columns = {{"Name", CellKind::Text},
                          {"Number", CellKind::Text},
                          {"Amount", CellKind::Amount},
                          {"Type", CellKind::Text}};
        report.rows = test.rows;
        for (const std::vector<int>& columns : columnLists)
            EXPECT_EQ(OrderRows(report, columns), PlainOrder(report, columns))
                << test.name << ", first column " << columns.front();
    }
}

}  // namespace
}  // namespace statements

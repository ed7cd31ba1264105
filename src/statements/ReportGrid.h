#pragma once
// The report as the output window shows, prints and saves it: the report's rows ordered on one
// of its columns, with group, month and grand totals inserted between them. The grid is rebuilt
// from the report's own rows every time it is regrouped, so regrouping twice gives the same grid
// and a total is never added up again. It refers to the report's rows instead of copying them: a
// row of the grid costs 8 bytes, and its cells are made when they are asked for.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Decimal.h"
#include "statements/Report.h"

namespace statements {

// What a grid row is: the headings, a report row, or a total. The CSV file names them in its
// first column.
enum class RowRole { Heading, Item, Group, Month, Grand };
std::string_view RoleName(RowRole role);  // "heading", "item", "group", "month", "grand"

class ReportGrid {
public:
    // Orders the rows on report column `chosen` (moved to the front, its place taken by the first
    // column), then on the rest of the row; with `subtotals`, a "** Totals" row after each group
    // of rows with the same first cell and, when the first column is a date, a "Month Total" row
    // after each month. A "Grand Total" row ends the grid either way. The report must outlive
    // the grid.
    ReportGrid(const Report& report, int chosen, bool subtotals);

    int rowCount() const { return static_cast<int>(rows_.size()); }  // with the headings
    int columnCount() const { return static_cast<int>(report_->columns.size()); }
    int chosenColumn() const { return chosen_; }
    bool subtotals() const { return subtotals_; }

    // The report column shown in grid column `column`.
    int SourceColumn(int column) const;
    const ReportColumn& Column(int column) const;
    RowRole Role(int row) const;
    // The text of a cell (Windows-1252), and the number an amount, quantity or count stands for.
    std::string Text(int row, int column) const;
    std::optional<base::Decimal> Value(int row, int column) const;
    // Report rows in the grid (total rows and headings not counted).
    int ItemCount() const { return itemCount_; }

private:
    struct Row {
        RowRole role;
        uint32_t index;  // into the report's rows, or into totals_
    };
    struct Totals {
        std::string first;                // the month of a month total
        std::vector<base::Decimal> sums;  // one per summed column
    };

    int SummedIndex(int sourceColumn) const;
    int LabelColumn() const;

    const Report* report_;
    int chosen_;
    bool subtotals_;
    std::vector<int> summed_;
    std::vector<Row> rows_;
    std::vector<Totals> totals_;
    int itemCount_ = 0;
};

}  // namespace statements

#pragma once
// The order of a report's rows on a list of its columns: by the first, ties by the next and so on,
// rows equal on all of them kept in report order. Two cells with a value (amounts, quantities,
// counts) order by it; otherwise by their texts, byte by byte.
//
// Regrouping orders up to a million rows, so the rows' first distinguishing columns are copied
// side by side into short keys (the first 15 bytes of each text and its length) that are sorted
// without touching the report; the cells themselves are compared only where the keys cannot
// tell, and columns whose cells are all alike are skipped.

#include <cstdint>
#include <vector>

#include "statements/Report.h"

namespace statements {

// Negative, zero or positive as cell `a` orders before, with or after cell `b`.
int CompareCells(const ReportCell& a, const ReportCell& b);

// The indexes of `report.rows` in order on report columns `columns`.
std::vector<uint32_t> OrderRows(const Report& report, const std::vector<int>& columns);

}  // namespace statements

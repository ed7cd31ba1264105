#pragma once
// How a spreadsheet's columns land in customer and product records: the column names are those
// `list --csv` writes, so a list exported, edited and imported again round-trips. Columns that
// the program computes (balance, last payment, last invoice, set-up and change dates) are read
// and left alone.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/CustomerRecord.h"
#include "records/ProductRecord.h"

namespace maintenance {

template <typename R>
struct CsvColumn {
    std::string_view name;
    // Writes the text into the record; the reason when the text does not fit the field. Empty
    // for a column that is read and left alone.
    std::function<std::optional<std::string>(R&, const std::string&)> set;
};

const std::vector<CsvColumn<records::CustomerRecord>>& CustomerColumns();
const std::vector<CsvColumn<records::ProductRecord>>& ProductColumns();

}  // namespace maintenance

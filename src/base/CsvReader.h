#pragma once
// Reading comma-separated values (RFC 4180) as spreadsheets write them: fields may be quoted,
// quoted fields may hold commas, doubled quotes and line breaks, records end with CR LF or LF.
// Blank lines are skipped. The bytes of the fields are returned as they are.

#include <string>
#include <string_view>
#include <vector>

namespace base {

struct CsvRow {
    int line = 0;  // the line the record starts on, from 1
    std::vector<std::string> fields;
};

struct CsvText {
    std::vector<CsvRow> rows;
    std::string error;  // empty when the whole text was read
    int errorLine = 0;
};

CsvText ReadCsv(std::string_view text);

}  // namespace base

#pragma once
// Comma-separated values for spreadsheets (RFC 4180): fields holding a comma, a quote or a line
// break are quoted with inner quotes doubled; records end with CR LF.

#include <string>
#include <string_view>
#include <vector>

namespace base {

std::string CsvField(std::string_view text);
std::string CsvRecord(const std::vector<std::string>& fields);

}  // namespace base

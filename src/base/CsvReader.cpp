#include "base/CsvReader.h"

namespace base {

CsvText ReadCsv(std::string_view text) {
    CsvText csv;
    CsvRow row{1, {}};
    std::string field;
    int line = 1;
    bool quoted = false;      // inside a quoted field
    bool afterQuote = false;  // a quoted field just closed: only a separator may follow
    bool fieldStarted = false;
    const auto endRecord = [&] {
        const bool blank = row.fields.empty() && !fieldStarted && field.empty();
        if (!blank) {
            row.fields.push_back(std::move(field));
            csv.rows.push_back(std::move(row));
        }
        row = CsvRow{line, {}};
        field.clear();
        fieldStarted = afterQuote = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
                afterQuote = true;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == ',') {
            row.fields.push_back(std::move(field));
            field.clear();
            fieldStarted = true;
            afterQuote = false;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;  // the LF ends the record
        } else if (c == '\n') {
            ++line;
            endRecord();
        } else if (afterQuote) {
            csv.error = "a quoted field is followed by more text";
            csv.errorLine = line;
            return csv;
        } else if (c == '"' && field.empty()) {
            quoted = true;
            fieldStarted = true;
        } else if (c == '"') {
            csv.error = "a quote stands inside a field that is not quoted";
            csv.errorLine = line;
            return csv;
        } else {
            field += c;
        }
    }
    if (quoted) {
        csv.error = "a quoted field is not closed";
        csv.errorLine = row.line;
        return csv;
    }
    endRecord();
    return csv;
}

}  // namespace base

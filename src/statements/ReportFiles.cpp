#include "statements/ReportFiles.h"

#include <cctype>
#include <vector>

#include "base/Csv.h"
#include "base/Windows1252.h"

namespace statements {
namespace {

constexpr size_t kCellWidth = 12;
constexpr size_t kDescriptionWidth = 32;
constexpr char kDescriptionHeading[] = "Product Description";

std::string Padded(const std::string& text, size_t width, bool left) {
    if (text.size() >= width) return text;
    const std::string fill(width - text.size(), ' ');
    return left ? fill + text : text + fill;
}

std::string Line(std::string_view text) {
    return base::Win1252ToUtf8(text) + "\n";
}

// The plain number of a value: amounts with cents, quantities with three decimals, counts whole.
std::string PlainNumber(base::Decimal value, CellKind kind) {
    switch (kind) {
        case CellKind::Quantity:
            return value.Format("0.000");
        case CellKind::Count:
            return value.Format("0");
        default:
            return value.Format("0.00");
    }
}

}  // namespace

std::string ReportText(const Report& report, const ReportGrid& grid) {
    std::string text =
        Line(report.title) + Line(report.company) + Line(report.dateLine) + Line(report.selection);
    for (const std::string& note : report.notes) text += Line(note);
    text += Line(" ");
    for (int row = 0; row < grid.rowCount(); ++row) {
        std::string line;
        for (int column = 0; column < grid.columnCount(); ++column) {
            const ReportColumn& heading = grid.Column(column);
            const std::string cell = grid.Text(row, column);
            if (heading.heading == kDescriptionHeading)
                line += Padded(cell, kDescriptionWidth, false);
            else
                line += Padded(cell, kCellWidth,
                               IsNumber(heading.kind) && (row == 0 || grid.Value(row, column)));
            line += ' ';
        }
        text += Line(line);
    }
    return text;
}

std::string ReportCsv(const ReportGrid& grid) {
    std::string csv;
    for (int row = 0; row < grid.rowCount(); ++row) {
        const RowRole role = grid.Role(row);
        std::vector<std::string> fields{role == RowRole::Heading ? "row"
                                                                 : std::string(RoleName(role))};
        for (int column = 0; column < grid.columnCount(); ++column) {
            const std::optional<base::Decimal> value = grid.Value(row, column);
            const CellKind kind = grid.Column(column).kind;
            fields.push_back(value && IsNumber(kind) ? PlainNumber(*value, kind)
                                                     : grid.Text(row, column));
        }
        csv += base::CsvRecord(fields);
    }
    return base::Win1252ToUtf8(csv);
}

bool IsCsvFileName(std::string_view path) {
    if (path.size() < 4) return false;
    std::string end(path.substr(path.size() - 4));
    for (char& c : end) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return end == ".CSV";
}

}  // namespace statements

// report_bench: the Report Wizard's reports on the benchmark company (100,000 customers,
// 1,000,000 invoice-file records, one detail line each). Side by side in one run: each report
// over every date, the output window's regrouping of it on each column it may be ordered by, the
// CSV file of the whole Sales Report, the memory a report row holds, and a GROUP BY of the Sales
// Report's rows in an in-memory SQLite table against the regrouping on the same column. The
// figures go into the "Reports" section of docs/BENCHMARKS.md.
//
//   report_bench [--dir DIR] [--rounds R] [--report NAME]
//
// --report runs one report only, by the name the tool knows it by (for a profile); the CSV file
// and the SQLite side need the Sales Report.

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "BenchCompany.h"
#include "statements/ReportFiles.h"
#include "statements/ReportGrid.h"
#include "statements/ReportRun.h"

namespace {

using namespace bench;

// Whether a text lives outside its string (too long for the string's own storage).
bool OnTheHeap(const std::string& text) {
    const auto* inside = reinterpret_cast<const char*>(&text);
    return text.data() < inside || text.data() >= inside + sizeof text;
}

// The bytes a row holds: the row, its cells and any text too long for a string's own storage.
size_t RowBytes(const statements::ReportRow& row) {
    size_t bytes = sizeof row + row.cells.capacity() * sizeof(statements::ReportCell);
    for (const statements::ReportCell& cell : row.cells)
        if (OnTheHeap(cell.text)) bytes += cell.text.capacity() + 1;
    return bytes;
}

void Exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) == SQLITE_OK) return;
    std::fprintf(stderr, "%s: %s\n", sql, error);
    std::exit(1);
}

// The Sales Report's rows as a table c0..c8 (texts) and v6..v8 (the values of the quantity,
// amount and extension columns), in memory with the journal off: SQLite at its fastest.
sqlite3* LoadRows(const statements::Report& report) {
    sqlite3* db = nullptr;
    Expect(sqlite3_open(":memory:", &db) == SQLITE_OK, "SQLite opens");
    Exec(db, "PRAGMA journal_mode=OFF");
    Exec(db, "PRAGMA synchronous=OFF");
    Exec(db,
         "CREATE TABLE sales (c0 TEXT, c1 TEXT, c2 TEXT, c3 TEXT, c4 TEXT, c5 TEXT, c6 TEXT, "
         "c7 TEXT, c8 TEXT, v6 REAL, v7 REAL, v8 REAL)");
    Exec(db, "BEGIN");
    sqlite3_stmt* insert = nullptr;
    Expect(sqlite3_prepare_v2(db, "INSERT INTO sales VALUES (?,?,?,?,?,?,?,?,?,?,?,?)", -1, &insert,
                              nullptr) == SQLITE_OK,
           "the insert is prepared");
    for (const statements::ReportRow& row : report.rows) {
        for (int c = 0; c < 9; ++c)
            sqlite3_bind_text(insert, c + 1, row.cells[c].text.data(),
                              static_cast<int>(row.cells[c].text.size()), SQLITE_STATIC);
        for (int c = 6; c < 9; ++c) {
            const auto& value = row.cells[c].value;
            sqlite3_bind_double(insert, c + 4,
                                value ? std::strtod(value->Format("0.000").c_str(), nullptr) : 0);
        }
        Expect(sqlite3_step(insert) == SQLITE_DONE, "the row is inserted");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Exec(db, "COMMIT");
    return db;
}

// The groups of report column `column` with their sums, in order, read to the last row.
int64_t GroupBy(sqlite3* db, int column) {
    const std::string c = "c" + std::to_string(column);
    const std::string sql =
        "SELECT " + c + ", COUNT(*), SUM(v7), SUM(v8) FROM sales GROUP BY " + c + " ORDER BY " + c;
    sqlite3_stmt* query = nullptr;
    Expect(sqlite3_prepare_v2(db, sql.c_str(), -1, &query, nullptr) == SQLITE_OK,
           "the query is prepared");
    int64_t groups = 0;
    while (sqlite3_step(query) == SQLITE_ROW) ++groups;
    sqlite3_finalize(query);
    return groups;
}

struct Regrouping {
    int column = 0;  // report column, from 0
    Figures figures;
};

}  // namespace

int main(int argc, char** argv) {
    CompanyShape shape;
    int rounds = 3;
    std::string only;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string word = argv[i];
        if (word == "--dir") shape.dir = argv[i + 1];
        if (word == "--rounds") rounds = std::atoi(argv[i + 1]);
        if (word == "--report") only = argv[i + 1];
    }
    shape.dir = std::filesystem::absolute(shape.dir);
    EnsureCompany(shape);
    const std::string loadBefore = LoadAverage();

    engine::Engine engine;
    engine.InitEngine(0, 30);
    base::FixedClock clock(kNow);
    CountingPrompts quiet;
    const company::ProgramState state = CompanyState(engine, quiet, clock);

    struct Line {
        std::string what;
        Figures figures;
        double goal;
    };
    std::vector<Line> lines;
    std::vector<std::string> notes;
    std::optional<statements::Report> sales;
    for (const statements::ReportKindInfo& info : statements::ReportKinds()) {
        if (!only.empty() && info.commandName != only) continue;
        statements::ReportRequest request;
        request.kind = info.kind;
        request.range = {{2000, 1, 1}, kToday};
        request.now = kNow;
        request.company = state.currentCompany;
        statements::ReportResult result;
        const Figures run = Time(rounds, [&] {
            CountingPrompts prompts;
            result = statements::RunReport(engine, prompts, request);
        });
        const std::string name(info.name);
        if (!result.report) {
            Expect(result.message.has_value(), "a report or its message");
            lines.push_back({name + ": message instead", run, 3});
            notes.push_back(name + ": \"" + result.message->text + "\"");
            continue;
        }
        const statements::Report& report = *result.report;
        lines.push_back({name + " (" + std::to_string(report.rows.size()) + " rows)", run, 3});
        size_t bytes = 0;
        for (const statements::ReportRow& row : report.rows) bytes += RowBytes(row);
        char text[160];
        std::snprintf(text, sizeof text, "%s: %zu rows, %zu columns, %.0f bytes a row (%.0f MB)",
                      name.c_str(), report.rows.size(), report.columns.size(),
                      static_cast<double>(bytes) / static_cast<double>(report.rows.size()),
                      static_cast<double>(bytes) / 1e6);
        notes.push_back(text);

        // The output window's regroupings: sub-totals on each column the rows may be ordered by.
        Regrouping slowest;
        for (int column = 0; column <= info.highestSortColumn; ++column) {
            const Figures figures =
                Time(rounds, [&] { statements::ReportGrid grid(report, column, true); });
            if (figures.median > slowest.figures.median) slowest = {column, figures};
        }
        lines.push_back(
            {"  regroup, slowest column (" + report.columns[slowest.column].heading + ")",
             slowest.figures, 1});
        if (info.kind == statements::ReportKind::Sales) sales = std::move(result.report);
    }
    engine.ExitEngine();
    size_t csvBytes = 0;
    double loadSeconds = 0;
    std::vector<std::pair<std::string, std::pair<Figures, Figures>>> versus;
    if (sales) {
        // "Save to File" as CSV, grouped by date as the window opens it.
        const statements::ReportGrid byDate(*sales, 0, true);
        lines.push_back({"Sales Report, CSV of the whole grid",
                         Time(rounds,
                              [&] {
                                  const std::string csv = statements::ReportCsv(byDate);
                                  FILE* file = std::fopen("sales.csv", "wb");
                                  csvBytes = std::fwrite(csv.data(), 1, csv.size(), file);
                                  Expect(std::fclose(file) == 0, "the CSV file is written");
                              }),
                         5});

        // The same rows grouped by SQLite, on the customer and the product description columns.
        sqlite3* db = nullptr;
        loadSeconds = SecondsOf([&] { db = LoadRows(*sales); });
        for (const int column : {1, 3}) {
            int64_t groups = 0;
            const Figures sql = Time(rounds, [&] { groups = GroupBy(db, column); });
            const Figures grid =
                Time(rounds, [&] { statements::ReportGrid grid(*sales, column, true); });
            versus.push_back(
                {sales->columns[column].heading + " (" + std::to_string(groups) + " groups)",
                 {grid, sql}});
        }
        sqlite3_close(db);
    }

    std::printf(
        "%d customers, %d invoice-file records, %d rounds; %s before, %s after; times in "
        "seconds\n\n",
        shape.customers, shape.invoices, rounds, loadBefore.c_str(), LoadAverage().c_str());
    PrintHeading();
    for (const Line& line : lines) PrintRow(line.what.c_str(), line.figures, line.goal, 0);
    std::printf("\nCSV: %zu bytes\n", csvBytes);
    for (const std::string& note : notes) std::printf("%s\n", note.c_str());
    std::printf("\nSQLite table of the Sales Report's rows loaded in %.2f s (not timed below)\n\n",
                loadSeconds);
    std::printf("| %-44s | regroup median | GROUP BY median | ratio |\n", "Sales Report, column");
    std::printf("|%s|----------------|-----------------|-------|\n", std::string(46, '-').c_str());
    for (const auto& [what, pair] : versus)
        std::printf("| %-44s | %14.4f | %15.4f | %5.1f |\n", what.c_str(), pair.first.median,
                    pair.second.median, pair.first.median / pair.second.median);
    return 0;
}

#pragma once
// The import of customers or products from a spreadsheet's comma-separated values: a header row
// naming the columns as `list --csv` writes them, then one row per record, in UTF-8 (with or
// without a byte-order mark) or Windows-1252. Every row is checked with the rules of the
// customer or product dialog, against the records on file and the rows above it; when any row is
// refused, every refused row is listed with its line and reason and nothing is written.
// Otherwise all rows are added in one posting: all or none.

#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"

namespace maintenance {

enum class CsvImportKind { Customers, Products };

struct RefusedRow {
    int line = 0;
    std::string reason;
};

struct CsvImportOutcome {
    std::string failure;  // why the file as a whole cannot be imported
    std::vector<RefusedRow> refused;
    int rows = 0;      // rows checked
    int imported = 0;  // rows written
    bool ok() const { return failure.empty() && refused.empty(); }
};

// Checks the rows of `text` and, unless `dryRun`, adds them to the current company's file.
CsvImportOutcome ImportCsv(engine::Engine& engine, base::PromptService& prompts,
                           company::ProgramState& state, const base::Clock& clock,
                           CsvImportKind kind, std::string_view text, bool dryRun);

}  // namespace maintenance

#pragma once
// The search behind the find dialog: every live record of one file, in record-number order,
// listed once when one of its searched fields contains the search text. Plain C++ over the engine.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Engine.h"

namespace widgets {

// Which file is searched: invoices, customers, products or companies.
enum class FindMode { Inv, Cust, Prod, Comp };

// The column captions of a mode's result list.
std::vector<std::string> FindColumns(FindMode mode);

// What a typed text searches for: trimmed, upper-cased and cut to its first 10 characters, in the
// records' Windows-1252. Empty when nothing is left, or when the text holds a character the
// records cannot hold (it can match nothing).
std::string FindSearchText(std::string_view typedUtf8);

struct FindResult {
    // One item per matching record: its column values (UTF-8), in the order of FindColumns.
    std::vector<std::vector<std::string>> items;
    engine::ErrorClass errorClass =
        engine::ErrorClass::None;  // set when an engine error stopped the walk
    int32_t error = 0;
};

// Walks the open block `fb` of the mode's file. `searchText` comes from FindSearchText.
FindResult SearchRecords(engine::Engine& engine, engine::FileBlockHandle fb, FindMode mode,
                         const std::string& searchText);

}  // namespace widgets

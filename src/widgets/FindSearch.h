#pragma once
// The search behind the find dialog: every live record of one file, in record-number order,
// listed once when one of its find columns contains the search text. Plain C++ over the engine;
// the columns of each record type come from records/RecordTypes.h.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Engine.h"
#include "records/RecordTypes.h"

namespace widgets {

// What a typed text searches for: trimmed, upper-cased and cut to its first 10 characters, in the
// records' Windows-1252. Empty when nothing is left, or when the text holds a character the
// records cannot hold (it can match nothing).
std::string FindSearchText(std::string_view typedUtf8);

struct FindResult {
    // One item per matching record: its find column texts (UTF-8), in the order of the captions.
    std::vector<std::vector<std::string>> items;
    engine::ErrorClass errorClass =
        engine::ErrorClass::None;  // set when an engine error stopped the walk
    int32_t error = 0;
};

// Walks the open block `fb`, a file of record type `type`. `searchText` comes from
// FindSearchText; a type without find columns finds nothing.
FindResult SearchRecords(engine::Engine& engine, engine::FileBlockHandle fb,
                         const records::RecordType& type, const std::string& searchText);

}  // namespace widgets

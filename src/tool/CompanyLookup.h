#pragma once
// The company a read-only command works on: the one named, or the last company used.

#include <optional>
#include <string>

#include "engine/Engine.h"
#include "records/CompanyRecord.h"

namespace tool {

// Company `number`, or the one in the last-company file when none is given, read from the company
// file without changing it. Nothing, after saying why on standard error, when it cannot be read.
std::optional<records::CompanyRecord> ReadCompany(engine::Engine& engine,
                                                  std::optional<std::string> number);

}  // namespace tool

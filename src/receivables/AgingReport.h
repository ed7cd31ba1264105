#pragma once
// The aging as it stood on a given day, read without changing anything: each customer's open
// items dated up to that day, aged to it, with the company's totals.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/PromptService.h"
#include "engine/Engine.h"
#include "receivables/Aging.h"

namespace receivables {

struct CustomerAging {
    std::string number;  // Windows-1252, as stored
    std::string name;
    AgingSums sums;
};

struct AgingReport {
    std::vector<CustomerAging> customers;  // in customer number order
    AgingSums totals;
};

// The report for company `companyCode` on `asOf`. Nothing, with the reason shown, when a file
// could not be opened or read to the end.
std::optional<AgingReport> AgingAsOf(engine::Engine& engine, base::PromptService& prompts,
                                     std::string_view companyCode, const AgingLimits& limits,
                                     base::DateOrder shortDateOrder, const base::Date& asOf);

}  // namespace receivables

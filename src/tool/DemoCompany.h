#pragma once
// init --demo: fills a new starter data folder with a sample business a new user can explore, only
// through the operations `post` runs: the company's settings, customers and products, about 300
// invoices over the fourteen months before today, their payments and deposits, and an aging run.
// The same day gives the same files: the choices come from a generator with a fixed seed.

#include <optional>
#include <string>

#include "tool/PostOperations.h"

namespace tool {

struct DemoSummary {
    int customers = 0, products = 0, invoices = 0, payments = 0;
};

// Posts the sample business into the company of `session`, dated back from its clock's today.
// The summary, or why it stopped: the first line refused, with its message.
struct DemoOutcome {
    DemoSummary summary;
    std::optional<std::string> failure;
};
DemoOutcome PostDemoCompany(PostSession& session);

}  // namespace tool

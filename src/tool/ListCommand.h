#pragma once
// The kinds of `kt-invorra-tool list`: each writes one company's list, as its window's list report
// or as CSV, from files opened for reading only.

#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "engine/Engine.h"
#include "records/CompanyRecord.h"

namespace tool {

// What one listing works with.
struct ListRun {
    engine::Engine& engine;
    const records::CompanyRecord& company;
    base::DateTime now;
    bool csv = false;
    bool addresses = false;  // customers: the billing and shipping addresses too
    // customers: a queue list file instead, of every customer, or of those owing in one aging
    // category (1 to 4), or in any category after the one given (1 to 3)
    bool queue = false;
    int aging = 0;
    int over = 0;
};

// The listing's UTF-8 text, or why there is none.
struct ListOutput {
    bool ok = true;
    std::string text;
};

struct ListKind {
    std::string_view name;
    ListOutput (*list)(ListRun& run);
};

const std::vector<ListKind>& ListKinds();

// The kinds of each subsystem.
ListOutput ListCustomers(ListRun& run);
ListOutput ListProducts(ListRun& run);

}  // namespace tool

#pragma once
// Customer A1 of company 1 with a stale balance of 1.00 and open items `daysOld` days before
// 6 December 2026 with the balances given, written into the data folder `dir`.

#include <filesystem>
#include <utility>
#include <vector>

namespace tooltest {

void AddAgingSample(const std::filesystem::path& dir,
                    const std::vector<std::pair<long, const char*>>& items);

}  // namespace tooltest

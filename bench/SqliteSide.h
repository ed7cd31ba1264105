#pragma once
// The same workloads on SQLite: one table per file holding the record bytes and one indexed
// column per key; journal off, no syncing, everything in one transaction (except the postings,
// one transaction each), so that both sides do comparable work.

#include <memory>

#include "BenchSide.h"

namespace bench {

class BenchData;

std::unique_ptr<Side> MakeSqliteSide(
    const BenchData& data);  // file bench.sqlite in the working folder

}  // namespace bench

#pragma once
// The workloads on this engine, through its public operations only, as the program's windows
// would call them.

#include <memory>
#include <string>

#include "BenchSide.h"

namespace bench {

class BenchData;

// Creates its files in the working folder and uses `buffers` page buffers.
std::unique_ptr<Side> MakeEngineSide(const BenchData& data, int buffers);

}  // namespace bench

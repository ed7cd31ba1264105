#pragma once
// The benchmark's figures: one row per workload and side, the comparison table, and its section in
// docs/BENCHMARKS.md.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace bench {

struct Measurement {
    int64_t operations = 0;
    double seconds = 0;
    int64_t count = 0, sum = 0;          // the checksum
    int64_t misses = 0, pageWrites = 0;  // engine sides only
    double PerSecond() const { return seconds > 0 ? operations / seconds : 0; }
};

struct SideResult {
    std::string name;                              // "engine (30 buffers)", "SQLite"
    std::map<std::string, Measurement> workloads;  // by workload id
    int64_t peakKilobytes = 0;
    bool completed = false;
};

struct Report {
    double scale = 1;
    std::string date, machine;
    SideResult engine, engineLarge, sqlite;  // engineLarge: 1,024 buffers (may be absent)

    // Checksums that differ between the sides, one text each; empty when they all agree.
    std::vector<std::string> Mismatches() const;
    std::string Markdown() const;
};

std::string MachineDescription();
std::string TodayUtc();
// Replaces the report's section for its scale in `path` (or appends it), keeping the rest.
bool WriteSection(const std::string& path, const Report& report);

}  // namespace bench

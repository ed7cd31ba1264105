#pragma once
// The benchmark's figures: the rounds of each side, the comparison table of medians and spreads,
// and its section in docs/BENCHMARKS.md.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace bench {

struct Measurement {
    int64_t operations = 0;
    double seconds = 0;                      // processor time, record generation left out
    int64_t count = 0, sum = 0;              // the checksum
    int64_t misses = 0, pageWrites = 0;      // engine side only
    int64_t readCalls = 0, writeCalls = 0;   // system calls (syscr, syscw of /proc/self/io)
    int64_t peakAnonKb = 0, peakFileKb = 0;  // resident memory while the workload ran
    double PerSecond() const { return seconds > 0 ? operations / seconds : 0; }
};

// One run of one side in a child process of its own.
struct SideRun {
    std::map<std::string, Measurement> workloads;  // by workload id
    bool completed = false;
};

struct Report {
    double scale = 1;
    std::string date, machine;
    std::vector<SideRun> engine, sqlite;  // one run per round, run alternately

    // Checksums that differ between runs, one text each; empty when they all agree.
    std::vector<std::string> Mismatches() const;
    std::string Markdown() const;
};

std::string MachineDescription();
std::string TodayUtc();
// Replaces the report's section for its scale in `path` (or appends it), keeping the rest.
bool WriteSection(const std::string& path, const Report& report);

}  // namespace bench

#include "BenchReport.h"

#include <sys/utsname.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>

#include "BenchSide.h"

namespace bench {
namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Rate(double perSecond) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", perSecond);
    return text;
}

std::string Megabytes(int64_t kilobytes) {
    return Fixed(kilobytes / 1024.0, 0) + " MB";
}

std::string ScaleTag(double scale) {
    return "scale=" + Fixed(scale, 2);
}

}  // namespace

std::vector<std::string> Report::Mismatches() const {
    std::vector<std::string> problems;
    if (sqlite.empty()) return problems;
    const SideRun& reference = sqlite.front();
    const auto compare = [&](const SideRun& run, const std::string& name) {
        if (!run.completed) return;
        for (const auto& [id, theirs] : reference.workloads) {
            const auto ours = run.workloads.find(id);
            if (ours == run.workloads.end()) continue;
            if (ours->second.count != theirs.count || ours->second.sum != theirs.sum)
                problems.push_back(
                    id + ": " + name + " counted " + std::to_string(ours->second.count) +
                    " rows (sum " + std::to_string(ours->second.sum) + "), SQLite " +
                    std::to_string(theirs.count) + " (sum " + std::to_string(theirs.sum) + ")");
        }
    };
    for (size_t round = 0; round < engine.size(); ++round)
        compare(engine[round], "engine round " + std::to_string(round + 1));
    for (size_t round = 1; round < sqlite.size(); ++round)
        compare(sqlite[round], "SQLite round " + std::to_string(round + 1));
    return problems;
}

namespace {

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The measurements of one workload over the completed runs of a side.
std::vector<Measurement> Rounds(const std::vector<SideRun>& runs, const std::string& id) {
    std::vector<Measurement> found;
    for (const SideRun& run : runs) {
        if (!run.completed) continue;
        if (const auto it = run.workloads.find(id); it != run.workloads.end())
            found.push_back(it->second);
    }
    return found;
}

template <typename Field>
double MedianOf(const std::vector<Measurement>& rounds, Field field) {
    std::vector<double> values;
    for (const Measurement& m : rounds) values.push_back(field(m));
    return Median(values);
}

double PerOperation(int64_t total, const Measurement& m) {
    return m.operations > 0 ? static_cast<double>(total) / m.operations : 0;
}

}  // namespace

std::string Report::Markdown() const {
    std::ostringstream out;
    out << "Run of " << date << " at " << ScaleTag(scale) << " (1.00 is full size) on " << machine
        << ", shared with other builds. " << engine.size() << " rounds per side, run alternately "
        << "(engine, SQLite, engine, ...), each in a child process of its own. Rates are "
        << "operations per second of processor time with record generation left out; the ratio "
        << "is the median of the rounds' ratios, the spread their lowest and highest. Calls are "
        << "read and write system calls per operation; memory is the highest RssAnon (program "
        << "memory) sampled while the workload ran.\n\n";
    out << "| # | Workload (one operation =) | operations | engine ops/s | SQLite ops/s "
           "| engine ÷ SQLite | spread | goal | met | misses/op | page writes/op "
           "| engine reads/op | engine writes/op | SQLite reads/op | SQLite writes/op "
           "| engine anon MB | SQLite anon MB |\n";
    out << "|---|---|---:|---:|---:|---:|---|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    int64_t engineFileKb = 0, sqliteFileKb = 0;
    for (int i = 0; i < kWorkloadCount; ++i) {
        const Workload& workload = kWorkloads[i];
        const auto ours = Rounds(engine, workload.id);
        const auto theirs = Rounds(sqlite, workload.id);
        if (ours.empty() || theirs.empty()) continue;
        std::vector<double> ratios;
        for (size_t r = 0; r < std::min(ours.size(), theirs.size()); ++r)
            if (theirs[r].PerSecond() > 0)
                ratios.push_back(ours[r].PerSecond() / theirs[r].PerSecond());
        const double ratio = Median(ratios);
        const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
        const auto perOp = [](int64_t Measurement::*field) {
            return [field](const Measurement& m) { return PerOperation(m.*field, m); };
        };
        const auto peak = [](const std::vector<Measurement>& rounds, int64_t Measurement::*field) {
            int64_t most = 0;
            for (const Measurement& m : rounds) most = std::max(most, m.*field);
            return most;
        };
        engineFileKb = std::max(engineFileKb, peak(ours, &Measurement::peakFileKb));
        sqliteFileKb = std::max(sqliteFileKb, peak(theirs, &Measurement::peakFileKb));
        out << "| " << workload.id << " | " << workload.description << " | "
            << ours.front().operations << " | "
            << Rate(MedianOf(ours, [](const Measurement& m) { return m.PerSecond(); })) << " | "
            << Rate(MedianOf(theirs, [](const Measurement& m) { return m.PerSecond(); })) << " | "
            << Fixed(ratio, 2) << " | "
            << (ratios.empty() ? "" : Fixed(*low, 2) + "–" + Fixed(*high, 2)) << " | "
            << Fixed(workload.goal, 1) << " | " << (ratio >= workload.goal ? "yes" : "**no**")
            << " | " << Fixed(MedianOf(ours, perOp(&Measurement::misses)), 2) << " | "
            << Fixed(MedianOf(ours, perOp(&Measurement::pageWrites)), 2) << " | "
            << Fixed(MedianOf(ours, perOp(&Measurement::readCalls)), 2) << " | "
            << Fixed(MedianOf(ours, perOp(&Measurement::writeCalls)), 2) << " | "
            << Fixed(MedianOf(theirs, perOp(&Measurement::readCalls)), 2) << " | "
            << Fixed(MedianOf(theirs, perOp(&Measurement::writeCalls)), 2) << " | "
            << Fixed(peak(ours, &Measurement::peakAnonKb) / 1024.0, 1) << " | "
            << Fixed(peak(theirs, &Measurement::peakAnonKb) / 1024.0, 1) << " |\n";
    }
    out << "\nHighest file-backed resident memory (RssFile: mapped file pages, which are page "
           "cache, and the program's own code): engine "
        << Megabytes(engineFileKb) << ", SQLite " << Megabytes(sqliteFileKb) << ".\n";
    for (const auto* runs : {&engine, &sqlite})
        for (size_t round = 0; round < runs->size(); ++round)
            if (!(*runs)[round].completed)
                out << "\n**" << (runs == &engine ? "engine" : "SQLite") << " round " << round + 1
                    << " did not complete** (it stopped after " << (*runs)[round].workloads.size()
                    << " workloads).\n";
    const auto mismatches = Mismatches();
    if (mismatches.empty())
        out << "Row counts and record-number sums agree on every workload and round.\n";
    for (const std::string& mismatch : mismatches) out << "\n**Checksum mismatch** " << mismatch;
    return out.str();
}

std::string MachineDescription() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line, model = "unknown processor";
    while (std::getline(cpuinfo, line))
        if (line.rfind("model name", 0) == 0) {
            model = line.substr(line.find(':') + 2);
            break;
        }
    std::ifstream meminfo("/proc/meminfo");
    long long memoryKb = 0;
    while (std::getline(meminfo, line))
        if (std::sscanf(line.c_str(), "MemTotal: %lld kB", &memoryKb) == 1) break;
    utsname system{};
    uname(&system);
    return model + ", " + std::to_string(std::thread::hardware_concurrency()) + " cores, " +
           Fixed(memoryKb / 1048576.0, 0) + " GB memory, " + system.sysname + " " + system.release;
}

std::string TodayUtc() {
    const std::time_t now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
    return text;
}

bool WriteSection(const std::string& path, const Report& report) {
    std::string text;
    {
        std::ifstream in(path);
        std::ostringstream all;
        all << in.rdbuf();
        text = all.str();
    }
    const std::string begin = "<!-- results " + ScaleTag(report.scale) + " -->\n";
    const std::string end = "<!-- end of results " + ScaleTag(report.scale) + " -->\n";
    const std::string section = begin + report.Markdown() + end;
    const size_t from = text.find(begin);
    const size_t to = from == std::string::npos ? from : text.find(end, from);
    if (from == std::string::npos || to == std::string::npos)
        text += (text.empty() || text.back() == '\n' ? "\n" : "\n\n") + section;
    else
        text.replace(from, to + end.size() - from, section);
    std::ofstream out(path, std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace bench

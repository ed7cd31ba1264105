#include "BenchReport.h"

#include <sys/utsname.h>

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
    for (const SideResult* side : {&engine, &engineLarge}) {
        if (!side->completed) continue;
        for (const auto& [id, theirs] : sqlite.workloads) {
            const auto ours = side->workloads.find(id);
            if (ours == side->workloads.end()) continue;
            if (ours->second.count != theirs.count || ours->second.sum != theirs.sum)
                problems.push_back(
                    id + ": " + side->name + " counted " + std::to_string(ours->second.count) +
                    " rows (sum " + std::to_string(ours->second.sum) + "), SQLite " +
                    std::to_string(theirs.count) + " (sum " + std::to_string(theirs.sum) + ")");
        }
    }
    return problems;
}

std::string Report::Markdown() const {
    std::ostringstream out;
    out << "Run of " << date << " at " << ScaleTag(scale) << " (1.00 is full size) on " << machine
        << ". Operations per second of processor time.\n\n";
    out << "| # | Workload (one operation =) | operations | engine ops/s | misses/op | writes/op "
           "| SQLite ops/s | engine ÷ SQLite | goal | met |";
    const bool large = engineLarge.completed;
    if (large) out << " engine ops/s, 1,024 buffers | ÷ SQLite |";
    out << "\n|---|---|---:|---:|---:|---:|---:|---:|---:|---|" << (large ? "---:|---:|" : "")
        << "\n";
    for (int i = 0; i < kWorkloadCount; ++i) {
        const Workload& workload = kWorkloads[i];
        const auto ours = engine.workloads.find(workload.id);
        const auto theirs = sqlite.workloads.find(workload.id);
        if (ours == engine.workloads.end() || theirs == sqlite.workloads.end()) continue;
        const Measurement& e = ours->second;
        const Measurement& s = theirs->second;
        const double ratio = s.PerSecond() > 0 ? e.PerSecond() / s.PerSecond() : 0;
        const double ops = e.operations > 0 ? static_cast<double>(e.operations) : 1;
        out << "| " << workload.id << " | " << workload.description << " | " << e.operations
            << " | " << Rate(e.PerSecond()) << " | " << Fixed(e.misses / ops, 2) << " | "
            << Fixed(e.pageWrites / ops, 2) << " | " << Rate(s.PerSecond()) << " | "
            << Fixed(ratio, 2) << " | " << Fixed(workload.goal, 1) << " | "
            << (ratio >= workload.goal ? "yes" : "**no**") << " |";
        if (large) {
            const auto big = engineLarge.workloads.find(workload.id);
            const double bigRate = big == engineLarge.workloads.end() ? 0 : big->second.PerSecond();
            out << " " << Rate(bigRate) << " | "
                << Fixed(s.PerSecond() > 0 ? bigRate / s.PerSecond() : 0, 2) << " |";
        }
        out << "\n";
    }
    out << "\nPeak memory (resident): " << engine.name << " " << Megabytes(engine.peakKilobytes);
    if (large) out << ", " << engineLarge.name << " " << Megabytes(engineLarge.peakKilobytes);
    out << ", " << sqlite.name << " " << Megabytes(sqlite.peakKilobytes) << ".\n";
    for (const SideResult* side : {&engine, &engineLarge, &sqlite})
        if (!side->name.empty() && !side->completed)
            out << "\n**" << side->name << " did not complete** (it stopped after "
                << side->workloads.size() << " workloads).\n";
    const auto mismatches = Mismatches();
    if (mismatches.empty()) out << "Row counts and record-number sums agree on every workload.\n";
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

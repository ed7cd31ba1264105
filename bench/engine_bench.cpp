// engine_bench: the storage engine against SQLite on the program's workloads (customers,
// invoices, invoice lines). The sides run alternately, each run in a child process of its own, so
// that a neighbour's burst on the shared machine falls on both sides alike; the report gives the
// median of the rounds and their spread. The parent samples each child's resident memory while
// it works, so the figures are the child's own.
//
//   engine_bench [--scale S] [--rounds N] [--dir DIR] [--write FILE]
//     --scale S    fraction of the full sizes (default 0.1; 1 is 200k customers, 1M invoices, ...)
//     --rounds N   runs of each side (default 3)
//     --dir DIR    folder for the files (default: a fresh folder under /tmp)
//     --write FILE put the table into FILE (docs/BENCHMARKS.md), replacing the run of that scale

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "BenchData.h"
#include "BenchReport.h"
#include "BenchSide.h"
#include "EngineSide.h"
#include "SqliteSide.h"

namespace {

using namespace bench;

constexpr int kProgramBuffers = 30;

enum class Kind { Engine, Sqlite };

// The value of a "Name: number" line of a /proc file, or 0.
int64_t ProcField(const std::string& path, const std::string& name) {
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(name + ":", 0) == 0) return std::atoll(line.c_str() + name.size() + 1);
    return 0;
}

// Runs every workload on one side and writes one line per workload to `out`.
void RunSide(Kind kind, const Sizes& sizes, FILE* out) {
    const BenchData data(sizes);
    std::unique_ptr<Side> side =
        kind == Kind::Sqlite ? MakeSqliteSide(data) : MakeEngineSide(data, kProgramBuffers);
    for (int i = 0; i < kWorkloadCount; ++i) {
        const Workload& workload = kWorkloads[i];
        const PoolCounters before = side->Counters();
        const int64_t readsBefore = ProcField("/proc/self/io", "syscr");
        const int64_t writesBefore = ProcField("/proc/self/io", "syscw");
        const double untimedBefore = side->untimedSeconds();
        const double start = CpuSeconds();
        const Outcome outcome = (side.get()->*workload.run)();
        const double seconds = CpuSeconds() - start - (side->untimedSeconds() - untimedBefore);
        const int64_t reads = ProcField("/proc/self/io", "syscr") - readsBefore;
        const int64_t writes = ProcField("/proc/self/io", "syscw") - writesBefore;
        const PoolCounters after = side->Counters();
        std::fprintf(out, "%s %lld %.6f %lld %lld %lld %lld %lld %lld\n", workload.id,
                     static_cast<long long>(outcome.operations), seconds,
                     static_cast<long long>(outcome.count), static_cast<long long>(outcome.sum),
                     static_cast<long long>(after.misses - before.misses),
                     static_cast<long long>(after.pageWrites - before.pageWrites),
                     static_cast<long long>(reads), static_cast<long long>(writes));
        std::fflush(out);
        std::fprintf(stderr, "  %-4s %10lld ops %9.2f s\n", workload.id,
                     static_cast<long long>(outcome.operations), seconds);
    }
}

struct Memory {
    int64_t anonKb = 0, fileKb = 0;
};

void SamplePeak(pid_t pid, Memory& peak) {
    const std::string status = "/proc/" + std::to_string(pid) + "/status";
    peak.anonKb = std::max(peak.anonKb, ProcField(status, "RssAnon"));
    peak.fileKb = std::max(peak.fileKb, ProcField(status, "RssFile"));
}

// Reads the child's workload lines while sampling its memory every few milliseconds; the peak
// seen since the previous line belongs to the workload of the next one.
void Collect(pid_t pid, int channel, SideRun& run) {
    std::string pending;
    Memory peak;
    for (;;) {
        pollfd ready{channel, POLLIN, 0};
        const int events = poll(&ready, 1, 5);
        SamplePeak(pid, peak);
        if (events <= 0) continue;
        char chunk[4096];
        const ssize_t got = read(channel, chunk, sizeof chunk);
        if (got <= 0) break;
        pending.append(chunk, static_cast<size_t>(got));
        for (size_t end; (end = pending.find('\n')) != std::string::npos;
             pending.erase(0, end + 1)) {
            std::istringstream line(pending.substr(0, end));
            std::string id;
            Measurement m;
            line >> id >> m.operations >> m.seconds >> m.count >> m.sum >> m.misses >>
                m.pageWrites >> m.readCalls >> m.writeCalls;
            if (!line) continue;
            m.peakAnonKb = peak.anonKb;
            m.peakFileKb = peak.fileKb;
            run.workloads[id] = m;
            peak = Memory{};
        }
    }
}

SideRun Spawn(const std::string& name, Kind kind, const Sizes& sizes,
              const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::fprintf(stderr, "%s\n", name.c_str());
    int channel[2];
    if (pipe(channel) != 0) std::exit(2);
    const pid_t pid = fork();
    if (pid == 0) {
        close(channel[0]);
        std::filesystem::current_path(folder);
        FILE* out = fdopen(channel[1], "w");
        RunSide(kind, sizes, out);
        std::fclose(out);
        std::_Exit(0);
    }
    close(channel[1]);
    SideRun run;
    Collect(pid, channel[0], run);
    close(channel[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.completed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!run.completed) std::fprintf(stderr, "%s did not complete\n", name.c_str());
    std::filesystem::remove_all(folder);
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    double scale = 0.1;
    int rounds = 3;
    std::string writeTo, dir;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--scale" && i + 1 < argc)
            scale = std::atof(argv[++i]);
        else if (arg == "--rounds" && i + 1 < argc)
            rounds = std::atoi(argv[++i]);
        else if (arg == "--dir" && i + 1 < argc)
            dir = argv[++i];
        else if (arg == "--write" && i + 1 < argc)
            writeTo = argv[++i];
        else {
            std::fputs("usage: engine_bench [--scale S] [--rounds N] [--dir DIR] [--write FILE]\n",
                       stderr);
            return 2;
        }
    }
    if (scale <= 0 || scale > 1 || rounds < 1) {
        std::fputs("engine_bench: the scale lies in (0, 1] and at least one round runs\n", stderr);
        return 2;
    }
    if (dir.empty()) {
        char pattern[] = "/tmp/kt-bench-XXXXXX";
        if (!mkdtemp(pattern)) return 2;
        dir = pattern;
    }
    if (!writeTo.empty()) writeTo = std::filesystem::absolute(writeTo).string();
    const Sizes sizes = Sizes::Scaled(scale);
    const std::filesystem::path root(dir);

    Report report;
    report.scale = scale;
    report.date = TodayUtc();
    report.machine = MachineDescription();
    for (int round = 1; round <= rounds; ++round) {
        const std::string of = " round " + std::to_string(round) + " of " + std::to_string(rounds);
        report.engine.push_back(Spawn("engine" + of, Kind::Engine, sizes, root / "engine"));
        report.sqlite.push_back(Spawn("SQLite" + of, Kind::Sqlite, sizes, root / "sqlite"));
    }
    std::filesystem::remove(root);

    std::fputs(report.Markdown().c_str(), stdout);
    if (!writeTo.empty() && !WriteSection(writeTo, report)) {
        std::fprintf(stderr, "cannot write %s\n", writeTo.c_str());
        return 2;
    }
    bool complete = true;
    for (const auto* runs : {&report.engine, &report.sqlite})
        for (const SideRun& run : *runs) complete = complete && run.completed;
    return complete && report.Mismatches().empty() ? 0 : 1;
}

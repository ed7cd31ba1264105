// engine_bench: the storage engine against SQLite on the program's workloads (customers,
// invoices, invoice lines). Each side runs in its own child process, so that its peak memory and
// processor time are its own; the figures are compared, checked against each other and printed
// as a table.
//
//   engine_bench [--scale S] [--dir DIR] [--write FILE] [--no-large]
//     --scale S    fraction of the full sizes (default 0.1; 1 is 200k customers, 1M invoices, ...)
//     --dir DIR    folder for the files (default: a fresh folder under /tmp)
//     --write FILE put the table into FILE (docs/BENCHMARKS.md), replacing the run of that scale
//     --no-large   skip the second engine run with 1,024 page buffers

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchData.h"
#include "BenchReport.h"
#include "BenchSide.h"
#include "EngineSide.h"
#include "SqliteSide.h"

namespace {

using namespace bench;

constexpr int kProgramBuffers = 30;
constexpr int kLargeBuffers = 1024;

enum class Kind { Engine, EngineLarge, Sqlite };

// The process's processor time, user and system. The machine is shared with builds and tests, so
// wall-clock time would measure the neighbours too; the files stay in the page cache, so the
// processor time is what an operation costs.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs every workload on one side and writes one line per workload to `out`.
void RunSide(Kind kind, const Sizes& sizes, FILE* out) {
    const BenchData data(sizes);
    std::unique_ptr<Side> side = kind == Kind::Sqlite   ? MakeSqliteSide(data)
                                 : kind == Kind::Engine ? MakeEngineSide(data, kProgramBuffers)
                                                        : MakeEngineSide(data, kLargeBuffers);
    for (int i = 0; i < kWorkloadCount; ++i) {
        const Workload& workload = kWorkloads[i];
        const PoolCounters before = side->Counters();
        const double start = CpuSeconds();
        const Outcome outcome = (side.get()->*workload.run)();
        const double seconds = CpuSeconds() - start;
        const PoolCounters after = side->Counters();
        std::fprintf(out, "%s %lld %.6f %lld %lld %lld %lld\n", workload.id,
                     static_cast<long long>(outcome.operations), seconds,
                     static_cast<long long>(outcome.count), static_cast<long long>(outcome.sum),
                     static_cast<long long>(after.misses - before.misses),
                     static_cast<long long>(after.pageWrites - before.pageWrites));
        std::fflush(out);
        std::fprintf(stderr, "  %-4s %10lld ops %9.2f s\n", workload.id,
                     static_cast<long long>(outcome.operations), seconds);
    }
}

SideResult Spawn(const std::string& name, Kind kind, const Sizes& sizes,
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
    SideResult result;
    result.name = name;
    FILE* in = fdopen(channel[0], "r");
    char id[16];
    long long operations, count, sum, misses, writes;
    double seconds;
    while (std::fscanf(in, "%15s %lld %lf %lld %lld %lld %lld", id, &operations, &seconds, &count,
                       &sum, &misses, &writes) == 7)
        result.workloads[id] = {operations, seconds, count, sum, misses, writes};
    std::fclose(in);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.peakKilobytes = usage.ru_maxrss;
    result.completed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!result.completed) std::fprintf(stderr, "%s did not complete\n", name.c_str());
    std::filesystem::remove_all(folder);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    double scale = 0.1;
    std::string writeTo, dir;
    bool large = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--scale" && i + 1 < argc)
            scale = std::atof(argv[++i]);
        else if (arg == "--dir" && i + 1 < argc)
            dir = argv[++i];
        else if (arg == "--write" && i + 1 < argc)
            writeTo = argv[++i];
        else if (arg == "--no-large")
            large = false;
        else {
            std::fputs("usage: engine_bench [--scale S] [--dir DIR] [--write FILE] [--no-large]\n",
                       stderr);
            return 2;
        }
    }
    if (scale <= 0 || scale > 1) {
        std::fputs("engine_bench: the scale lies in (0, 1]\n", stderr);
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
    report.engine = Spawn("engine (30 buffers)", Kind::Engine, sizes, root / "engine");
    if (large)
        report.engineLarge =
            Spawn("engine (1,024 buffers)", Kind::EngineLarge, sizes, root / "engine-large");
    report.sqlite = Spawn("SQLite", Kind::Sqlite, sizes, root / "sqlite");
    std::filesystem::remove(root);

    std::fputs(report.Markdown().c_str(), stdout);
    if (!writeTo.empty() && !WriteSection(writeTo, report)) {
        std::fprintf(stderr, "cannot write %s\n", writeTo.c_str());
        return 2;
    }
    const bool complete = report.engine.completed && report.sqlite.completed &&
                          (!large || report.engineLarge.completed);
    return complete && report.Mismatches().empty() ? 0 : 1;
}

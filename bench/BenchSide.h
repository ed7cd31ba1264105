#pragma once
// One side of the benchmark (this engine, or SQLite): the workloads in the order they run. Each
// returns how many operations it did and a checksum (a row count and a sum of record numbers) that
// must agree between the sides, so that a side that is fast because it is wrong fails.

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace bench {

struct Outcome {
    int64_t operations = 0;
    int64_t count = 0;
    int64_t sum = 0;
};

// The process's processor time, user and system. The machine is shared with builds and tests, so
// wall-clock time would measure the neighbours too; the files stay in the page cache, so the
// processor time is what an operation costs.
inline double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct PoolCounters {
    int64_t misses = 0;
    int64_t pageWrites = 0;
};

class Side {
public:
    virtual ~Side() = default;
    virtual Outcome AddCustomers() = 0;         // W1
    virtual Outcome AddInvoices() = 0;          // W2
    virtual Outcome AddLines() = 0;             // W3
    virtual Outcome FindCustomers() = 0;        // W4a
    virtual Outcome FindInvoices() = 0;         // W4b
    virtual Outcome WalkInvoicesByDate() = 0;   // W5a
    virtual Outcome WalkCustomersByName() = 0;  // W5b
    virtual Outcome ReadInvoiceLines() = 0;     // W5c
    virtual Outcome ScanInvoices() = 0;         // W6
    virtual Outcome AgeCustomers() = 0;         // W7
    virtual Outcome RebuildInvoices() = 0;      // W8, invoice file
    virtual Outcome RebuildLines() = 0;         // W8, line file
    virtual Outcome PostInvoices() = 0;         // W9
    virtual Outcome DeleteInvoices() = 0;       // W10
    virtual Outcome CompactInvoices() = 0;      // W8c, invoice file, compact indexes
    virtual Outcome CompactLines() = 0;         // W8d, line file, compact indexes
    virtual PoolCounters Counters() const { return {}; }

    // Processor time spent making records, to be left out of the workloads' figures.
    double untimedSeconds() const { return untimed_; }

protected:
    // Calls use(i, make(i)) for i = 1..count. The records are made a batch at a time beforehand,
    // and the time that takes is counted apart, so that only storing them is measured.
    template <typename Make, typename Use>
    void Generated(int64_t count, Make make, Use use) {
        constexpr int64_t kBatch = 1024;
        std::vector<decltype(make(int64_t{1}))> batch;
        for (int64_t first = 1; first <= count; first += kBatch) {
            const int64_t last = std::min(count, first + kBatch - 1);
            const double start = CpuSeconds();
            batch.clear();
            for (int64_t i = first; i <= last; ++i) batch.push_back(make(i));
            untimed_ += CpuSeconds() - start;
            for (int64_t i = first; i <= last; ++i) use(i, batch[static_cast<size_t>(i - first)]);
        }
    }

private:
    double untimed_ = 0;
};

struct Workload {
    const char* id;
    const char* description;
    double goal;  // engine ÷ SQLite
    Outcome (Side::*run)();
};

extern const Workload kWorkloads[];
extern const int kWorkloadCount;

// Operation sequences both sides draw from.
int64_t RandomCustomer(int64_t i, int64_t customers);  // customer number of look-up i
int64_t RandomInvoice(int64_t i, int64_t invoices);    // invoice number of look-up i
// The i-th invoice to delete: distinct for i below `invoices`.
int64_t InvoiceToDelete(int64_t i, int64_t invoices);
// Position weight that makes a checksum depend on the order of a walk.
inline int64_t Weighted(int64_t position, int64_t recordNumber) {
    return recordNumber * (position % 7 + 1);
}

}  // namespace bench

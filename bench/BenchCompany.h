#pragma once
// The benchmark company the receivables, report, statement and billing benchmarks share: 100,000
// customers and 1,000,000 invoice-file records (one detail line each) on a fixed today, built once
// into a folder and reused while its sizes match; and the timing helpers their tables are made of.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Dates.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "records/InvoiceRecord.h"

namespace bench {

inline constexpr base::Date kToday{2026, 12, 6};
inline const base::DateTime kNow{kToday, 10, 0, 0};

struct CompanyShape {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "kt-receivables-bench";
    int32_t customers = 100000;
    int32_t invoices = 1000000;
};

// Counts the messages; any other than those a timed step expects makes the run void.
class CountingPrompts : public base::UnattendedPromptService {
public:
    base::PromptAnswer Message(std::string_view caption, std::string_view text, base::PromptIcon,
                               base::PromptButtons) override;
    std::string expected;
    int shown = 0;
};

// Ends the run with `what` when `condition` is false.
void Expect(bool condition, const char* what);

// "C0000042", and the customer's generated name.
std::string CustomerNumber(int32_t n);
std::string CustomerName(int32_t n);
// The customer of invoice k: ten each when the company has ten times as many invoices.
int32_t CustomerOf(int64_t k, int32_t customers);
records::InvoiceRecord Invoice(int64_t k, const CompanyShape& shape);

// Builds the company into shape.dir unless a company of these sizes is there already; the
// current folder is shape.dir afterwards.
void EnsureCompany(const CompanyShape& shape);

// Company 1 as the program holds it after opening, dated by `clock`.
company::ProgramState CompanyState(engine::Engine& engine, base::PromptService& prompts,
                                   const base::Clock& clock);

struct Figures {
    double median = 0, max = 0;
    int runs = 0;
};

double SecondsOf(const std::function<void()>& action);
Figures FiguresOf(std::vector<double> seconds);
Figures Time(int runs, const std::function<void()>& action);

// The table's heading and one row: a goal of 0 means none, a floor of 0 no ratio.
void PrintHeading();
void PrintRow(const char* what, const Figures& f, double goal, double floor);

// "load average: 1.20, 2.31, 3.02" from /proc/loadavg, for the run's heading.
std::string LoadAverage();

}  // namespace bench

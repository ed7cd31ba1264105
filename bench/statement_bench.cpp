// statement_bench: customer statements. Side by side in one run: the statement of one customer
// with 1,000 invoice-file records, built as the statement window builds it (invoice file opened,
// key 2 walked, rows sorted), on a company of 100 customers with 1,000 records each made by the
// benchmark company's builder; and a batch of 1,000 statements printed to PDF files, one file
// each as `post batch-statements` writes them, on the benchmark company (100,000 customers,
// 1,000,000 invoice-file records). The figures go into the "Statements" section of
// docs/BENCHMARKS.md.
//
//   statement_bench [--dir DIR] [--rounds R]

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchCompany.h"
#include "records/RecordTypes.h"
#include "statements/StatementBatch.h"
#include "statements/StatementFiles.h"
#include "widgets/PdfFile.h"

namespace {

using namespace bench;
namespace fs = std::filesystem;

constexpr int kBatch = 1000;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    CompanyShape shape;
    int rounds = 20;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string word = argv[i];
        if (word == "--dir") shape.dir = argv[i + 1];
        if (word == "--rounds") rounds = std::atoi(argv[i + 1]);
    }
    shape.dir = fs::absolute(shape.dir);
    const std::string loadBefore = LoadAverage();
    base::FixedClock clock(kNow);
    CountingPrompts quiet;

    // One customer with 1,000 records.
    CompanyShape thousandEach;
    thousandEach.dir = shape.dir.parent_path() / "kt-statement-bench";
    thousandEach.customers = 100;
    thousandEach.invoices = 100000;
    EnsureCompany(thousandEach);
    engine::Engine engine;
    engine.InitEngine(0, 30);
    size_t rows = 0;
    Figures one;
    {
        receivables::CustomerFile customers(
            engine, records::RecordTypeOf(records::RecordKind::Customer).Describe("1"), quiet);
        Expect(customers.Open(), "the customer file opens");
        one = Time(rounds, [&] {
            statements::StatementFiles files(engine, quiet, customers, "1");
            Expect(files.Open(), "the invoice file opens");
            std::string failure;
            const auto statement = files.Load(CustomerNumber(1), false, failure);
            Expect(statement.has_value(), "the statement is built");
            rows = statement->rows.size();
        });
        Expect(customers.Close(), "the customer file closes");
    }
    engine.ExitEngine();
    Expect(rows == 1000, "the customer has 1,000 records");

    // 1,000 statements of the benchmark company's first customers, ten records each, to PDF.
    EnsureCompany(shape);
    engine.InitEngine(0, 30);
    company::ProgramState state = CompanyState(engine, quiet, clock);
    const fs::path folder = shape.dir / "statements";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::vector<std::string> numbers;
    for (int n = 1; n <= kBatch; ++n) numbers.push_back(CustomerNumber(n));
    statements::StatementTally tally;
    double cpu = 0;
    double seconds = 0;
    {
        const widgets::PdfWriterSession pdfSession;
        receivables::CustomerFile customers(
            engine, records::RecordTypeOf(records::RecordKind::Customer).Describe("1"), quiet);
        Expect(customers.Open(), "the customer file opens");
        statements::OutputContext output{
            state.currentCompany, company::PrintedOutput::PrinterOrFax,
            [&](const statements::Statement& statement, const auto& draw) {
                return widgets::WritePdf(
                    (folder / (statement.customer.number + "-statement.pdf")).string(), draw);
            },
            nullptr, state.todayText};
        const double cpuBefore = CpuSeconds();
        seconds = SecondsOf([&] {
            statements::StatementFiles files(engine, quiet, customers, "1");
            Expect(files.Open(), "the invoice file opens");
            tally = statements::RunStatements(files, output, numbers, false, kBatch, nullptr, {});
        });
        cpu = CpuSeconds() - cpuBefore;
        Expect(customers.Close(), "the customer file closes");
    }
    engine.ExitEngine();
    Expect(tally.sent == kBatch && tally.Completed(), "every statement is printed");
    uintmax_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(folder)) bytes += entry.file_size();

    std::printf("%d rounds; %s before, %s after; times in seconds\n\n", rounds, loadBefore.c_str(),
                LoadAverage().c_str());
    PrintHeading();
    PrintRow("one statement of 1,000 records, built", one, 0.05, 0);
    PrintRow("batch of 1,000 statements to PDF files", {seconds, seconds, 1}, 60, 0);
    std::printf("\nbatch: %d statements, %.1f MB of PDF, %.1f s of processor time (%.1f ms each)\n",
                tally.sent, static_cast<double>(bytes) / 1e6, cpu, cpu * 1000 / kBatch);
    return 0;
}

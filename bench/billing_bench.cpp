// billing_bench: repeat billing and interest on a copy of the benchmark company (100,000
// customers, 1,000,000 invoice-file records). Side by side in one run: 10,000 invoices made
// repeat masters due today (each a posting), the wizard's search for the due masters, Create of
// one invoice from each, the interest scan over every customer and Generate for 10,000 of them;
// and as the yardstick the add posting of the same number of one-line invoices, as the Invoice
// Manager posts them. The figures go into the "Repeat billing and interest" section of
// docs/BENCHMARKS.md.
//
//   billing_bench [--dir DIR] [--count N] [--rounds R]
//
// The company is copied to a folder beside DIR first, so the run never changes the benchmark
// company itself.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "BenchCompany.h"
#include "invoicing/InterestCharges.h"
#include "invoicing/InvoiceFiles.h"
#include "invoicing/InvoicePostings.h"
#include "invoicing/RepeatBilling.h"
#include "receivables/Ledger.h"

namespace {

using namespace bench;
namespace fs = std::filesystem;

// Answers every message OK and keeps the texts: the runs end with summaries whose words depend on
// the counts.
class KeptPrompts : public base::UnattendedPromptService {
public:
    base::PromptAnswer Message(std::string_view, std::string_view text, base::PromptIcon,
                               base::PromptButtons) override {
        shown.emplace_back(text);
        return base::PromptAnswer::Ok;
    }
    std::vector<std::string> shown;
};

void CopyCompany(const fs::path& from, const fs::path& to) {
    fs::remove_all(to);
    fs::copy(from, to, fs::copy_options::recursive);
    fs::current_path(to);
}

// The first `count` invoices a master may be made from: open (no payment on them) and numbered
// with at most five characters.
std::vector<std::string> MasterCandidates(const CompanyShape& shape, int count) {
    std::vector<std::string> numbers;
    for (int64_t k = 1; k < 100000 && static_cast<int>(numbers.size()) < count; ++k)
        if (Invoice(k, shape).paidAmount().IsZero()) numbers.push_back(std::to_string(k));
    Expect(static_cast<int>(numbers.size()) == count, "enough invoices can become masters");
    return numbers;
}

invoicing::InvoiceDraft OneLineInvoice(int n, const CompanyShape& shape,
                                       const company::ProgramState& state) {
    invoicing::InvoiceDraft draft;
    draft.customer = CustomerNumber(1 + (n * 7919) % shape.customers);
    draft.number = std::to_string(3000000 + n);
    draft.date = state.todayText;
    draft.terms = "Net 30 Days";
    draft.lines.push_back({"SVC", "1", "Service", "12.50", "Y"});
    return draft;
}

void CheckLedger(engine::Engine& engine, const company::ProgramState& state, const char* when) {
    CountingPrompts prompts;
    const auto differences = receivables::CheckLedger(engine, prompts, state.currentCompany);
    Expect(differences && differences->empty(), when);
}

}  // namespace

int main(int argc, char** argv) {
    CompanyShape shape;
    int count = 10000;
    int rounds = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string word = argv[i];
        if (word == "--dir") shape.dir = argv[i + 1];
        if (word == "--count") count = std::atoi(argv[i + 1]);
        if (word == "--rounds") rounds = std::atoi(argv[i + 1]);
    }
    shape.dir = fs::absolute(shape.dir);
    EnsureCompany(shape);
    const std::vector<std::string> candidates = MasterCandidates(shape, count);
    const double copySeconds =
        SecondsOf([&] { CopyCompany(shape.dir, shape.dir.parent_path() / "kt-billing-bench"); });
    const std::string loadBefore = LoadAverage();

    engine::Engine engine;
    engine.InitEngine(0, 30);
    base::FixedClock clock(kNow);
    KeptPrompts prompts;
    company::ProgramState state = CompanyState(engine, prompts, clock);
    invoicing::InvoiceFiles files(engine, prompts, "1");
    Expect(files.Open(), "the invoice files open");

    // The masters, each made by the setup posting of the Repeat Invoice Setup dialog.
    invoicing::RepeatBilling billing(files, state, clock);
    const double setupSeconds = SecondsOf([&] {
        for (const std::string& number : candidates) {
            const auto stored = files.FindInvoice(number);
            Expect(stored.has_value(), "the invoice is found");
            Expect(billing.Setup(*stored, {1, invoicing::RepeatUnit::Months, kToday}).has_value(),
                   "the invoice becomes a master");
        }
    });

    std::optional<invoicing::RepeatSearch> search;
    const Figures searchTime = Time(rounds, [&] { search = billing.Search(kToday); });
    Expect(search && static_cast<int>(search->masters.size()) == count, "every master is due");

    invoicing::RepeatRunOptions runOptions;
    runOptions.invoiceDate = kToday;
    runOptions.comments = "Monthly service";
    runOptions.again = true;
    invoicing::RepeatRunResult created;
    const double createSeconds =
        SecondsOf([&] { created = billing.Generate(search->masters, runOptions); });
    Expect(static_cast<int>(created.generated.size()) == count && created.failed == 0,
           "every master made its invoice");

    // The yardstick: the same number of one-line invoices through the add posting.
    invoicing::InvoicePostings postings(files, state, clock);
    const double addSeconds = SecondsOf([&] {
        for (int n = 0; n < count; ++n)
            Expect(postings.Add(OneLineInvoice(n, shape, state)).has_value(),
                   "the invoice is added");
    });
    Expect(files.Close(), "the invoice files close");

    // Interest: the scan reads the customer file while the invoice files are closed. The first
    // scan runs the aging first when the company was last aged before today.
    invoicing::InterestCharges interest(engine, prompts, state, clock);
    invoicing::InterestSettings settings =
        invoicing::StoredInterestSettings(state.currentCompany, state.todayText);
    const auto rates = std::get<invoicing::InterestRates>(invoicing::ReadInterestRates(settings));
    const bool agedFirst = state.AgingDue();
    std::optional<invoicing::InterestScan> scan;
    const double firstScan = SecondsOf([&] { scan = interest.Scan(rates, 1); });
    const Figures scanTime = Time(rounds, [&] { scan = interest.Scan(rates, 1); });
    Expect(scan && static_cast<int>(scan->rows.size()) >= count, "enough customers are charged");
    const size_t charged = scan->rows.size();
    scan->rows.resize(static_cast<size_t>(count));
    Expect(files.Open(), "the invoice files open");
    invoicing::InterestRun run;
    const double interestSeconds =
        SecondsOf([&] { run = interest.Generate(files, *scan, settings, true); });
    Expect(files.Close(), "the invoice files close");
    Expect(!run.refused && run.created == count, "every customer got an interest invoice");
    CheckLedger(engine, state, "the ledger agrees after the runs");
    engine.ExitEngine();

    const auto perInvoice = [&](double seconds) { return seconds * 1000 / count; };
    std::printf(
        "%d customers, %d invoice-file records (copied in %.1f s), %d invoices per run; "
        "%s before, %s after; times in seconds\n\n",
        shape.customers, shape.invoices, copySeconds, count, loadBefore.c_str(),
        LoadAverage().c_str());
    PrintHeading();
    PrintRow("repeat setup of the masters (one posting each)", {setupSeconds, setupSeconds, 1}, 0,
             0);
    PrintRow("repeat search, masters due today", searchTime, 0.5, 0);
    PrintRow("repeat Create, one invoice per master", {createSeconds, createSeconds, 1}, 10, 0);
    PrintRow(agedFirst ? "interest scan, first (aging run first)" : "interest scan, first",
             {firstScan, firstScan, 1}, 1, 0);
    PrintRow("interest scan, aging already today's", scanTime, 1, 0);
    PrintRow("interest Generate", {interestSeconds, interestSeconds, 1}, 10, 0);
    PrintRow("add posting of as many one-line invoices", {addSeconds, addSeconds, 1}, 0, 0);
    std::printf(
        "\nper invoice: setup %.2f ms, Create %.2f ms, interest %.2f ms, add %.2f ms; "
        "%zu customers charged by the scan\n",
        perInvoice(setupSeconds), perInvoice(createSeconds), perInvoice(interestSeconds),
        perInvoice(addSeconds), charged);
    return 0;
}

// receivables_bench: the receivables and the Customer Manager on a company of 100,000 customers
// and 1,000,000 invoice-file records, half of them open. It times, side by side in one run, the
// company-wide aging run and the ledger check against a plain sequential read of the two data
// files, their peak memory (each in a process of its own), and what a user of the Customer
// Manager waits for: the browser's first page, a delete's "invoices on file" check, the find
// dialog's search, and `list customers --csv`; and of the Invoice Manager the first page in each
// display order and filtered to one customer, the add, edit and delete postings of a 5-line
// invoice, and the undo at the next open of an add posting killed before its end. The figures go
// into the "Receivables and Customer Manager" and "Invoice Manager"
// sections of docs/BENCHMARKS.md.
//
//   receivables_bench [--dir DIR] [--customers N] [--invoices M] [--rounds R]
//
// The company is built once into DIR (default: the system's temporary folder) and reused while
// its sizes match; files are kept in the operating system's cache between rounds, as on a
// machine that has been working with them.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "BenchCompany.h"
#include "base/Dates.h"
#include "base/Windows1252.h"
#include "company/CompanyFile.h"
#include "company/PostingRecovery.h"
#include "company/ProgramState.h"
#include "customers/CustomerManagerFlow.h"
#include "engine/Engine.h"
#include "invoicing/InvoiceList.h"
#include "invoicing/InvoiceManagerFlow.h"
#include "invoicing/InvoicePostings.h"
#include "receivables/Aging.h"
#include "receivables/AgingRun.h"
#include "receivables/Ledger.h"
#include "receivables/Posting.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"
#include "tool/ListCommand.h"
#include "widgets/DataBrowser.h"
#include "widgets/FindSearch.h"

namespace {

namespace fs = std::filesystem;

constexpr char kInvoicesOnFile[] =
    "This customer has invoices on file and may not be deleted. You can mark this customer as "
    "inactive, otherwise, wait until you remove their paid invoices, then delete.";

using namespace bench;

struct Options : CompanyShape {
    int rounds = 5;
    std::string memoryOf;  // "aging" or "ledger": the child that measures one operation's memory
};

// The floor: both data files read front to back with large reads.
void ReadDataFiles() {
    std::vector<char> buffer(1 << 20);
    uint64_t sum = 0;
    for (const char* name : {"1C.DAT", "1I.DAT"}) {
        const int fd = ::open(name, O_RDONLY);
        Expect(fd >= 0, "the data files open");
        for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;)
            for (ssize_t i = 0; i < n; i += 4096) sum += static_cast<unsigned char>(buffer[i]);
        ::close(fd);
    }
    Expect(sum != 1, "the files were read");
}

void RunAging(engine::Engine& engine, company::ProgramState& state, const base::Clock& clock) {
    CountingPrompts prompts;
    const receivables::AgingRunResult result =
        receivables::CalculateAging(engine, prompts, state, clock, false);
    Expect(result.completed, "the aging run completes");
}

void RunLedger(engine::Engine& engine, const company::ProgramState& state) {
    CountingPrompts prompts;
    const auto differences = receivables::CheckLedger(engine, prompts, state.currentCompany);
    Expect(differences && differences->empty(), "the ledger agrees");
}

// The peak of anonymous memory (the program's own, without the mapped files) while `action`
// runs, sampled every 2 ms, and the process's maxrss (which counts mapped file pages too), in MB.
void MeasureMemory(const Options& options) {
    fs::current_path(options.dir);
    engine::Engine engine;
    engine.InitEngine(0, 30);
    base::FixedClock clock(kNow);
    CountingPrompts prompts;
    company::ProgramState state = CompanyState(engine, prompts, clock);
    std::atomic<bool> done = false;
    long peakAnonKb = 0;
    std::thread sampler([&] {
        while (!done) {
            std::ifstream status("/proc/self/status");
            for (std::string line; std::getline(status, line);)
                if (line.starts_with("RssAnon:"))
                    peakAnonKb = std::max(peakAnonKb, std::atol(line.c_str() + 8));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    if (options.memoryOf == "aging")
        RunAging(engine, state, clock);
    else
        RunLedger(engine, state);
    done = true;
    sampler.join();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.1f %.1f\n", static_cast<double>(peakAnonKb) / 1024,
                static_cast<double>(usage.ru_maxrss) / 1024);
}

std::string MemoryOf(const std::string& self, const Options& options, const char* operation) {
    const std::string command = self + " --dir '" + options.dir.string() + "' --customers " +
                                std::to_string(options.customers) + " --invoices " +
                                std::to_string(options.invoices) + " --memory " + operation;
    FILE* child = popen(command.c_str(), "r");
    Expect(child != nullptr, "the memory child starts");
    char line[128] = {};
    const bool read = std::fgets(line, sizeof line, child) != nullptr;
    Expect(pclose(child) == 0 && read, "the memory child succeeds");
    double anon = 0, maxrss = 0;
    Expect(std::sscanf(line, "%lf %lf", &anon, &maxrss) == 2, "the memory child reports");
    char text[64];
    std::snprintf(text, sizeof text, "%8.1f | %8.1f", anon, maxrss);
    return text;
}

// ---- the Invoice Manager ----------------------------------------------------------------------

constexpr int kPageRuns = 20;
constexpr int kPostingRounds = 200;
constexpr int kRecoveryRound = kPostingRounds;  // numbers an invoice no posting round uses

const char* OrderName(invoicing::InvoiceOrder order) {
    switch (order) {
        case invoicing::InvoiceOrder::ByNumber:
            return "number";
        case invoicing::InvoiceOrder::ByCustomer:
            return "customer";
        case invoicing::InvoiceOrder::ByDate:
            return "date";
        case invoicing::InvoiceOrder::ByKeyCode:
            return "key code";
        case invoicing::InvoiceOrder::ByType:
            return "type";
        case invoicing::InvoiceOrder::ByDatePaid:
            return "date paid";
    }
    return "";
}

void ShowList(widgets::TFvcBrowser& browser, engine::Engine& engine,
              invoicing::InvoiceManagerFlow& flow, records::InvoiceRecord& row,
              const std::optional<invoicing::InvoiceRow>& at) {
    const invoicing::InvoiceListSource source = flow.Source();
    browser.AttachDataSource(std::make_unique<widgets::TFvcDataSource>(
        engine, flow.fileBlock(), source.keyNumber, source.range.low, source.range.high,
        row.bytes()));
    if (at) browser.PositionAtKey(at->key, at->recordNumber);
    browser.viewport()->grab();
}

// What the window does when it opens: the three files opened, the list attached in the display
// order and positioned on the company's last invoice, the first page painted.
Figures InvoiceFirstPage(engine::Engine& engine, company::ProgramState& state,
                         const base::Clock& clock, invoicing::InvoiceOrder order,
                         widgets::TFvcBrowser& browser, records::InvoiceRecord& row) {
    CountingPrompts prompts;
    invoicing::InvoiceManagerFlow flow(engine, prompts, state, clock);
    flow.SetOrder(order);
    const Figures figures = Time(kPageRuns, [&] {
        Expect(flow.Open(), "the invoice files open");
        ShowList(browser, engine, flow, row, flow.StartRow());
        Expect(browser.rows().size() == static_cast<size_t>(browser.visibleRowCount()),
               "the first page is full");
        browser.DetachDataSource();
        flow.Close();
    });
    return figures;
}

// "Filter On/Off" on the record `recordNumber` with the files open: the list of its customer.
Figures FilteredFirstPage(engine::Engine& engine, company::ProgramState& state,
                          const base::Clock& clock, int32_t recordNumber,
                          widgets::TFvcBrowser& browser, records::InvoiceRecord& row) {
    CountingPrompts prompts;
    invoicing::InvoiceManagerFlow flow(engine, prompts, state, clock);
    Expect(flow.Open(), "the invoice files open");
    std::vector<double> seconds;
    for (int i = 0; i < kPageRuns; ++i) {
        seconds.push_back(SecondsOf([&] {
            Expect(flow.SwitchFilter(recordNumber).on, "the filter is on");
            ShowList(browser, engine, flow, row, flow.RowOf(recordNumber));
        }));
        Expect(!browser.rows().empty(), "the customer's records are shown");
        browser.DetachDataSource();
        Expect(!flow.SwitchFilter(recordNumber).on, "the filter is off");
    }
    flow.Close();
    return FiguresOf(std::move(seconds));
}

invoicing::InvoiceDraft FiveLineInvoice(int round, const Options& options,
                                        const company::ProgramState& state) {
    invoicing::InvoiceDraft draft;
    draft.customer = CustomerNumber(1 + (round * 7919) % options.customers);
    draft.number = std::to_string(2000000 + round);
    draft.date = state.todayText;
    draft.terms = "Net 30 Days";
    draft.keyCode = "None";
    draft.paid = "0.00";
    for (int i = 1; i <= 5; ++i)
        draft.lines.push_back({"P" + std::to_string(i), std::to_string(i),
                               "Item " + std::to_string(i), "12.50", i % 2 ? "Y" : "N"});
    return draft;
}

struct PostingFigures {
    Figures add, edit, remove;
};

// Adds, edits and deletes kPostingRounds invoices with the files open, as the window holds them.
// Each delete takes back what its add and edit moved; the company record (next and last invoice
// number) is put back at the end, so the company stays as it was built.
PostingFigures TimePostings(engine::Engine& engine, company::ProgramState& state,
                            const base::Clock& clock, const Options& options) {
    CountingPrompts prompts;
    company::CompanyFile companies(engine, prompts);
    Expect(companies.Open(), "the company file opens");
    const auto before = companies.Find("1");
    Expect(companies.Close() && before.has_value(), "company 1 is on file");

    invoicing::InvoiceFiles files(engine, prompts, "1");
    Expect(files.Open(), "the invoice files open");
    invoicing::InvoicePostings postings(files, state, clock);
    std::vector<double> adds, edits, deletes;
    for (int round = 0; round < kPostingRounds; ++round) {
        invoicing::InvoiceDraft draft = FiveLineInvoice(round, options, state);
        std::optional<invoicing::PostedInvoice> posted;
        adds.push_back(SecondsOf([&] { posted = postings.Add(draft); }));
        Expect(posted.has_value(), "the invoice is added");
        auto stored = files.FindInvoice(draft.number);
        Expect(stored.has_value(), "the invoice is found");
        draft.lines[0].price = "13.75";
        edits.push_back(SecondsOf([&] { posted = postings.Edit(*stored, draft); }));
        Expect(posted.has_value(), "the invoice is edited");
        stored = files.FindInvoice(draft.number);
        Expect(stored.has_value(), "the edited invoice is found");
        deletes.push_back(SecondsOf([&] { posted = postings.Delete(*stored); }));
        Expect(posted.has_value(), "the invoice is deleted");
    }
    Expect(files.Close(), "the invoice files close");

    Expect(companies.Open(), "the company file opens");
    const auto after = companies.Read(before->first);
    Expect(after.has_value() &&
               companies.Modify(before->first, before->second, *after) !=
                   engine::UpdateOutcome::Failed &&
               companies.Close(),
           "the company record is put back");
    state.currentCompany = before->second;
    return {FiguresOf(adds), FiguresOf(edits), FiguresOf(deletes)};
}

// A posting that wrote everything an add writes (the invoice, five lines, the customer's balance
// and the company total) and was killed before it finished, in a child process; then the time
// the next open of the company takes to undo it.
double TimeRecovery(company::ProgramState& state, const base::Clock& clock,
                    const Options& options) {
    const pid_t child = fork();
    Expect(child >= 0, "a child process starts");
    if (child == 0) {
        engine::Engine engine;
        engine.InitEngine(0, 30);
        CountingPrompts prompts;
        invoicing::InvoiceFiles files(engine, prompts, "1");
        receivables::Posting posting(engine, prompts, state, clock);
        const invoicing::InvoiceDraft draft = FiveLineInvoice(kRecoveryRound, options, state);
        records::InvoiceRecord header;
        header.setInvoiceNumber(draft.number);
        header.setCustomerNumber(draft.customer);
        int32_t recordNumber = 0;
        bool written = files.Open() &&
                       posting.Begin("adding invoice " + draft.number,
                                     {&files.invoices().block(), &files.lines().block()}) &&
                       files.invoices().Add(header, recordNumber);
        for (int line = 1; written && line <= 5; ++line) {
            records::InvoiceLineRecord detail;
            detail.setInvoiceNumber(draft.number);
            written = files.lines().Add(detail, recordNumber);
        }
        written =
            written && posting.MoveItem(draft.customer, base::Decimal::FromInteger(100), kNow.date);
        _exit(written ? 0 : 1);  // killed before the posting's end
    }
    int status = 0;
    Expect(waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0,
           "the child wrote its half posting");
    engine::Engine engine;
    engine.InitEngine(0, 30);
    CountingPrompts prompts;
    prompts.expected = "The last posting was interrupted and has been undone: adding invoice " +
                       FiveLineInvoice(kRecoveryRound, options, state).number + ".";
    company::RecoveryOutcome outcome = company::RecoveryOutcome::NothingLeft;
    const double seconds =
        SecondsOf([&] { outcome = company::RecoverInterruptedPosting(engine, prompts); });
    Expect(outcome == company::RecoveryOutcome::Undone, "the half posting is undone");
    engine.ExitEngine();
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string word = argv[i];
        if (word == "--dir") options.dir = argv[i + 1];
        if (word == "--customers") options.customers = std::atoi(argv[i + 1]);
        if (word == "--invoices") options.invoices = std::atoi(argv[i + 1]);
        if (word == "--rounds") options.rounds = std::atoi(argv[i + 1]);
        if (word == "--memory") options.memoryOf = argv[i + 1];
    }
    options.dir = fs::absolute(options.dir);
    if (!options.memoryOf.empty()) {
        MeasureMemory(options);
        return 0;
    }
    EnsureCompany(options);
    const std::string agingMemory =
        MemoryOf(fs::read_symlink("/proc/self/exe").string(), options, "aging");
    const std::string ledgerMemory =
        MemoryOf(fs::read_symlink("/proc/self/exe").string(), options, "ledger");

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fs::current_path(options.dir);
    engine::Engine engine;
    engine.InitEngine(0, 30);
    base::FixedClock clock(kNow);
    CountingPrompts quiet;
    company::ProgramState state = CompanyState(engine, quiet, clock);
    const int rounds = options.rounds;

    ReadDataFiles();  // brings both files into the cache before anything is timed
    const Figures floor = Time(rounds, ReadDataFiles);
    const Figures aging = Time(rounds, [&] { RunAging(engine, state, clock); });
    const Figures ledger = Time(rounds, [&] { RunLedger(engine, state); });

    // The Customer Manager's browser: opening the customer file and painting the first page by
    // name, as the window does when it opens.
    const engine::FileDescription customerFile =
        records::RecordTypeOf(records::RecordKind::Customer).Describe("1");
    records::CustomerRecord row;
    widgets::TFvcBrowser browser(quiet);
    browser.OnBuildRow = [&](widgets::TFvcBrowser&, widgets::RowRec& r) {
        r.text = row.number() + "  " + row.name();
    };
    browser.resize(900, 520);
    browser.show();
    engine::FileBlockHandle fb = nullptr;
    const Figures firstPage = Time(20, [&] {
        browser.DetachDataSource();
        if (fb) engine.CloseFileBlock(fb);
        engine.OpenFileBlock(fb, customerFile.name);
        browser.AttachDataSource(
            std::make_unique<widgets::TFvcDataSource>(engine, fb, 1, "", "", row.bytes()));
        browser.viewport()->grab();
    });
    Expect(browser.rows().size() == static_cast<size_t>(browser.visibleRowCount()),
           "the first page is full");
    browser.DetachDataSource();
    engine.CloseFileBlock(fb);

    // The find dialog's search, over the open customer file as the dialog gets it.
    engine.OpenFileBlock(fb, customerFile.name);
    size_t found = 0;
    const Figures find = Time(rounds, [&] {
        found =
            widgets::SearchRecords(engine, fb, records::RecordTypeOf(records::RecordKind::Customer),
                                   widgets::FindSearchText("harbor boo"))
                .items.size();
    });
    Expect(found > 0, "the search finds customers");
    engine.CloseFileBlock(fb);

    // "&Delete" of customers who owe nothing but have paid invoices on file: refused after the
    // look-up by invoice key 2.
    CountingPrompts deletePrompts;
    deletePrompts.expected = kInvoicesOnFile;
    company::CompanyFile companies(engine, deletePrompts);
    customers::CustomerManagerFlow flow(engine, companies, deletePrompts, state, clock);
    Expect(flow.Open(), "the customer file opens");
    int32_t next = 0;
    const Figures deleteCheck = Time(200, [&] {
        next = next % (options.customers / 10) + 1;
        flow.Delete(next * 10);  // customer number n is record n
    });
    flow.Close();
    Expect(deletePrompts.shown == 200, "every delete was refused for its invoices");

    // `kt-invorra-tool list DIR customers --csv`, written to /dev/null.
    size_t bytes = 0;
    const Figures list = Time(rounds, [&] {
        tool::ListRun run{engine, state.currentCompany, kNow, true, false};
        const tool::ListOutput output = tool::ListCustomers(run);
        Expect(output.ok, "the list is made");
        FILE* null = std::fopen("/dev/null", "w");
        bytes = std::fwrite(output.text.data(), 1, output.text.size(), null);
        std::fclose(null);
    });

    // The Invoice Manager, opened on the company's last invoice (a number in the middle of the
    // file), in each display order, and filtered to one customer.
    state.currentCompany.setLastInvoiceNumber(std::to_string(options.invoices / 2));
    records::InvoiceRecord invoiceRow;
    widgets::TFvcBrowser invoiceBrowser(quiet);
    invoiceBrowser.OnBuildRow = [&](widgets::TFvcBrowser&, widgets::RowRec& r) {
        r.text = base::Win1252ToUtf8(invoicing::InvoiceBrowserRow(invoiceRow));
    };
    invoiceBrowser.resize(1000, 520);
    invoiceBrowser.show();
    std::vector<std::pair<std::string, Figures>> invoicePages;
    for (const invoicing::InvoiceOrder order : invoicing::kInvoiceOrders) {
        invoicePages.emplace_back(
            std::string("invoices, open and first page by ") + OrderName(order),
            InvoiceFirstPage(engine, state, clock, order, invoiceBrowser, invoiceRow));
    }
    invoicePages.emplace_back(
        "invoices filtered to one customer",
        FilteredFirstPage(engine, state, clock, options.invoices / 2, invoiceBrowser, invoiceRow));
    const PostingFigures postingFigures = TimePostings(engine, state, clock, options);
    // The postings took back what they moved: the ledger still agrees.
    RunLedger(engine, state);
    engine.ExitEngine();
    const double recovery = TimeRecovery(state, clock, options);
    engine.InitEngine(0, 30);
    RunLedger(engine, state);  // the undone posting left nothing behind
    engine.ExitEngine();

    std::printf(
        "%d customers, %d invoice-file records (%.0f MB and %.0f MB of data), %d rounds; "
        "times in seconds\n\n",
        options.customers, options.invoices,
        static_cast<double>(fs::file_size(options.dir / "1C.DAT")) / 1e6,
        static_cast<double>(fs::file_size(options.dir / "1I.DAT")) / 1e6, rounds);
    PrintHeading();
    PrintRow("floor: sequential read of 1C.DAT and 1I.DAT", floor, 0, 0);
    PrintRow("aging run (CalculateAging)", aging, 3, floor.median);
    PrintRow("ledger check (CheckLedger)", ledger, 3, floor.median);
    PrintRow("customer browser, open and first page", firstPage, 0.05, 0);
    PrintRow("delete's \"invoices on file\" check", deleteCheck, 0.005, 0);
    PrintRow("find dialog search", find, 0.3, 0);
    PrintRow("list customers --csv", list, 2, 0);
    for (const auto& [what, figures] : invoicePages) PrintRow(what.c_str(), figures, 0.05, 0);
    PrintRow("add posting, 5-line invoice", postingFigures.add, 0.002, 0);
    PrintRow("edit posting, 5-line invoice", postingFigures.edit, 0.003, 0);
    PrintRow("delete posting, 5-line invoice", postingFigures.remove, 0.003, 0);
    std::printf("| %-44s | %4d | %9.4f | %9.4f | %6s | %6s | %-4s |\n",
                "undo of an add posting cut short (at open)", 1, recovery, recovery, "", "", "");
    std::printf("\nfind: %zu customers found; list: %zu bytes\n", found, bytes);
    std::printf("\n| %-12s | RssAnon MB | maxrss MB |\n", "peak memory");
    std::printf("|--------------|------------|-----------|\n");
    std::printf("| %-12s |   %s |\n| %-12s |   %s |\n", "aging run", agingMemory.c_str(),
                "ledger check", ledgerMemory.c_str());
    return 0;
}

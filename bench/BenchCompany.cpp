#include "BenchCompany.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "base/Windows1252.h"
#include "company/CompanyFile.h"
#include "company/LastCompany.h"
#include "company/StarterData.h"
#include "engine/CompactRebuild.h"
#include "receivables/Aging.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceLineRecord.h"
#include "records/InvoiceMemoRecord.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr int kHistoryDays = 180;

uint64_t Hash(uint64_t n) {
    n += 0x9E3779B97F4A7C15ull;
    n = (n ^ (n >> 30)) * 0xBF58476D1CE4E5B9ull;
    n = (n ^ (n >> 27)) * 0x94D049BB133111EBull;
    return n ^ (n >> 31);
}

}  // namespace

base::PromptAnswer CountingPrompts::Message(std::string_view caption, std::string_view text,
                                            base::PromptIcon, base::PromptButtons) {
    if (text != expected) {
        std::fprintf(stderr, "unexpected message %.*s: %.*s\n", static_cast<int>(caption.size()),
                     caption.data(), static_cast<int>(text.size()), text.data());
        std::exit(1);
    }
    ++shown;
    return base::PromptAnswer::Ok;
}

void Expect(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "check failed: %s\n", what);
    std::exit(1);
}

std::string CustomerNumber(int32_t n) {
    char text[16];
    std::snprintf(text, sizeof text, "C%07d", n);
    return text;
}

std::string CustomerName(int32_t n) {
    static const char* const kFirst[] = {"Northern", "Harbor",  "Granite",  "Summit", "Prairie",
                                         "Coastal",  "Redwood", "Lakeside", "Valley", "Pioneer"};
    static const char* const kSecond[] = {"Hardware", "Supply", "Builders", "Farms",  "Books",
                                          "Bakery",   "Motors", "Dental",   "Garden", "Print"};
    const uint64_t h = Hash(static_cast<uint64_t>(n));
    return std::string(kFirst[h % 10]) + " " + kSecond[(h / 10) % 10] + " " + std::to_string(n);
}

// Invoice k belongs to customer 1 + (k * 7919) % customers: ten each, scattered over the file as
// a year of entry scatters them. Customers whose number ends in 0 have paid everything; of the
// others' invoices five in nine are open, half of the file in all.
int32_t CustomerOf(int64_t k, int32_t customers) {
    return static_cast<int32_t>(1 + (k * 7919) % customers);
}

records::InvoiceRecord Invoice(int64_t k, const CompanyShape& options) {
    const int32_t customer = CustomerOf(k, options.customers);
    const uint64_t h = Hash(static_cast<uint64_t>(k) + 0x100000000ull);
    const bool open = customer % 10 != 0 && h % 9 < 5;
    // Entered in date order: the oldest record first.
    const base::Date date =
        base::AddDays(kToday, -(options.invoices - k) * kHistoryDays / options.invoices);
    // 1.00 to 20.99: the receivables total of half a million open items must still fit the
    // company's ten-character field.
    const base::Decimal net = base::Decimal::FromInteger(100 + static_cast<long long>(h % 2000)) *
                              *base::Decimal::Parse("0.01");
    const base::Decimal tax = (net * *base::Decimal::Parse("0.07")).Rounded(2);
    const base::Decimal total = net + tax;

    records::InvoiceRecord record;
    record.setInvoiceNumber(std::to_string(k));
    record.setTypeCode(records::type::kRegularInvoice);
    record.setKeyCode("None");
    record.setCustomerNumber(CustomerNumber(customer));
    record.setCompanyCode("1");
    record.setDocumentDate(base::FormatDate(date, base::DateOrder::MonthFirst), date);
    record.setForm(records::form::kProduct);
    record.setShortName(base::Win1252Upper(CustomerName(customer).substr(0, 10)));
    record.setNetAmount(net);
    record.setTaxAmount(tax);
    record.setTotalAmount(total);
    record.setPaidAmount(open ? base::Decimal() : total);
    record.setBalanceDueAmount(open ? total : base::Decimal());
    if (!open) {
        record.setDatePaid(base::FormatDate(base::AddDays(date, 10), base::DateOrder::YearFirst));
        record.setPaidFlag("P");
    }
    return record;
}

namespace {

// Appends records to a new block, then builds its indexes bottom-up from the sorted keys (the
// rebuild's compact path): a few seconds instead of a million key insertions.
template <typename R>
void WriteBlock(engine::Engine& engine, const engine::FileDescription& file, int64_t count,
                const std::function<R(int64_t)>& make) {
    engine.CreateFileBlock(file.name, file.recordLength, file.keyCount(), file.keys.data());
    engine::FileBlockHandle fb = nullptr;
    engine.OpenFileBlock(fb, file.name);
    for (int64_t n = 1; n <= count && engine.ok(); ++n) {
        int32_t recordNumber = 0;
        engine.AddRecord(fb, recordNumber, make(n).bytes());
    }
    Expect(engine.ok(), "the records are written");
    engine.CloseFileBlock(fb);
    bool logWritten = false;
    Expect(engine::RebuildIndexCompact(engine.fileSystem(), file.name, file.keyCount(),
                                       file.keys.data(), file.buildKey, true, logWritten) == 0,
           "the indexes are built");
}

// One detail line per invoice, as a one-line product invoice has; and the empty memo file.
void WriteInvoiceLines(engine::Engine& engine, const CompanyShape& options) {
    WriteBlock<records::InvoiceLineRecord>(
        engine, records::RecordTypeOf(records::RecordKind::InvoiceLine).Describe("1"),
        options.invoices, [&](int64_t k) {
            const records::InvoiceRecord invoice = Invoice(k, options);
            records::InvoiceLineRecord line;
            line.setColumns({"1", "Service", invoice.net(), "", invoice.net()});
            line.setKind(records::form::kProduct);
            line.setCompanyCode("1");
            line.setInvoiceNumber(invoice.invoiceNumber());
            line.setInvoiceDate(invoice.sortDate());
            line.setProductCode("SVC");
            line.setCustomerNumber(invoice.customerNumber());
            line.setShortName(invoice.shortName());
            return line;
        });
    WriteBlock<records::InvoiceMemoRecord>(
        engine, records::RecordTypeOf(records::RecordKind::InvoiceMemo).Describe("1"), 0,
        [](int64_t) { return records::InvoiceMemoRecord(); });
}

void BuildCompany(const CompanyShape& options) {
    fs::remove_all(options.dir);
    fs::create_directories(options.dir);
    fs::current_path(options.dir);
    engine::Engine engine;
    engine.InitEngine(0, 30);

    // The invoices first, summing each customer's open items into its aging as of today.
    const receivables::AgingLimits limits;
    std::vector<receivables::AgingSums> aging(static_cast<size_t>(options.customers) + 1);
    WriteBlock<records::InvoiceRecord>(
        engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe("1"), options.invoices,
        [&](int64_t k) {
            records::InvoiceRecord record = Invoice(k, options);
            aging[static_cast<size_t>(CustomerOf(k, options.customers))].Add(
                record.balanceDueAmount(),
                receivables::ItemAgeDays(record, kNow, base::DateOrder::MonthFirst), limits);
            return record;
        });
    base::Decimal total;
    WriteBlock<records::CustomerRecord>(
        engine, records::RecordTypeOf(records::RecordKind::Customer).Describe("1"),
        options.customers, [&](int64_t n) {
            const auto number = static_cast<int32_t>(n);
            records::CustomerRecord customer;
            customer.setNumber(CustomerNumber(number));
            customer.setName(CustomerName(number));
            customer.setShortName(base::Win1252Upper(CustomerName(number).substr(0, 10)));
            Expect(receivables::StoreAging(customer, aging[static_cast<size_t>(n)]),
                   "the aging fits");
            total += aging[static_cast<size_t>(n)].Total();
            return customer;
        });

    records::CompanyRecord company = company::StarterCompany();
    company.setAgingDays1("30");
    company.setAgingDays2("60");
    company.setAgingDays3("90");
    Expect(company.setReceivablesTotalAmount(total), "the total fits");
    CountingPrompts prompts;
    prompts.expected = "I am going to create a new, empty company file.";
    company::CompanyFile file(engine, prompts);
    int32_t recordNumber = 0;
    Expect(file.file().Create() && file.Open() && file.Add(company, recordNumber) && file.Close(),
           "the company is written");
    Expect(company::WriteLastCompany(engine.fileSystem(), company), "LastCo.Dat is written");
    WriteInvoiceLines(engine, options);
    engine.ExitEngine();
    std::ofstream(options.dir / "sizes") << options.customers << ' ' << options.invoices << '\n';
}

bool CompanyIsBuilt(const CompanyShape& options) {
    std::ifstream sizes(options.dir / "sizes");
    int32_t customers = 0, invoices = 0;
    return static_cast<bool>(sizes >> customers >> invoices) && customers == options.customers &&
           invoices == options.invoices && fs::exists(options.dir / "1D.DAT") &&
           fs::exists(options.dir / "1M.DAT");
}

}  // namespace

void EnsureCompany(const CompanyShape& shape) {
    if (!CompanyIsBuilt(shape)) {
        const double seconds = SecondsOf([&] { BuildCompany(shape); });
        std::fprintf(stderr, "built %d customers and %d invoice-file records in %.1f s\n",
                     shape.customers, shape.invoices, seconds);
    }
    std::filesystem::current_path(shape.dir);
}

double SecondsOf(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Figures FiguresOf(std::vector<double> seconds) {
    std::sort(seconds.begin(), seconds.end());
    return {seconds[seconds.size() / 2], seconds.back(), static_cast<int>(seconds.size())};
}

Figures Time(int runs, const std::function<void()>& action) {
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) seconds.push_back(SecondsOf(action));
    return FiguresOf(std::move(seconds));
}

company::ProgramState CompanyState(engine::Engine& engine, base::PromptService& prompts,
                                   const base::Clock& clock) {
    company::ProgramState state;
    company::CompanyFile file(engine, prompts);
    Expect(file.file().OpenReadOnly(), "the company file opens");
    const auto stored = file.Find("1");
    Expect(file.Close() && stored.has_value(), "company 1 is on file");
    state.currentCompany = stored->second;
    state.ApplyDateFormat(clock);
    return state;
}

void PrintHeading() {
    std::printf("| %-44s | %4s | %9s | %9s | %6s | %6s | %-4s |\n", "operation", "runs", "median",
                "max", "/floor", "goal", "");
    std::printf("|%s|------|-----------|-----------|--------|--------|------|\n",
                std::string(46, '-').c_str());
}

void PrintRow(const char* what, const Figures& f, double goal, double floor) {
    char ratio[16] = "";
    char goalText[16] = "";
    if (floor > 0) std::snprintf(ratio, sizeof ratio, "%.1f", f.median / floor);
    if (goal > 0) std::snprintf(goalText, sizeof goalText, "%g", goal);
    std::printf("| %-44s | %4d | %9.4f | %9.4f | %6s | %6s | %-4s |\n", what, f.runs, f.median,
                f.max, ratio, goalText,
                goal <= 0         ? ""
                : f.median < goal ? "met"
                                  : "missed");
}

std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    double one = 0, five = 0, fifteen = 0;
    file >> one >> five >> fifteen;
    char text[64];
    std::snprintf(text, sizeof text, "load average: %.2f, %.2f, %.2f", one, five, fifteen);
    return text;
}

}  // namespace bench

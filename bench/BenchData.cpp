#include "BenchData.h"

#include <cstdio>
#include <cstring>

namespace bench {
namespace {

constexpr uint64_t kSeed = 0x4b54'496e'766f'7272ull;

// Streams of the generator, one per independent choice.
enum Stream : uint64_t { kName = 1, kInvoiceCustomer, kStatus, kBlankReference, kReference, kFill };

void Put(std::string& record, int offset, const std::string& field) {
    std::memcpy(record.data() + offset, field.data(), field.size());
}

void Fill(std::string& record, int from, uint64_t n) {
    for (size_t i = static_cast<size_t>(from); i < record.size(); ++i)
        record[i] = static_cast<char>('a' + (n + i) % 26);
}

std::string Format(const char* pattern, int64_t value) {
    char text[40];
    std::snprintf(text, sizeof text, pattern, static_cast<long long>(value));
    return text;
}

}  // namespace

const FileLayout kCustomers{"BC", 1008, {{4, 30, false}, {34, 8, true}}};
const FileLayout kInvoices{
    "BI",
    360,
    {{4, 9, true}, {13, 8, true}, {21, 10, true}, {31, 10, true}, {41, 10, true}, {51, 10, true}}};
const FileLayout kLines{"BD", 132, {{4, 10, true}, {14, 9, true}}};

std::string FileLayout::Key(const std::string& record, int keyNumber) const {
    const KeyField& field = keys[static_cast<size_t>(keyNumber - 1)];
    return record.substr(static_cast<size_t>(field.offset), static_cast<size_t>(field.length));
}

Sizes Sizes::Scaled(double scale) {
    const auto part = [scale](int64_t full) { return static_cast<int64_t>(full * scale); };
    return {part(200'000), part(1'000'000), part(2'000'000), part(200'000),
            part(500'000), part(200'000),   part(10'000),    part(100'000)};
}

uint64_t BenchData::Random(uint64_t stream, uint64_t n) {
    uint64_t z = kSeed + stream * 0x9e3779b97f4a7c15ull + n * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

std::string BenchData::CustomerNumber(int64_t n) {
    return Format("%8lld", n);
}
std::string BenchData::InvoiceNumber(int64_t n) {
    return Format("%9lld", n);
}

std::string BenchData::Customer(int64_t n) const {
    std::string record(static_cast<size_t>(kCustomers.recordLength), '\0');
    std::string name(30, ' ');
    for (int i = 0; i < 30; ++i)
        name[static_cast<size_t>(i)] =
            static_cast<char>('A' + Random(kName, static_cast<uint64_t>(n * 30 + i)) % 26);
    Put(record, 4, name);
    Put(record, 34, CustomerNumber(n));
    Fill(record, 42, static_cast<uint64_t>(n));
    return record;
}

std::string BenchData::Invoice(int64_t n) const {
    std::string record(static_cast<size_t>(kInvoices.recordLength), '\0');
    const auto u = static_cast<uint64_t>(n);
    const int64_t customer = 1 + static_cast<int64_t>(Random(kInvoiceCustomer, u) %
                                                      static_cast<uint64_t>(sizes_.customers));
    // Dates ascend with the invoice number, about 300 invoices a day.
    const int64_t day = n / 300;
    const std::string date = Format("%04lld/", 2000 + day / 360) +
                             Format("%02lld/", 1 + day / 30 % 12) + Format("%02lld", 1 + day % 30);
    const std::string status =
        Random(kStatus, u) % 100 < 95 ? "OPEN      " : Format("PAID%06lld", n % 1000000);
    const std::string reference =
        Random(kBlankReference, u) % 100 < 30
            ? std::string(10, ' ')
            : Format("R%09lld", static_cast<int64_t>(Random(kReference, u) % 1000000000));
    Put(record, 4, InvoiceNumber(n));
    Put(record, 13, CustomerNumber(customer));
    Put(record, 21, date);
    Put(record, 31, status);
    Put(record, 41, Format("%010lld", n * 3));
    Put(record, 51, reference);
    Fill(record, 61, u);
    return record;
}

std::string BenchData::Line(int64_t invoice, int lineNumber) const {
    std::string record(static_cast<size_t>(kLines.recordLength), '\0');
    Put(record, 4, InvoiceNumber(invoice) + static_cast<char>('0' + lineNumber));
    Put(record, 14, InvoiceNumber(invoice));
    Fill(record, 23, static_cast<uint64_t>(invoice * 8 + lineNumber));
    return record;
}

std::vector<std::string> BenchData::Post(int64_t i) const {
    const int64_t number = sizes_.invoices + i;
    std::vector<std::string> records{Invoice(number)};
    for (int line = 1; line <= kLinesPerPost; ++line) records.push_back(Line(number, line));
    return records;
}

}  // namespace bench

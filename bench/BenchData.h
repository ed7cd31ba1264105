#pragma once
// The benchmark's data: customers, invoices and invoice lines whose every byte follows from the
// record's index and one fixed seed, so both sides store and look up exactly the same things.
// Each key is a field of its record, so a rebuild can derive it again.

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct KeyField {
    int offset = 0;
    int length = 0;
    bool duplicates = false;
};

struct FileLayout {
    const char* name;
    int recordLength;
    std::vector<KeyField> keys;  // keys[0] is key 1

    std::string Key(const std::string& record, int keyNumber) const;  // 1-based
};

// Customers: name (unique, random) and customer number (ascending).
extern const FileLayout kCustomers;
// Invoices: invoice number, customer number, date, status, sequence, reference.
extern const FileLayout kInvoices;
// Invoice lines: invoice number with line number, invoice number.
extern const FileLayout kLines;

struct Sizes {
    int64_t customers, invoices, lines;
    int64_t customerLookups, invoiceLookups, lineInvoices, posts, deletes;
    static Sizes Scaled(double scale);
};

class BenchData {
public:
    static constexpr int kLinesPerInvoice = 2;  // of the bulk-loaded invoices
    static constexpr int kLinesPerPost = 5;

    explicit BenchData(const Sizes& sizes) : sizes_(sizes) {}
    const Sizes& sizes() const { return sizes_; }

    std::string Customer(int64_t n) const;                    // n = 1..customers
    std::string Invoice(int64_t n) const;                     // n = invoice number from 1
    std::string Line(int64_t invoice, int lineNumber) const;  // line 1.. of an invoice
    // The bulk-loaded line n (1..lines) belongs to invoice (n - 1) / 2 + 1.
    std::string BulkLine(int64_t n) const {
        return Line((n - 1) / kLinesPerInvoice + 1,
                    static_cast<int>((n - 1) % kLinesPerInvoice) + 1);
    }

    // The records of the i-th posting (1..posts): its invoice, numbered after the bulk-loaded
    // ones, then its kLinesPerPost lines.
    std::vector<std::string> Post(int64_t i) const;

    static std::string CustomerNumber(int64_t n);  // the 8-byte key 2 of customers
    static std::string InvoiceNumber(int64_t n);   // the 9-byte key 1 of invoices
    // A deterministic random number for (stream, n).
    static uint64_t Random(uint64_t stream, uint64_t n);

private:
    Sizes sizes_;
};

}  // namespace bench

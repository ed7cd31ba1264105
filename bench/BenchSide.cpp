#include "BenchSide.h"

#include <numeric>

#include "BenchData.h"

namespace bench {

const Workload kWorkloads[] = {
    {"W1", "add customers (1008 bytes, 2 keys)", 1.5, &Side::AddCustomers},
    {"W2", "add invoices (360 bytes, 6 keys)", 1.3, &Side::AddInvoices},
    {"W3", "add invoice lines (132 bytes, 2 keys)", 1.0, &Side::AddLines},
    {"W4a", "customer by number + record", 3.0, &Side::FindCustomers},
    {"W4b", "invoice by number + record", 3.0, &Side::FindInvoices},
    {"W5a", "walk invoices in date order", 3.0, &Side::WalkInvoicesByDate},
    {"W5b", "walk customers in name order", 5.0, &Side::WalkCustomersByName},
    {"W5c", "lines of random invoices", 3.0, &Side::ReadInvoiceLines},
    {"W6", "full scan of invoices", 5.0, &Side::ScanInvoices},
    {"W7", "aging pass, one update per customer", 4.0, &Side::AgeCustomers},
    {"W8a", "rebuild invoice file vs REINDEX", 1.0, &Side::RebuildInvoices},
    {"W8b", "rebuild line file vs REINDEX", 1.2, &Side::RebuildLines},
    {"W9", "post invoices one at a time", 1.3, &Side::PostInvoices},
    {"W10", "delete invoices with lines and keys", 1.3, &Side::DeleteInvoices},
    // Last, so that the workloads before them run on the exact rebuild's trees.
    {"W8c", "compact rebuild of invoice file vs REINDEX", 2.0, &Side::CompactInvoices},
    {"W8d", "compact rebuild of line file vs REINDEX", 2.0, &Side::CompactLines},
};
const int kWorkloadCount = sizeof kWorkloads / sizeof kWorkloads[0];

int64_t RandomCustomer(int64_t i, int64_t customers) {
    return 1 + static_cast<int64_t>(BenchData::Random(100, static_cast<uint64_t>(i)) %
                                    static_cast<uint64_t>(customers));
}

int64_t RandomInvoice(int64_t i, int64_t invoices) {
    return 1 + static_cast<int64_t>(BenchData::Random(101, static_cast<uint64_t>(i)) %
                                    static_cast<uint64_t>(invoices));
}

int64_t InvoiceToDelete(int64_t i, int64_t invoices) {
    // A stride coprime with the count visits every invoice once before repeating.
    int64_t stride = 7919;
    while (std::gcd(stride, invoices) != 1) stride += 2;
    return 1 + (i * stride) % invoices;
}

}  // namespace bench

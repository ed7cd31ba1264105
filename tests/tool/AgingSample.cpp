#include "tool/AgingSample.h"

#include <string>

#include "base/Dates.h"
#include "engine/Engine.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"
#include "support/Samples.h"
#include "support/TempDir.h"

namespace tooltest {

void AddAgingSample(const std::filesystem::path& dir,
                    const std::vector<std::pair<long, const char*>>& items) {
    testsupport::ScopedChdir inDir(dir);
    engine::Engine engine;
    records::CustomerRecord customer = testsupport::SampleCustomer("A1", "Ames Hardware");
    customer.setBalance("1.00");
    testsupport::AddRecords(engine,
                            records::RecordTypeOf(records::RecordKind::Customer).Describe("1"),
                            std::vector<records::CustomerRecord>{customer});
    std::vector<records::InvoiceRecord> invoices;
    for (const auto& [daysOld, balance] : items) {
        const base::Date date = base::AddDays({2026, 12, 6}, -daysOld);
        records::InvoiceRecord item;
        item.setInvoiceNumber(std::to_string(invoices.size() + 1));
        item.setTypeCode(records::type::kRegularInvoice);
        item.setCustomerNumber("A1");
        item.setDocumentDate(base::FormatDate(date, base::DateOrder::MonthFirst), date);
        item.setBalanceDue(balance);
        invoices.push_back(item);
    }
    testsupport::AddRecords(
        engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe("1"), invoices);
    engine.ExitEngine();
}

}  // namespace tooltest

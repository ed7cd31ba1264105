#include "receivables/AgingReport.h"

#include "engine/RecordFile.h"
#include "receivables/OpenItems.h"
#include "records/CustomerRecord.h"
#include "records/RecordTypes.h"

namespace receivables {
namespace {

constexpr int kCustomerNumberKey = 2;

}  // namespace

std::optional<AgingReport> AgingAsOf(engine::Engine& engine, base::PromptService& prompts,
                                     std::string_view companyCode, const AgingLimits& limits,
                                     base::DateOrder shortDateOrder, const base::Date& asOf) {
    engine::RecordFile<records::CustomerRecord> customers(
        engine, records::RecordTypeOf(records::RecordKind::Customer).Describe(companyCode),
        prompts);
    InvoiceFile invoices(
        engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe(companyCode), prompts);
    // A company that has never had a customer or an invoice has no files yet, and owes nothing.
    engine::FileSystem& files = engine.fileSystem();
    if (!files.Exists(customers.description().name + ".DAT") ||
        !files.Exists(invoices.description().name + ".DAT"))
        return AgingReport{};
    if (!customers.OpenReadOnly()) return std::nullopt;
    if (!invoices.OpenReadOnly()) {
        (void)customers.Close();
        return std::nullopt;
    }
    const AgingBasis basis{limits, {asOf, 0, 0, 0}, shortDateOrder, true};
    AgingReport report;
    std::optional<std::string> failure;
    const engine::ErrorClass walk = customers.ForEach(kCustomerNumberKey, [&](const auto& entry) {
        if (failure) return;
        const std::optional<AgingSums> sums =
            CustomerAgingSums(invoices, entry.record.number(), basis);
        if (!sums) {
            failure = UnreadableItemsText(entry.record.number(), engine.error());
            return;
        }
        report.customers.push_back({entry.record.number(), entry.record.name(), *sums});
        report.totals += *sums;
    });
    if (!failure && walk != engine::ErrorClass::None)
        failure =
            "The customer file could not be read (error " + std::to_string(engine.error()) + ").";
    const bool closed = invoices.Close() && customers.Close();
    if (failure) {
        prompts.Message(kAgingCaption, *failure, base::PromptIcon::Error, base::PromptButtons::Ok);
        return std::nullopt;
    }
    if (!closed) return std::nullopt;
    return report;
}

}  // namespace receivables

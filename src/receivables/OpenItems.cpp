#include "receivables/OpenItems.h"

#include "base/Text.h"
#include "base/Windows1252.h"
#include "engine/Errors.h"
#include "records/RecordTypes.h"

namespace receivables {
namespace {

constexpr int kCustomerKey = 2;

}  // namespace

std::string ItemCustomerKey(std::string_view customerNumber) {
    return base::Win1252Upper(base::Trim(customerNumber));
}

std::optional<AgingSums> CustomerAgingSums(InvoiceFile& invoices, std::string_view customerNumber,
                                           const AgingBasis& basis) {
    const std::string wanted = ItemCustomerKey(customerNumber);
    AgingSums sums;
    engine::KeyEntry<records::InvoiceRecord> entry;
    engine::ErrorClass outcome = invoices.Search(kCustomerKey, wanted, entry);
    for (; outcome == engine::ErrorClass::None && ItemCustomerKey(entry.key) == wanted;
         outcome = invoices.Next(kCustomerKey, entry)) {
        const base::Decimal open = OpenAmount(entry.record);
        if (open.IsZero()) continue;
        const long days = ItemAgeDays(entry.record, basis.now, basis.shortDateOrder);
        if (days < 0 && basis.leaveOutLaterItems) continue;
        sums.Add(open, days, basis.limits);
    }
    if (outcome != engine::ErrorClass::None && outcome != engine::ErrorClass::Expected)
        return std::nullopt;
    return sums;
}

std::string UnreadableItemsText(std::string_view customerNumber, int32_t error) {
    return "The open items of customer " + base::Trim(customerNumber) +
           " could not be read (error " + std::to_string(error) +
           "). Rebuild the data files, then run the aging again.";
}

std::optional<AgingSums> RecomputeCustomerAging(engine::Engine& engine,
                                                base::PromptService& prompts,
                                                std::string_view companyCode,
                                                std::string_view customerNumber,
                                                const AgingBasis& basis) {
    InvoiceFile invoices(
        engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe(companyCode), prompts);
    if (!invoices.Open()) return std::nullopt;
    std::optional<AgingSums> sums = CustomerAgingSums(invoices, customerNumber, basis);
    const int32_t error = engine.error();
    if (!invoices.Close()) return std::nullopt;
    if (!sums) {
        prompts.Message("Aging", UnreadableItemsText(customerNumber, error),
                        base::PromptIcon::Error, base::PromptButtons::Ok);
    }
    return sums;
}

}  // namespace receivables

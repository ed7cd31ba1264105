#include "receivables/PostingWrites.h"

#include "base/Text.h"
#include "base/Windows1252.h"
#include "records/RecordTypes.h"

namespace receivables {
namespace {

constexpr int kCustomerNumberKey = 2;

std::string Folded(std::string_view text) {
    return base::Win1252Upper(base::Trim(text));
}

}  // namespace

CustomerFile CustomersOf(engine::Engine& engine, base::PromptService& prompts,
                         std::string_view companyCode) {
    return CustomerFile(engine,
                        records::RecordTypeOf(records::RecordKind::Customer).Describe(companyCode),
                        prompts);
}

std::optional<CustomerEntry> FindCustomerIn(CustomerFile& customers, std::string_view number) {
    records::CustomerRecord wanted;
    wanted.setNumber(number);
    CustomerEntry entry;
    if (customers.Search(kCustomerNumberKey, wanted.key(kCustomerNumberKey), entry) !=
            engine::ErrorClass::None ||
        Folded(entry.record.number()) != Folded(number))
        return std::nullopt;
    return entry;
}

std::optional<engine::KeyEntry<records::CustomerRecord>> FindCustomer(engine::Engine& engine,
                                                                      base::PromptService& prompts,
                                                                      std::string_view companyCode,
                                                                      std::string_view number) {
    CustomerFile customers = CustomersOf(engine, prompts, companyCode);
    if (!customers.Open()) return std::nullopt;
    auto entry = FindCustomerIn(customers, number);
    if (!customers.Close()) return std::nullopt;
    return entry;
}

}  // namespace receivables

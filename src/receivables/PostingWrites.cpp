#include "receivables/PostingWrites.h"

#include <utility>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/CompanyFile.h"
#include "records/RecordTypes.h"

namespace receivables {
namespace {

using CustomerFile = engine::RecordFile<records::CustomerRecord>;

constexpr int kCustomerNumberKey = 2;

CustomerFile CustomersOf(engine::Engine& engine, base::PromptService& prompts,
                         std::string_view companyCode) {
    return CustomerFile(engine,
                        records::RecordTypeOf(records::RecordKind::Customer).Describe(companyCode),
                        prompts);
}

std::string Folded(std::string_view text) {
    return base::Win1252Upper(base::Trim(text));
}

bool RestoreCustomer(engine::Engine& engine, base::PromptService& prompts,
                     const std::string& companyCode,
                     const engine::KeyEntry<records::CustomerRecord>& before) {
    CustomerFile customers = CustomersOf(engine, prompts, companyCode);
    if (!customers.Open()) return false;
    records::CustomerRecord stored;
    const bool restored = customers.Get(before.recordNumber, stored) &&
                          (stored == before.record ||
                           Written(customers.Update(before.recordNumber, before.record, stored)));
    return customers.Close() && restored;
}

bool RestoreCompany(engine::Engine& engine, base::PromptService& prompts,
                    const std::pair<int32_t, records::CompanyRecord>& before) {
    company::CompanyFile companies(engine, prompts);
    if (!companies.Open()) return false;
    const auto stored = companies.Read(before.first);
    const bool restored =
        stored && (*stored == before.second ||
                   Written(companies.Modify(before.first, before.second, *stored)));
    return companies.Close() && restored;
}

}  // namespace

std::optional<engine::KeyEntry<records::CustomerRecord>> FindCustomer(engine::Engine& engine,
                                                                      base::PromptService& prompts,
                                                                      std::string_view companyCode,
                                                                      std::string_view number) {
    CustomerFile customers = CustomersOf(engine, prompts, companyCode);
    if (!customers.Open()) return std::nullopt;
    records::CustomerRecord wanted;
    wanted.setNumber(number);
    engine::KeyEntry<records::CustomerRecord> entry;
    const bool found = customers.Search(kCustomerNumberKey, wanted.key(kCustomerNumberKey),
                                        entry) == engine::ErrorClass::None &&
                       Folded(entry.record.number()) == Folded(number);
    const bool closed = customers.Close();
    if (!found || !closed) return std::nullopt;
    return entry;
}

bool GuardCustomer(PostingLog& log, engine::Engine& engine, base::PromptService& prompts,
                   std::string_view companyCode, std::string_view number) {
    auto before = FindCustomer(engine, prompts, companyCode, number);
    if (!before) return false;
    log.Guard([&engine, &prompts, code = std::string(companyCode), before = *before] {
        return RestoreCustomer(engine, prompts, code, before);
    });
    return true;
}

bool GuardCompany(PostingLog& log, engine::Engine& engine, base::PromptService& prompts,
                  company::ProgramState& state) {
    company::CompanyFile companies(engine, prompts);
    if (!companies.Open()) return false;
    auto before = companies.Find(state.currentCompany.number());
    if (!companies.Close() || !before) return false;
    log.Guard([&engine, &prompts, &state, before = *before, current = state.currentCompany] {
        state.currentCompany = current;
        return RestoreCompany(engine, prompts, before);
    });
    return true;
}

}  // namespace receivables

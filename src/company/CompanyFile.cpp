#include "company/CompanyFile.h"

#include "records/RecordTypes.h"

namespace company {

CompanyFile::CompanyFile(engine::Engine& engine, base::PromptService& prompts,
                         engine::RebuildObserver* observer)
    : file_(engine, records::RecordTypeOf(records::RecordKind::Company).Describe(), prompts,
            observer) {}

int32_t CompanyFile::CompanyCount() {
    return file_.engine().UsedRecords(file_.handle());
}

std::optional<records::CompanyRecord> CompanyFile::Read(int32_t recordNumber) {
    records::CompanyRecord company;
    if (!file_.Get(recordNumber, company)) return std::nullopt;
    return company;
}

engine::ErrorClass CompanyFile::InKeyOrder(int keyNumber,
                                           std::vector<records::CompanyRecord>& companies) {
    return file_.ForEach(keyNumber, [&](const auto& entry) { companies.push_back(entry.record); });
}

std::optional<std::pair<int32_t, records::CompanyRecord>> CompanyFile::Find(
    std::string_view number) {
    records::CompanyRecord wanted;
    wanted.setNumber(number);
    const std::string wantedKey = wanted.key(1);
    engine::KeyEntry<records::CompanyRecord> found;
    if (file_.Search(1, wantedKey, found) != engine::ErrorClass::None || found.key != wantedKey)
        return std::nullopt;
    return std::make_pair(found.recordNumber, found.record);
}

bool CompanyFile::Add(const records::CompanyRecord& company, int32_t& recordNumber) {
    return file_.Add(company, recordNumber);
}

engine::UpdateOutcome CompanyFile::Modify(int32_t recordNumber,
                                          const records::CompanyRecord& edited,
                                          const records::CompanyRecord& original) {
    return file_.Update(recordNumber, edited, original);
}

bool CompanyFile::Delete(int32_t recordNumber, const records::CompanyRecord& company) {
    return file_.Delete(recordNumber, company);
}

}  // namespace company

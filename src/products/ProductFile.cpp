#include "products/ProductFile.h"

#include "records/RecordTypes.h"

namespace products {

ProductFile::ProductFile(engine::Engine& engine, std::string_view companyCode,
                         base::PromptService& prompts, engine::RebuildObserver* observer)
    : file_(engine, records::RecordTypeOf(records::RecordKind::Product).Describe(companyCode),
            prompts, observer) {}

int32_t ProductFile::ProductCount() {
    return file_.engine().UsedRecords(file_.handle());
}

std::optional<records::ProductRecord> ProductFile::Read(int32_t recordNumber) {
    records::ProductRecord product;
    if (!file_.Get(recordNumber, product)) return std::nullopt;
    return product;
}

engine::ErrorClass ProductFile::InKeyOrder(int keyNumber,
                                           std::vector<records::ProductRecord>& products) {
    return file_.ForEach(keyNumber, [&](const auto& entry) { products.push_back(entry.record); });
}

std::optional<std::pair<int32_t, records::ProductRecord>> ProductFile::Find(std::string_view code) {
    records::ProductRecord wanted;
    wanted.setCode(code);
    engine::KeyEntry<records::ProductRecord> found;
    if (file_.Search(1, wanted.key(1), found) != engine::ErrorClass::None ||
        SameCodeForm(found.record.code()) != SameCodeForm(code))
        return std::nullopt;
    return std::make_pair(found.recordNumber, found.record);
}

ProductLookup ProductFile::Lookup() {
    return [this](const std::string& code) -> std::optional<records::ProductRecord> {
        records::ProductRecord wanted;
        wanted.setCode(code);
        engine::KeyEntry<records::ProductRecord> found;
        if (file_.Search(1, wanted.key(1), found) != engine::ErrorClass::None) return std::nullopt;
        return found.record;
    };
}

}  // namespace products

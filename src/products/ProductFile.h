#pragma once
// A company's product file (company code + "P") with typed operations.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/PromptService.h"
#include "engine/Engine.h"
#include "engine/RecordFile.h"
#include "products/ProductEdit.h"
#include "records/ProductRecord.h"

namespace products {

class ProductFile {
public:
    ProductFile(engine::Engine& engine, std::string_view companyCode, base::PromptService& prompts,
                engine::RebuildObserver* observer = nullptr);

    // Opens with repair; a missing file is created after "I am going to create a new, empty
    // product file for this company.".
    [[nodiscard]] bool Open() { return file_.Open(); }
    [[nodiscard]] bool Close() { return file_.Close(); }
    engine::RecordFile<records::ProductRecord>& file() { return file_; }

    int32_t ProductCount();
    // The record `recordNumber`; nothing when it cannot be read.
    std::optional<records::ProductRecord> Read(int32_t recordNumber);
    // Every product in the order of key 1 (code) or key 2 (description). None when the walk
    // reached the end, else the class of the error that cut the list short.
    [[nodiscard]] engine::ErrorClass InKeyOrder(int keyNumber,
                                                std::vector<records::ProductRecord>& products);

    // The product whose code, trimmed and upper-cased, equals `code` trimmed and upper-cased,
    // with its record number; looked up by key 1.
    std::optional<std::pair<int32_t, records::ProductRecord>> Find(std::string_view code);
    // The duplicate-code lookup of the product dialog's checks: the first product at or after
    // the key 1 of `code`; a failing search finds nothing.
    ProductLookup Lookup();

    [[nodiscard]] bool Add(const records::ProductRecord& product, int32_t& recordNumber) {
        return file_.Add(product, recordNumber);
    }
    // Writes nothing when `edited` equals `original`, or when the stored record no longer equals
    // `original` ("The record has changed in the meantime.").
    [[nodiscard]] engine::UpdateOutcome Modify(int32_t recordNumber,
                                               const records::ProductRecord& edited,
                                               const records::ProductRecord& original) {
        return file_.Update(recordNumber, edited, original);
    }
    [[nodiscard]] bool Delete(int32_t recordNumber, const records::ProductRecord& product) {
        return file_.Delete(recordNumber, product);
    }

private:
    engine::RecordFile<records::ProductRecord> file_;
};

}  // namespace products

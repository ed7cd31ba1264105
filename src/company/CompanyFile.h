#pragma once
// The company file "Company" with typed operations.

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "base/PromptService.h"
#include "engine/Engine.h"
#include "engine/RecordFile.h"
#include "records/CompanyRecord.h"

namespace company {

class CompanyFile {
public:
    CompanyFile(engine::Engine& engine, base::PromptService& prompts,
                engine::RebuildObserver* observer = nullptr);

    // Opens with repair; a missing file is created after "I am going to create a new, empty
    // company file.".
    [[nodiscard]] bool Open() { return file_.Open(); }
    [[nodiscard]] bool Close() { return file_.Close(); }
    engine::RecordFile<records::CompanyRecord>& file() { return file_; }

    int32_t CompanyCount();

    // The record `recordNumber`; nothing when it cannot be read.
    std::optional<records::CompanyRecord> Read(int32_t recordNumber);
    // Every company in the order of key 1 (number) or key 2 (name). None when the walk reached
    // the end, else the class of the error that cut the list short.
    [[nodiscard]] engine::ErrorClass InKeyOrder(int keyNumber,
                                                std::vector<records::CompanyRecord>& companies);

    // The company whose number, trimmed and upper-cased, equals `number` trimmed and upper-cased,
    // with its record number; looked up by key 1.
    std::optional<std::pair<int32_t, records::CompanyRecord>> Find(std::string_view number);

    // The record with keys 1 and 2; a failed step leaves nothing behind.
    [[nodiscard]] bool Add(const records::CompanyRecord& company, int32_t& recordNumber);
    // Writes nothing when `edited` equals `original`, or when the stored record no longer equals
    // `original` ("The record has changed in the meantime."); otherwise replaces the keys whose
    // text changed and the record.
    [[nodiscard]] engine::UpdateOutcome Modify(int32_t recordNumber,
                                               const records::CompanyRecord& edited,
                                               const records::CompanyRecord& original);
    [[nodiscard]] bool Delete(int32_t recordNumber, const records::CompanyRecord& company);

private:
    engine::RecordFile<records::CompanyRecord> file_;
};

}  // namespace company

#pragma once
// The steps postings write through a PostingLog, each with its way back: adding, deleting and
// replacing a record. Invoice postings, payment postings and the balance step build on them.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/PromptService.h"
#include "engine/Engine.h"
#include "engine/RecordFile.h"
#include "receivables/PostingLog.h"
#include "records/CustomerRecord.h"

namespace receivables {

// Whether an update left the stored record as wanted.
inline bool Written(engine::UpdateOutcome outcome) {
    return outcome == engine::UpdateOutcome::Written || outcome == engine::UpdateOutcome::Unchanged;
}

// Adds a record and keeps its removal as the undo. `recordNumber`, when given, receives the
// number of the record added.
template <typename R>
bool AddRecord(PostingLog& log, std::string_view failure, engine::RecordFile<R>& file,
               const R& record, int32_t* recordNumber = nullptr) {
    auto added = std::make_shared<int32_t>(0);
    const bool written = log.Write(
        failure, [&file, record, added] { return file.Add(record, *added); },
        [&file, record, added] { return file.Delete(*added, record); });
    if (written && recordNumber) *recordNumber = *added;
    return written;
}

// Deletes a record and keeps adding it back as the undo (it goes back to its own slot, the first
// of the free ones, as the undo runs newest first).
template <typename R>
bool DeleteRecord(PostingLog& log, std::string_view failure, engine::RecordFile<R>& file,
                  const engine::KeyEntry<R>& entry) {
    return log.Write(
        failure, [&file, entry] { return file.Delete(entry.recordNumber, entry.record); },
        [&file, entry] {
            int32_t recordNumber = 0;
            return file.Add(entry.record, recordNumber);
        });
}

// Writes `replacement` over the record of `entry` (its changed keys move with it) and keeps
// putting the old one back as the undo.
template <typename R>
bool ReplaceRecord(PostingLog& log, std::string_view failure, engine::RecordFile<R>& file,
                   const engine::KeyEntry<R>& entry, const R& replacement) {
    return log.Write(
        failure,
        [&file, entry, replacement] {
            return Written(file.Update(entry.recordNumber, replacement, entry.record));
        },
        [&file, entry, replacement] {
            return Written(file.Update(entry.recordNumber, entry.record, replacement));
        });
}

using CustomerFile = engine::RecordFile<records::CustomerRecord>;
using CustomerEntry = engine::KeyEntry<records::CustomerRecord>;

// The company's customer file, not opened yet.
CustomerFile CustomersOf(engine::Engine& engine, base::PromptService& prompts,
                         std::string_view companyCode);

// The customer whose number (trimmed, upper-cased) is `number`, looked up by customer key 2 in
// the open file `customers`. The number found is compared with the one sought, so a missing
// customer never stands for the next one. Nothing when there is none or the search failed.
std::optional<CustomerEntry> FindCustomerIn(CustomerFile& customers, std::string_view number);

// The same in the company's customer file, which is opened and closed again. The number found is
// compared with the one sought, so a missing customer never stands for the next one. Nothing when
// there is no such customer or the file could not be read.
std::optional<engine::KeyEntry<records::CustomerRecord>> FindCustomer(engine::Engine& engine,
                                                                      base::PromptService& prompts,
                                                                      std::string_view companyCode,
                                                                      std::string_view number);

}  // namespace receivables

#pragma once
// The key walks the report routines share: a range of dates in one key order with the records
// whose date cannot be read set aside, and a walk over the entries that start with a prefix.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/RecordFile.h"
#include "records/InvoiceLineRecord.h"
#include "records/InvoiceRecord.h"

namespace statements {

using InvoiceFile = engine::RecordFile<records::InvoiceRecord>;
using LineFile = engine::RecordFile<records::InvoiceLineRecord>;

// The records left out because their date is empty or no date, by invoice number.
class UnreadableDates {
public:
    void Add(int32_t recordNumber, std::string_view invoiceNumber);
    // "n record(s) with an unreadable date were left out: " and the first ten numbers; empty when
    // there were none.
    std::string Note() const;

private:
    std::set<int32_t> records_;
    std::vector<std::string> numbers_;
};

// Which entries a date walk reads: `from` to `to` ("yyyy/mm/dd") in key order `key`. Entries
// whose key is not a date are set aside, except blank keys where `blankIsNoDate` (a date paid
// that was never set).
struct DateWalk {
    int key = 0;
    std::string from;
    std::string to;
    bool blankIsNoDate = false;
};

// Calls visit(record) for each entry of the range, in key order. None when every walk reached its
// end, else the class of the error that stopped it.
template <typename R>
engine::ErrorClass WalkDates(engine::RecordFile<R>& file, const DateWalk& walk,
                             UnreadableDates& unreadable,
                             const std::function<void(const R&)>& visit);

// Calls visit(record) for each entry of key order `key` whose key starts with `prefix`.
template <typename R>
engine::ErrorClass WalkPrefix(engine::RecordFile<R>& file, int key, std::string_view prefix,
                              const std::function<void(const R&)>& visit);

}  // namespace statements

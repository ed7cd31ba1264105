#include "statements/ReportScan.h"

#include <optional>

#include "base/Dates.h"
#include "base/Text.h"

namespace statements {
namespace {

constexpr size_t kNumbersNamed = 10;
// Every date key starts with a digit: keys below "0" (blank or punctuation) and from ":" on are
// no dates, and a walk of a range never meets them.
constexpr char kBelowBlankKeys[] = "!";
constexpr char kFirstDateKey[] = "0";
constexpr char kAboveDateKeys[] = ":";

bool IsDateKey(const std::string& key) {
    const std::string text = base::Trim(key);
    const std::optional<base::Date> date = base::ParseDate(text, base::DateOrder::YearFirst);
    return date && base::SortableDate(*date) == text;
}

}  // namespace

void UnreadableDates::Add(int32_t recordNumber, std::string_view invoiceNumber) {
    if (!records_.insert(recordNumber).second) return;
    if (numbers_.size() < kNumbersNamed) numbers_.push_back(base::Trim(invoiceNumber));
}

std::string UnreadableDates::Note() const {
    if (records_.empty()) return {};
    std::string note =
        std::to_string(records_.size()) + " record(s) with an unreadable date were left out: ";
    for (size_t i = 0; i < numbers_.size(); ++i) note += (i ? ", " : "") + numbers_[i];
    return note;
}

template <typename R>
engine::ErrorClass WalkDates(engine::RecordFile<R>& file, const DateWalk& walk,
                             UnreadableDates& unreadable,
                             const std::function<void(const R&)>& visit) {
    using engine::ErrorClass;
    const auto end = [](ErrorClass c) { return c == ErrorClass::Expected ? ErrorClass::None : c; };
    engine::KeyEntry<R> entry;
    ErrorClass walked = file.Search(walk.key, walk.blankIsNoDate ? kBelowBlankKeys : "", entry);
    for (; walked == ErrorClass::None && entry.key < kFirstDateKey;
         walked = file.Next(walk.key, entry))
        unreadable.Add(entry.recordNumber, entry.record.invoiceNumber());
    if (end(walked) != ErrorClass::None) return walked;

    walked = file.Search(walk.key, walk.from, entry);
    for (; walked == ErrorClass::None && base::Trim(entry.key) <= walk.to;
         walked = file.Next(walk.key, entry)) {
        if (IsDateKey(entry.key))
            visit(entry.record);
        else
            unreadable.Add(entry.recordNumber, entry.record.invoiceNumber());
    }
    if (end(walked) != ErrorClass::None) return walked;

    walked = file.Search(walk.key, kAboveDateKeys, entry);
    for (; walked == ErrorClass::None; walked = file.Next(walk.key, entry))
        unreadable.Add(entry.recordNumber, entry.record.invoiceNumber());
    return end(walked);
}

template <typename R>
engine::ErrorClass WalkPrefix(engine::RecordFile<R>& file, int key, std::string_view prefix,
                              const std::function<void(const R&)>& visit) {
    engine::KeyEntry<R> entry;
    engine::ErrorClass walked = file.Search(key, prefix, entry);
    for (; walked == engine::ErrorClass::None && entry.key.starts_with(prefix);
         walked = file.Next(key, entry))
        visit(entry.record);
    return walked == engine::ErrorClass::Expected ? engine::ErrorClass::None : walked;
}

template engine::ErrorClass WalkDates(InvoiceFile&, const DateWalk&, UnreadableDates&,
                                      const std::function<void(const records::InvoiceRecord&)>&);
template engine::ErrorClass WalkDates(
    LineFile&, const DateWalk&, UnreadableDates&,
    const std::function<void(const records::InvoiceLineRecord&)>&);
template engine::ErrorClass WalkPrefix(InvoiceFile&, int, std::string_view,
                                       const std::function<void(const records::InvoiceRecord&)>&);

}  // namespace statements

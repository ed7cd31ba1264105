#include "company/PrintQueue.h"

#include <algorithm>
#include <utility>

#include "base/Text.h"

namespace company {
namespace {

constexpr int kLineLength = 90;

// Where each column starts in a list file line (0-based) and how wide it is.
struct Column {
    size_t start;
    size_t width;
};
constexpr Column kNumber{0, 8};
constexpr Column kName{9, 35};
constexpr Column kSortCode{45, 15};
constexpr Column kType{61, 25};

std::string Cell(std::string_view line, Column column) {
    if (column.start >= line.size()) return {};
    return base::Trim(line.substr(column.start, column.width));
}

}  // namespace

void PrintQueue::Add(QueuedCustomer item) {
    items_.push_back(std::move(item));
    pending_ = true;
}

bool PrintQueue::Remove(size_t index) {
    if (index >= items_.size()) return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    pending_ = true;
    return true;
}

void PrintQueue::Sort(
    const std::function<bool(const QueuedCustomer&, const QueuedCustomer&)>& less) {
    std::stable_sort(items_.begin(), items_.end(), less);
    pending_ = true;
}

void PrintQueue::Clear() {
    items_.clear();
    pending_ = false;
}

std::string PrintQueue::AddCustomer(const records::CustomerRecord& customer) {
    Add({customer.number(), customer.name(), customer.mailListCode(), customer.customerType()});
    return customer.name() + " added to label queue.";
}

std::string QueueListText(const std::vector<QueuedCustomer>& items) {
    std::string text;
    for (const QueuedCustomer& item : items) {
        const std::string line =
            base::PadRight(item.number, 8) + ' ' + base::PadRight(item.name, 35) + ' ' +
            base::PadRight(item.sortCode, 15) + ' ' + base::PadRight(item.type, 25);
        text += base::CutTo(line, kLineLength) + "\r\n";
    }
    return text;
}

std::vector<QueuedCustomer> ReadQueueList(std::string_view text) {
    std::vector<QueuedCustomer> items;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (base::Trim(line).empty()) continue;
        items.push_back(
            {Cell(line, kNumber), Cell(line, kName), Cell(line, kSortCode), Cell(line, kType)});
    }
    return items;
}

}  // namespace company

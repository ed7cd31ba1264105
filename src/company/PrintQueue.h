#pragma once
// The print queue: the customers chosen for mailing labels, envelopes, form letters and bulk
// e-mail. It lives as long as the program; the Customer Manager and the label wizard add to it,
// and the main window warns before exit while it holds changes nobody printed or saved.
//
// Its saved form is the queue list file: one line per customer, lines ended by CR LF, the number
// padded to 8, the name to 35, the sort code to 15 and the type to 25, one blank between them
// (padding never shortens; a line is cut at 90). Columns start at 1, 10, 46 and 62.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "records/CustomerRecord.h"

namespace company {

// One queued customer; record text (Windows-1252).
struct QueuedCustomer {
    std::string number;
    std::string name;
    std::string sortCode;  // the customer's mail-list sort code
    std::string type;
    friend bool operator==(const QueuedCustomer&, const QueuedCustomer&) = default;
};

class PrintQueue {
public:
    const std::vector<QueuedCustomer>& items() const { return items_; }
    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }

    // Every change leaves the queue pending; the same customer may be queued more than once.
    void Add(QueuedCustomer item);
    // False, and nothing changed, when there is no item at `index`.
    bool Remove(size_t index);
    // Puts the items in the order `less` gives (a stable sort); the queue is then pending, as after
    // any change of the list.
    void Sort(const std::function<bool(const QueuedCustomer&, const QueuedCustomer&)>& less);
    // Empties the queue; nothing is left to lose, so it is no longer pending.
    void Clear();

    // Queues the customer's number, name, sort code and type; answers the status text
    // "<name> added to label queue." (record text).
    std::string AddCustomer(const records::CustomerRecord& customer);

    // True while the queue holds changes that were neither printed nor saved.
    bool pending() const { return pending_; }
    // The queue was printed, saved to a list file or sent by e-mail.
    void MarkSettled() { pending_ = false; }

private:
    std::vector<QueuedCustomer> items_;
    bool pending_ = false;
};

// The queue list file's text for `items`.
std::string QueueListText(const std::vector<QueuedCustomer>& items);
// The items of a queue list file's text, each column trimmed. Lines may end in CR LF or LF; a
// short line gives empty columns, and a blank line no item.
std::vector<QueuedCustomer> ReadQueueList(std::string_view text);

}  // namespace company

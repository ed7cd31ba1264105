#include "company/PrintQueue.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace company {
namespace {

TEST(PrintQueue, PendingAfterEveryChangeUntilSettledOrCleared) {
    records::CustomerRecord customer;
    customer.setNumber("17");
    customer.setName("M\xFCller & S\xF6hne");  // Windows-1252
    customer.setMailListCode("EAST");
    customer.setCustomerType("Wholesale");
    PrintQueue queue;
    EXPECT_EQ(queue.AddCustomer(customer), "M\xFCller & S\xF6hne added to label queue.");
    EXPECT_EQ(queue.items().back(),
              (QueuedCustomer{"17", "M\xFCller & S\xF6hne", "EAST", "Wholesale"}));
    const std::vector<std::tuple<std::function<void()>, size_t, bool>> steps = {
        {[&] { queue.MarkSettled(); }, 1, false},
        {[&] { queue.AddCustomer(customer); }, 2, true},  // the same customer again
        {[&] { queue.MarkSettled(); }, 2, false},
        {[&] { EXPECT_FALSE(queue.Remove(2)); }, 2, false},
        {[&] { EXPECT_TRUE(queue.Remove(0)); }, 1, true},
        {[&] { queue.Clear(); }, 0, false},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        const auto& [act, size, pending] = steps[i];
        act();
        EXPECT_EQ(queue.size(), size) << "step " << i;
        EXPECT_EQ(queue.pending(), pending) << "step " << i;
    }
}

TEST(PrintQueue, SortingKeepsEqualItemsInOrderAndLeavesTheQueuePending) {
    PrintQueue queue;
    queue.Add({"3", "Baker", "", ""});
    queue.Add({"1", "Able", "", ""});
    queue.Add({"2", "Baker", "", ""});
    queue.MarkSettled();
    queue.Sort([](const QueuedCustomer& a, const QueuedCustomer& b) { return a.name < b.name; });
    std::vector<std::string> numbers;
    for (const QueuedCustomer& item : queue.items()) numbers.push_back(item.number);
    EXPECT_EQ(numbers, (std::vector<std::string>{"1", "3", "2"}));
    EXPECT_TRUE(queue.pending());
}

TEST(PrintQueueList, LinesHaveFixedColumnsAndReadBackExactly) {
    const std::vector<QueuedCustomer> items = {
        {"12345678", std::string(35, 'N'), std::string(15, 'S'), std::string(25, 'T')},
        {"7", "Zenith Tools", "", "Retail"},
    };
    const std::string text = QueueListText(items);
    // Name at column 10, an empty sort code at 46, the type at 62, padded to 86.
    EXPECT_EQ(text.substr(88), "7" + std::string(8, ' ') + "Zenith Tools" + std::string(40, ' ') +
                                   "Retail" + std::string(19, ' ') + "\r\n");
    EXPECT_EQ(text.find("\r\n"), 86u);
    EXPECT_EQ(ReadQueueList(text), items);
}

TEST(PrintQueueList, OddLinesGiveWhatTheirColumnsHold) {
    const std::vector<std::pair<std::string, std::vector<QueuedCustomer>>> cases = {
        {"", {}},
        {"42", {{"42", "", "", ""}}},
        {"42       Ann\n", {{"42", "Ann", "", ""}}},
        {"\r\n  \r\n9        Bo\r\n\r\n", {{"9", "Bo", "", ""}}},
        {std::string(61, 'x') + std::string(25, 'T') + "overflow\r\n",
         {{"xxxxxxxx", std::string(35, 'x'), std::string(15, 'x'), std::string(25, 'T')}}},
        {std::string(62, ' ') + "Dealer", {{"", "", "", "Dealer"}}},
    };
    for (const auto& [text, items] : cases) EXPECT_EQ(ReadQueueList(text), items) << text;
}

}  // namespace
}  // namespace company

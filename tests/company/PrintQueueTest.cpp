#include "company/PrintQueue.h"

#include <gtest/gtest.h>

#include <functional>

namespace company {
namespace {

TEST(PrintQueue, PendingAfterEveryChangeUntilSettledOrCleared) {
    records::CustomerRecord customer;
    customer.setNumber("17");
    customer.setName("M\xFCller & S\xF6hne");  // Windows-1252
    customer.setMailListCode("EAST");
    customer.setCustomerType("Wholesale");

    PrintQueue queue;
    struct Step {
        const char* what;
        std::function<void()> act;
        size_t size;
        bool pending;
    };
    const std::vector<Step> steps = {
        {"add",
         [&] {
             EXPECT_EQ(queue.AddCustomer(customer), "M\xFCller & S\xF6hne added to label queue.");
         },
         1, true},
        {"settled", [&] { queue.MarkSettled(); }, 1, false},
        {"same customer again", [&] { queue.AddCustomer(customer); }, 2, true},
        {"settled again", [&] { queue.MarkSettled(); }, 2, false},
        {"remove past the end", [&] { EXPECT_FALSE(queue.Remove(2)); }, 2, false},
        {"remove", [&] { EXPECT_TRUE(queue.Remove(0)); }, 1, true},
        {"clear", [&] { queue.Clear(); }, 0, false},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(queue.size(), step.size) << step.what;
        EXPECT_EQ(queue.pending(), step.pending) << step.what;
    }
    queue.AddCustomer(customer);
    EXPECT_EQ(queue.items().back(),
              (QueuedCustomer{"17", "M\xFCller & S\xF6hne", "EAST", "Wholesale"}));
}

TEST(PrintQueueList, LinesHaveFixedColumnsAndReadBackExactly) {
    const std::vector<QueuedCustomer> items = {
        {"12345678", std::string(35, 'N'), std::string(15, 'S'), std::string(25, 'T')},
        {"7", "Zenith Tools", "", "Retail"},
        {"7", "Zenith Tools", "", "Retail"},
    };
    const std::string text = QueueListText(items);
    // Name at column 10, an empty sort code at 46, the type at 62, padded to 86.
    const std::string zenith = "7" + std::string(8, ' ') + "Zenith Tools" + std::string(40, ' ') +
                               "Retail" + std::string(19, ' ') + "\r\n";
    EXPECT_EQ(text, text.substr(0, 88) + zenith + zenith);
    EXPECT_EQ(text.find("\r\n"), 86u);
    EXPECT_EQ(ReadQueueList(text), items);
}

TEST(PrintQueueList, OddLinesGiveWhatTheirColumnsHold) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<QueuedCustomer> items;
    };
    const std::vector<Case> cases = {
        {"empty file", "", {}},
        {"number only, no line end", "42", {{"42", "", "", ""}}},
        {"name cut short, LF", "42       Ann\n", {{"42", "Ann", "", ""}}},
        {"blank lines skipped", "\r\n  \r\n9        Bo\r\n\r\n", {{"9", "Bo", "", ""}}},
        {"longer than 90",
         std::string(61, 'x') + std::string(25, 'T') + "overflow\r\n",
         {{"xxxxxxxx", std::string(35, 'x'), std::string(15, 'x'), std::string(25, 'T')}}},
        {"type ends early", std::string(62, ' ') + "Dealer\r\n", {{"", "", "", "Dealer"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadQueueList(c.text), c.items) << c.what;
}

}  // namespace
}  // namespace company

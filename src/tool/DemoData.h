#pragma once
// The sample business of `init --demo`: the company's settings, its customers and how each of
// them pays, its products and the services it bills on memo invoices. Invented names throughout.

#include <nlohmann/json.hpp>
#include <vector>

namespace tool {

// How a customer pays its invoices; the demo's payments follow it.
enum class PayingHabit {
    Prompt,   // in full within a few weeks
    Slow,     // in full, one to two months late
    Partial,  // half first, the rest a month or two later
    Late,     // slowly, and now and then not at all
    Counter,  // on the day of the invoice
    Stopped,  // stopped paying some months ago: put on credit hold at the end
    Ahead,    // pays promptly and has money on account: a credit balance
};

struct DemoCustomer {
    const char* number;
    const char* name;
    const char* type;
    const char* street;
    const char* town;
    const char* phone;
    const char* email;  // "" for none
    const char* terms;  // "" for the company's default terms
    bool taxExempt;
    const char* creditLimit;  // "" for none
    PayingHabit habit;
    int orders;                  // how often it buys, relative to the others (1 to 5)
    const char* shortName = "";  // "" for the one the program proposes from the name
};

struct DemoProduct {
    const char* code;
    const char* description;
    const char* price;
    bool taxable;
};

// Work billed as a memo invoice: what the memo says, the line's description, a typical amount.
struct DemoService {
    const char* text;
    const char* description;
    int dollars;
    bool taxable;
};

// Money a customer puts on account ahead of its orders.
struct DemoDeposit {
    const char* customer;
    int dollars;
    int daysAgo;
};

nlohmann::json DemoCompanySettings();  // the set-company line without its "op"
const std::vector<DemoCustomer>& DemoCustomers();
const std::vector<DemoProduct>& DemoProducts();
const std::vector<DemoService>& DemoServices();
const std::vector<DemoDeposit>& DemoDeposits();

}  // namespace tool

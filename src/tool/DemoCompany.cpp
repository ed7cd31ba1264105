#include "tool/DemoCompany.h"

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "base/Dates.h"
#include "base/Decimal.h"
#include "tool/DemoData.h"
#include "tool/PostLine.h"

namespace tool {
namespace {

using nlohmann::json;

constexpr std::mt19937::result_type kSeed = 1420;
constexpr int kInvoices = 300;
constexpr int kHistoryDays = 425;  // fourteen months

// A payment or deposit the customer makes on a later day.
struct Due {
    size_t customer;
    std::string invoice;  // empty for a deposit on account
    base::Decimal amount;
    bool partial;  // pays part of the invoice, the rest stays open
};

class DemoPoster {
public:
    explicit DemoPoster(PostSession& session)
        : session_(session), today_(base::DayNumber(session.clock.Today())) {}

    DemoOutcome Run() {
        const auto& customers = DemoCustomers();
        bool ok = Post(DemoCompanySettings(), "set-company");
        for (size_t i = 0; ok && i < customers.size(); ++i) ok = AddCustomer(customers[i]);
        for (const DemoProduct& p : DemoProducts()) {
            ok = ok && Post({{"code", p.code},
                             {"description", p.description},
                             {"price", p.price},
                             {"taxable", p.taxable}},
                            "add-product");
            outcome_.summary.products += ok;
        }
        ScheduleDeposits();
        std::vector<double> orders;
        for (const DemoCustomer& c : customers) orders.push_back(c.orders);
        std::discrete_distribution<size_t> pickCustomer(orders.begin(), orders.end());
        for (const long day : InvoiceDays()) {
            ok = ok && PayDueUntil(day - 1) && AddInvoice(pickCustomer(random_), day);
        }
        // No aging run: every posting already filed its amount by age, and the program's first
        // daily aging, on opening the company, is the one that shows the aging chart.
        ok = ok && PayDueUntil(today_) && PutStoppedCustomerOnHold();
        return outcome_;
    }

private:
    // Runs one operation through the line runner of `post`; false, with the failure kept, when
    // it is refused.
    bool Post(json fields, const char* op, json* results = nullptr) {
        nlohmann::ordered_json line = {{"op", op}};  // named first, as a script writes it
        for (const auto& [field, value] : fields.items()) line[field] = value;
        const std::string text = line.dump();
        const PostReply reply = RunPostLine(text, session_);
        if (!reply.ok) {
            outcome_.failure = "the line " + text + " was refused: " + reply.message;
            return false;
        }
        if (results) *results = json::parse(reply.results.dump());
        return true;
    }

    // In the company's date format, "M".
    std::string DateText(long day) const {
        return base::FormatDate(base::DateFromDayNumber(day), base::DateOrder::MonthFirst);
    }

    int Between(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }

    bool AddCustomer(const DemoCustomer& c) {
        json fields = {{"number", c.number},
                       {"name", c.name},
                       {"type", c.type},
                       {"address", {c.street, c.town}},
                       {"phone1", c.phone}};
        if (*c.shortName) fields["short_name"] = c.shortName;
        if (*c.email) fields["email"] = c.email;
        if (*c.terms) fields["terms"] = c.terms;
        if (c.taxExempt) fields["tax_exempt"] = "Y";
        if (*c.creditLimit) fields["credit_limit"] = c.creditLimit;
        if (!Post(fields, "add-customer")) return false;
        outcome_.summary.customers++;
        return true;
    }

    // The invoice days, oldest first: working days spread over the history.
    std::vector<long> InvoiceDays() {
        std::vector<long> days;
        for (int i = 0; i < kInvoices; ++i) {
            long day = today_ - Between(0, kHistoryDays);
            const int weekday = base::DayOfWeek(base::DateFromDayNumber(day));
            // A weekend's order is written up on the Friday before.
            if (weekday == 0) day -= 2;
            if (weekday == 6) day -= 1;
            days.push_back(day);
        }
        std::sort(days.begin(), days.end());
        return days;
    }

    void ScheduleDeposits() {
        const auto& customers = DemoCustomers();
        for (const DemoDeposit& deposit : DemoDeposits()) {
            const auto c =
                std::find_if(customers.begin(), customers.end(), [&](const DemoCustomer& x) {
                    return std::string_view(x.number) == deposit.customer;
                });
            dues_[today_ - deposit.daysAgo].push_back(
                {static_cast<size_t>(c - customers.begin()), "",
                 base::Decimal::FromInteger(deposit.dollars), false});
        }
    }

    json ProductLines() {
        const auto& products = DemoProducts();
        json lines = json::array();
        std::vector<size_t> chosen;
        for (int n = Between(1, 4); n > 0; --n) {
            const size_t p = static_cast<size_t>(Between(0, static_cast<int>(products.size()) - 1));
            if (std::find(chosen.begin(), chosen.end(), p) != chosen.end()) continue;
            chosen.push_back(p);
            const base::Decimal price = base::Decimal::ParseOrZero(products[p].price);
            const int quantity = price >= base::Decimal::FromInteger(150)  ? Between(1, 2)
                                 : price >= base::Decimal::FromInteger(50) ? Between(1, 4)
                                                                           : Between(2, 12);
            lines.push_back({{"code", products[p].code},
                             {"quantity", std::to_string(quantity)},
                             {"description", products[p].description},
                             {"price", products[p].price},
                             {"taxed", products[p].taxable}});
        }
        if (Between(1, 8) == 1) lines.push_back({{"comment", "Delivered to the dock office"}});
        return lines;
    }

    // A service billed on a memo invoice; its total, known before the posting.
    base::Decimal AddMemo(json& fields, const DemoCustomer& customer) {
        const auto& services = DemoServices();
        const DemoService& s =
            services[static_cast<size_t>(Between(0, static_cast<int>(services.size()) - 1))];
        const base::Decimal net = base::Decimal::FromInteger(s.dollars * Between(80, 130) / 100);
        const base::Decimal tax =
            s.taxable && !customer.taxExempt ? (net * taxRate_).Rounded(2) : base::Decimal();
        fields["form"] = "M";
        fields["memo"] = {{"text", s.text},
                          {"description", s.description},
                          {"quantity", "1"},
                          {"net", net.Format("0.00")},
                          {"tax", tax.Format("0.00")}};
        return net + tax;
    }

    bool AddInvoice(size_t c, long day) {
        const DemoCustomer& customer = DemoCustomers()[c];
        json fields = {{"customer", customer.number}, {"date", DateText(day)}};
        const bool memo = Between(1, 4) == 1;
        bool paidNow = false;
        if (memo) {
            const base::Decimal total = AddMemo(fields, customer);
            // At the counter a service is paid as it is written up.
            paidNow = customer.habit == PayingHabit::Counter;
            if (paidNow) fields["paid"] = total.Format("0.00");
        } else {
            fields["lines"] = ProductLines();
        }
        json posted;
        if (!Post(fields, "add-invoice", &posted)) return false;
        outcome_.summary.invoices++;
        if (!paidNow)
            SchedulePayment(c, day, posted["number"].get<std::string>(),
                            base::Decimal::ParseOrZero(posted["total"].get<std::string>()));
        return true;
    }

    // When and how the customer pays the invoice, by its habit; a day after today never comes,
    // so the invoice stays open.
    void SchedulePayment(size_t c, long day, const std::string& number, base::Decimal total) {
        const auto full = [&](long when) { dues_[when].push_back({c, number, total, false}); };
        switch (DemoCustomers()[c].habit) {
            case PayingHabit::Prompt:
                return full(day + Between(12, 40));
            case PayingHabit::Ahead:
                return full(day + Between(5, 20));
            case PayingHabit::Slow:
                return full(day + Between(40, 85));
            case PayingHabit::Counter:
                return full(day);
            case PayingHabit::Late:
                if (Between(1, 5) > 1) full(day + Between(30, 95));
                return;
            case PayingHabit::Stopped:
                if (today_ - day > 210) full(day + Between(20, 45));
                return;
            case PayingHabit::Partial: {
                const base::Decimal first = (total * base::Decimal::ParseOrZero("0.5")).Rounded(0);
                if (first.IsZero() || first >= total) return full(day + Between(20, 40));
                dues_[day + Between(20, 40)].push_back({c, number, first, true});
                dues_[day + Between(55, 110)].push_back({c, number, total - first, false});
                return;
            }
        }
    }

    // Posts the payments due up to `last`, one per customer and day, as one check pays several
    // invoices.
    bool PayDueUntil(long last) {
        while (!dues_.empty() && dues_.begin()->first <= last) {
            const auto [day, dues] = *dues_.begin();
            dues_.erase(dues_.begin());
            std::map<size_t, std::vector<Due>> byCustomer;
            for (const Due& due : dues) byCustomer[due.customer].push_back(due);
            for (const auto& [c, paid] : byCustomer)
                if (!PostPayment(c, day, paid)) return false;
        }
        return true;
    }

    bool PostPayment(size_t c, long day, const std::vector<Due>& paid) {
        const DemoCustomer& customer = DemoCustomers()[c];
        json items = json::array();
        base::Decimal amount;
        for (const Due& due : paid) {
            amount += due.amount;
            if (due.invoice.empty())
                items.push_back({{"deposit", due.amount.Format("0.00")}});
            else if (due.partial)
                items.push_back({{"invoice", due.invoice}, {"partial", due.amount.Format("0.00")}});
            else
                items.push_back({{"invoice", due.invoice}});
        }
        const std::string note = customer.habit == PayingHabit::Counter
                                     ? std::string("Cash")
                                     : "Check " + std::to_string(Between(1001, 9899));
        if (!Post({{"customer", customer.number},
                   {"date", DateText(day)},
                   {"amount", amount.Format("0.00")},
                   {"note", note},
                   {"items", items}},
                  "payment"))
            return false;
        outcome_.summary.payments++;
        return true;
    }

    bool PutStoppedCustomerOnHold() {
        for (const DemoCustomer& c : DemoCustomers())
            if (c.habit == PayingHabit::Stopped &&
                !Post({{"number", c.number},
                       {"credit_hold", true},
                       {"notes", "No payment in months: on hold until the account is current."}},
                      "edit-customer"))
                return false;
        return true;
    }

    PostSession& session_;
    const long today_;
    const base::Decimal taxRate_ =
        base::Decimal::ParseOrZero(DemoCompanySettings()["tax_rate"].get<std::string>()) *
        base::Decimal::ParseOrZero("0.01");
    std::mt19937 random_{kSeed};
    std::map<long, std::vector<Due>> dues_;  // by day number
    DemoOutcome outcome_;
};

}  // namespace

DemoOutcome PostDemoCompany(PostSession& session) {
    return DemoPoster(session).Run();
}

}  // namespace tool

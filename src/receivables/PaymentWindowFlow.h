#pragma once
// The Payment Wizard's commands and rules: choosing the customer reads the open items into a
// PaymentSheet, typed amounts and moves go to the sheet with its refusals shown, the amount dialog
// is asked for partial payments and deposits, and Post hands the right list to PostPayment. The
// window gathers what was typed and shows the verdicts.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "receivables/PaymentPosting.h"
#include "receivables/PaymentSheet.h"
#include "records/CustomerRecord.h"

namespace receivables {

// Takes the amount typed (Windows-1252); the refusal to show, or nothing when it was taken.
using AmountCheck = std::function<std::optional<PaymentNotice>(const std::string& amount)>;
// Asks for an amount under `caption` for the item described by `item` (Windows-1252); true when
// OK passed `check`.
using AmountDialog =
    std::function<bool(const std::string& caption, const std::string& item, const AmountCheck&)>;

// What the flow works on, handed through the window by whoever makes it.
struct PaymentServices {
    engine::Engine& engine;
    base::PromptService& prompts;
    company::ProgramState& state;
    const base::Clock& clock;
};

// What the window shows when it opens, and again for a newly chosen customer (caption aside).
struct PaymentForm {
    std::string caption;  // Windows-1252
    bool yearFirstDate = false;
    std::string date;    // today in the company's date order
    std::string amount;  // the amount received the sheet starts with
};

enum class CustomerChoice {
    Unchanged,  // nobody was chosen
    Refused,    // the customer's open items could not be read; the reason has been shown
    Chosen,
};

struct AmountVerdict {
    bool refused = false;      // the refusal has been shown
    bool leftChanged = false;  // the amount moved the open items across
};

struct PostVerdict {
    std::optional<PostedPayment> posted;
    bool badDate = false;  // refused for the payment date, which the user should put right
};

class PaymentWindowFlow {
public:
    PaymentWindowFlow(PaymentServices services, AmountDialog amountDialog);

    // The window opens on the current company: no customer, empty lists.
    PaymentForm Start();
    // What the window shows now; a newly chosen customer starts from it too.
    PaymentForm Form() const;
    // The customer picked with "Select Customer..."; a blank pick changes nothing.
    CustomerChoice SelectCustomer(std::optional<records::CustomerRecord> picked);
    // The calendar, shown on the date typed when it is one; the date chosen as text.
    std::optional<std::string> ChooseDate(const std::string& typed);
    AmountVerdict ChangeAmount(const std::string& typed);
    // Moves between the lists; false when refused, with the reason shown.
    bool Include(const std::vector<int>& rows);
    bool IncludeAll();
    bool Exclude(const std::vector<int>& rows);
    bool ExcludeAll();
    // Whether the left line at `row` may be paid in part, so the button is offered.
    bool MayPayPartly(int row) const { return sheet_.MayPayPartly(row); }
    // True when the amount dialog paid part of the left line at `row`.
    bool PartialPayment(int row);
    // True when the amount dialog added a deposit dated `date` (as typed).
    bool DepositOnAccount(const std::string& date);
    PostVerdict Post(const std::string& date, const std::string& note);

    const std::optional<records::CustomerRecord>& customer() const { return customer_; }
    const PaymentSheet& sheet() const { return sheet_; }

private:
    bool Shown(const std::optional<PaymentNotice>& refusal, base::PromptIcon icon);

    PaymentServices services_;
    AmountDialog amountDialog_;
    std::optional<records::CustomerRecord> customer_;
    PaymentSheet sheet_;
};

}  // namespace receivables

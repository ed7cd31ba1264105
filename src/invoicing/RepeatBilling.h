#pragma once
// Repeat billing on a company's open invoice files: an invoice made a repeat master (or a
// master's schedule changed), the masters due through a date, and the invoices generated from
// them. Every change is one receivables::Posting: a master made from an invoice leaves the
// balances with its open amount in one posting; each generated invoice is written with its lines,
// memo, the master's advance, the customer's move and the company's total in one posting, so a
// failed one leaves nothing behind and the run goes on with the next master.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "base/Decimal.h"
#include "company/ProgramState.h"
#include "invoicing/InvoiceFiles.h"
#include "invoicing/RepeatSchedule.h"

namespace invoicing {

inline constexpr char kRepeatBillingsCaption[] = "Repeat Billings";

// What the Repeat Invoice Setup dialog shows for a record that passed the guards.
struct RepeatSetupView {
    std::string number;
    std::string date;  // the invoice date as stored (the company's date order)
    std::string shortName;
    std::string customer;
    bool master = false;  // already a master: the box is ticked and cannot be unticked
    RepeatScheduleEntry schedule;
    int count = 0;  // "Invoices Generated to Date: " shown when above 0
};

// The guards of "&Repeat Billing Setup" in their order (payments on the invoice, a type other
// than "I" or "R", a number longer than 5 characters), each refusal shown; otherwise the dialog's
// values: a master's schedule, or for an invoice every 1 month from its date.
std::optional<RepeatSetupView> OpenRepeatSetup(const records::InvoiceRecord& record,
                                               const records::CompanyRecord& company,
                                               base::PromptService& prompts);

// A master due through the search date, as the wizard lists it.
struct DueMaster {
    std::string number;
    std::string shortName;
    base::Decimal total;
    std::string nextDue;  // in the company's date order
    std::string customer;
    int count = 0;
    // Number (9), short name (10), total (13, right-aligned), next due, customer (9) and count (5,
    // right-aligned), one blank between them.
    std::string ListLine() const;
};

struct RepeatSearch {
    std::vector<DueMaster> masters;
    base::Decimal total;
    std::string status;  // "There are 3 invoices selected totaling 1,250.00."
};

struct RepeatRunOptions {
    base::Date invoiceDate;
    std::string comments;  // "Billing Reference/Comments:"
    // Whether masters already billed on the invoice date are billed again; unset: the user is
    // asked (No skips them).
    std::optional<bool> again;
    // Called after each master, with how many are done.
    std::function<void(size_t done)> progress;
};

struct RepeatRunResult {
    std::vector<std::string> generated;  // the new numbers in order
    int monthly = 0;
    int daily = 0;
    base::Decimal total;
    int skipped = 0;  // already billed on the invoice date, not billed again
    int failed = 0;   // refused or undone, each reported
    // "3 invoices were generated. 2 Monthly Setups and 1 Daily Setups."
    std::string Summary() const;
};

class RepeatBilling {
public:
    // `files` are open and stay so; each posting takes the company and customer files besides.
    RepeatBilling(InvoiceFiles& files, company::ProgramState& state, const base::Clock& clock);

    // The record `stored` becomes a master with `schedule`, or a master's schedule changes. The
    // record is compared with the stored one, so a record changed since it was read is refused.
    // Nothing, with the reason shown and nothing written, when it failed.
    std::optional<StoredInvoice> Setup(const StoredInvoice& stored, const RepeatSchedule& schedule);

    // The masters (key 5 from "R") due on or before `through`, in key order. A master whose next
    // due date does not read is left out and named in a message. Nothing when the walk failed.
    std::optional<RepeatSearch> Search(const base::Date& through);

    // One invoice from each listed master, in order; the summary is shown at the end.
    RepeatRunResult Generate(const std::vector<DueMaster>& listed, const RepeatRunOptions& options);

private:
    // Whether `master`'s last generated invoice carries the invoice date `sortable`.
    bool BilledOn(const records::InvoiceRecord& master, const std::string& sortable);
    std::optional<StoredInvoice> Master(std::string_view number);
    // One master's invoice; its number when it was posted.
    std::optional<std::string> GenerateOne(const StoredInvoice& master,
                                           const RepeatRunOptions& options);
    void Report(std::string_view text);
    std::vector<engine::BlockFile*> Blocks();

    InvoiceFiles& files_;
    company::ProgramState& state_;
    const base::Clock& clock_;
};

}  // namespace invoicing

#pragma once
// Interest and late fees: the Interest Wizard's settings (and the ones the company keeps from its
// last run), the charge of one customer, the scan over the customers' overdue amounts and the
// interest invoices. Each customer's invoice (its record, its one "Interest" line, the customer's
// move, the company's total and next invoice number) is one receivables::Posting: a failed one
// leaves nothing behind, is reported with the customer and the run goes on.

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/Clock.h"
#include "base/Decimal.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "invoicing/InvoiceFiles.h"
#include "records/CompanyRecord.h"

namespace invoicing {

inline constexpr char kInterestCaption[] = "Interest Wizard";

// The wizard's values as typed. `over` is the aging limit (1, 2 or 3) the overdue amounts are
// over: categories 2 to 4, 3 and 4, or 4.
struct InterestSettings {
    int over = 1;
    std::string rate = "1.50";      // "Monthly Percentage Rate:"
    std::string minimum = ".10";    // "Minimum Interest Charge:"
    bool flat = false;              // "Use Flat Fee for Charges"
    std::string flatRate = "0.00";  // "Flat Rate:"
    std::string date;               // "Invoice Date:" in the company's date order
    std::string comments = "Interest Charges";
    std::string statementNote = "Interest Charges";
    std::string terms;
    bool markPrinted = false;
};

// The settings the window opens with: the company's stored ones (the defaults where a stored
// value is shorter than 2 characters), the invoice date `today`.
InterestSettings StoredInterestSettings(const records::CompanyRecord& company,
                                        const std::string& today);

// "Over 30 Days": the caption of the choice `over` (1, 2 or 3) with the company's aging limit.
std::string OverCaption(const records::CompanyRecord& company, int over);

// "Last Interest Invoices: 11/30/2026"
std::string LastInterestRunText(const records::CompanyRecord& company);

// The amounts of a run read from the settings.
struct InterestRates {
    base::Decimal rate;     // percent per month
    base::Decimal minimum;  // a charge below it is not made (0 with a flat fee)
    std::optional<base::Decimal> flat;
};

enum class InterestField { Rate, Minimum, FlatRate, Date };

struct InterestFailure {
    std::string caption;
    std::string text;
    InterestField field = InterestField::Rate;
};

// The flat rate's own check as it is typed: a "-" or text that is not a number; nothing when it
// is fine.
std::optional<InterestFailure> CheckFlatRate(std::string_view typed);

// The checks of "Scan File": the rate and minimum numbers of at most 3 decimals (never read as 0
// when they are not), or with the flat fee a flat rate above 0.
std::variant<InterestRates, InterestFailure> ReadInterestRates(const InterestSettings& settings);

// The charge on an overdue amount: the flat fee, or rate % of it rounded half away from zero to
// cents. Nothing when no charge is made: nothing overdue, or a charge below the minimum.
std::optional<base::Decimal> InterestCharge(base::Decimal overdue, const InterestRates& rates);

// The overdue amount of a customer: the sum of its stored aging categories over limit `over`.
base::Decimal OverdueAmount(const records::CustomerRecord& customer, int over);

struct InterestRow {
    std::string customer;
    std::string name;
    base::Decimal overdue;
    base::Decimal charge;
    std::string invoice;  // after Generate: the invoice made, empty when none was
};

struct InterestScan {
    std::vector<InterestRow> rows;
    base::Decimal overdueTotal;
    base::Decimal chargeTotal;
};

struct InterestRun {
    bool refused = false;  // nothing was tried: not to run again, a bad date or number
    std::string refusal;   // the question a run for the same date was refused by
    int created = 0;
    base::Decimal total;
    std::vector<InterestRow> rows;  // the scanned rows with the invoices made
};

class InterestCharges {
public:
    InterestCharges(engine::Engine& engine, base::PromptService& prompts,
                    company::ProgramState& state, const base::Clock& clock);

    // Every customer (by number) with a charge. When the company was last aged before today the
    // aging runs first, so an amount that became overdue since is counted. With no customer
    // charged, "No records were found." is shown. Nothing, with the reason shown, when that aging
    // did not complete or the customers could not be read.
    std::optional<InterestScan> Scan(const InterestRates& rates, int over);

    // The interest invoices of `scan` dated by `settings`, numbered from the company's next
    // number + "I". When the company's last run carries the same invoice date the user is asked
    // first, unless `again` decides. The settings are stored with each invoice. `files` are open
    // (the scan runs while they are closed: its aging reads the invoice file).
    InterestRun Generate(InvoiceFiles& files, const InterestScan& scan,
                         const InterestSettings& settings, std::optional<bool> again);

private:
    bool Refuse(std::string_view caption, std::string_view text);
    std::optional<std::string> ChargeOne(InvoiceFiles& files, const InterestRow& row,
                                         const InterestSettings& settings, const base::Date& date);

    engine::Engine& engine_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    const base::Clock& clock_;
};

}  // namespace invoicing

#include "invoicing/InterestCharges.h"

#include "base/Dates.h"
#include "base/Text.h"
#include "invoicing/InvoiceNumbers.h"
#include "receivables/Aging.h"
#include "receivables/AgingRun.h"
#include "receivables/Posting.h"
#include "receivables/PostingWrites.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"

namespace invoicing {
namespace {

using receivables::AddRecord;

constexpr char kInterestCode[] = "Interest";
constexpr char kLineText[] = "Interest Charges";
constexpr char kZero[] = "0.00";
constexpr int kStoredAmountLength = 5;  // the rate and the minimum as the company keeps them
constexpr int kFlatRateLength = 6;
constexpr int kMostDecimals = 3;
constexpr int kDefaultsBelow = 2;  // a stored value shorter than this gives the default
constexpr char kCategoryCodes[] = "369";

std::string Stored(std::string_view text, const std::string& fallback) {
    const std::string trimmed = base::Trim(text);
    return trimmed.size() < kDefaultsBelow ? fallback : trimmed;
}

// A typed amount of at most 3 decimals and `maxLength` characters, not negative.
std::optional<base::Decimal> SmallAmount(std::string_view typed,
                                         size_t maxLength = kStoredAmountLength) {
    const std::string text = base::Trim(typed);
    const size_t point = text.find('.');
    if (text.size() > maxLength || text.find('-') != std::string::npos ||
        (point != std::string::npos && text.size() - point - 1 > kMostDecimals))
        return std::nullopt;
    return base::Decimal::Parse(text);
}

// The next invoice number `next` cannot number interest invoices: not a whole number, or its
// "I" number or the number after it would not fit.
bool UnusableNextNumber(const std::string& next) {
    return NextInvoiceNumber(next, false, "").empty() || next.size() + 1 > kNumberWidth;
}

std::string UnusableNextNumberText(const std::string& next) {
    return "The next invoice number " + next +
           " is not a whole number that leaves room for the \"I\" of an interest invoice. "
           "Change it in the company settings.";
}

base::DateOrder OrderOf(const records::CompanyRecord& company) {
    return base::EntryDateOrder(company.dateFormat());
}

}  // namespace

InterestSettings StoredInterestSettings(const records::CompanyRecord& company,
                                        const std::string& today) {
    InterestSettings settings;
    const std::string_view codes = kCategoryCodes;
    const std::string category = base::Trim(company.interestCategory());
    const size_t over = category.size() == 1 ? codes.find(category[0]) : std::string::npos;
    settings.over = over == std::string::npos ? 1 : static_cast<int>(over) + 1;
    settings.rate = Stored(company.interestMonthlyRate(), settings.rate);
    settings.minimum = Stored(company.interestMinimumCharge(), settings.minimum);
    settings.terms = base::Trim(company.interestTerms());
    settings.markPrinted = company.interestMarkPrinted();
    settings.date = today;
    return settings;
}

std::string OverCaption(const records::CompanyRecord& company, int over) {
    const std::string limits[] = {company.agingDays1(), company.agingDays2(), company.agingDays3()};
    return "Over " + base::Trim(limits[std::clamp(over, 1, 3) - 1]) + " Days";
}

std::string LastInterestRunText(const records::CompanyRecord& company) {
    return "Last Interest Invoices: " + base::Trim(company.lastInterestRunDate());
}

std::optional<InterestFailure> CheckFlatRate(std::string_view typed) {
    if (typed.find('-') != std::string_view::npos)
        return InterestFailure{"Flat Rate Amount",
                               "You should not enter a negative number in the flat rate box.",
                               InterestField::FlatRate};
    if (!base::Trim(typed).empty() && !SmallAmount(typed, kFlatRateLength))
        return InterestFailure{"Invalid Flat Rate Amount", "The flat rate must be a numeric value.",
                               InterestField::FlatRate};
    return std::nullopt;
}

std::variant<InterestRates, InterestFailure> ReadInterestRates(const InterestSettings& settings) {
    InterestRates rates;
    if (settings.flat) {
        if (auto failure = CheckFlatRate(settings.flatRate)) return *failure;
        const std::string typed = base::Trim(settings.flatRate);
        const base::Decimal flat =
            SmallAmount(typed.empty() ? kZero : typed, kFlatRateLength).value_or(base::Decimal());
        if (flat.IsZero())
            return InterestFailure{"Flat Rate Fee", "No flat rate is specified.",
                                   InterestField::FlatRate};
        rates.flat = flat;
        return rates;
    }
    const auto rate = SmallAmount(settings.rate);
    if (!rate)
        return InterestFailure{kInterestCaption,
                               "The monthly percentage rate must be a number with at most 3 "
                               "decimals, such as 1.50.",
                               InterestField::Rate};
    const auto minimum = SmallAmount(settings.minimum);
    if (!minimum)
        return InterestFailure{kInterestCaption,
                               "The minimum interest charge must be a number with at most 3 "
                               "decimals, such as 0.10.",
                               InterestField::Minimum};
    rates.rate = *rate;
    rates.minimum = *minimum;
    return rates;
}

std::optional<base::Decimal> InterestCharge(base::Decimal overdue, const InterestRates& rates) {
    if (overdue <= base::Decimal()) return std::nullopt;
    const base::Decimal charge =
        rates.flat ? *rates.flat
                   : (rates.rate * overdue * *base::Decimal::Parse("0.01")).Rounded(2);
    if (charge <= base::Decimal() || charge < rates.minimum) return std::nullopt;
    return charge;
}

base::Decimal OverdueAmount(const records::CustomerRecord& customer, int over) {
    const base::Decimal categories[] = {customer.aging2Amount(), customer.aging3Amount(),
                                        customer.aging4Amount()};
    base::Decimal overdue;
    for (int category = std::clamp(over, 1, 3); category <= 3; ++category)
        overdue += categories[category - 1];
    return overdue;
}

InterestCharges::InterestCharges(engine::Engine& engine, base::PromptService& prompts,
                                 company::ProgramState& state, const base::Clock& clock)
    : engine_(engine), prompts_(prompts), state_(state), clock_(clock) {}

bool InterestCharges::Refuse(std::string_view caption, std::string_view text) {
    prompts_.Message(caption, text, base::PromptIcon::Error, base::PromptButtons::Ok);
    return false;
}

std::optional<InterestScan> InterestCharges::Scan(const InterestRates& rates, int over) {
    // Stale categories would charge what is no longer overdue and miss what has become so.
    if (state_.AgingDue() &&
        !receivables::CalculateAging(engine_, prompts_, state_, clock_, false).completed)
        return std::nullopt;
    receivables::CustomerFile customers(
        engine_,
        records::RecordTypeOf(records::RecordKind::Customer).Describe(state_.currentCompany.code()),
        prompts_);
    if (!customers.Open()) {
        Refuse(engine::kProgramCaption,
               "Unable to open databases: " + std::to_string(engine_.error()));
        return std::nullopt;
    }
    InterestScan scan;
    constexpr int kNumberKey = 1;
    const engine::ErrorClass outcome =
        customers.ForEach(kNumberKey, [&](const receivables::CustomerEntry& entry) {
            const base::Decimal overdue = OverdueAmount(entry.record, over);
            const auto charge = InterestCharge(overdue, rates);
            if (!charge) return;
            scan.rows.push_back({base::Trim(entry.record.number()),
                                 base::Trim(entry.record.name()),
                                 overdue,
                                 *charge,
                                 {}});
            scan.overdueTotal += overdue;
            scan.chargeTotal += *charge;
        });
    const int32_t error = engine_.error();
    (void)customers.Close();
    if (outcome != engine::ErrorClass::None) {
        Refuse(engine::kProgramCaption,
               "The customer file cannot be read: " + std::to_string(error));
        return std::nullopt;
    }
    if (scan.rows.empty()) prompts_.Inform(kInterestCaption, "No records were found.");
    return scan;
}

InterestRun InterestCharges::Generate(InvoiceFiles& files, const InterestScan& scan,
                                      const InterestSettings& settings, std::optional<bool> again) {
    InterestRun run;
    run.rows = scan.rows;
    const records::CompanyRecord& company = state_.currentCompany;
    const auto date = base::ParseDate(settings.date, OrderOf(company));
    if (!date) {
        prompts_.Message("Invoice Date",
                         "You have an invalid invoice date. You can clear the date and then select "
                         "the calendar button.",
                         base::PromptIcon::Warning, base::PromptButtons::Ok);
        run.refused = true;
        return run;
    }
    const std::string dateText = base::FormatDate(*date, OrderOf(company));
    if (base::Trim(company.lastInterestRunDate()) == dateText) {
        const std::string question =
            "Interest invoices dated " + dateText + " were already generated. Generate them again?";
        const bool yes = again ? *again
                               : prompts_.MessageWithDefault(
                                     kInterestCaption, question, base::PromptIcon::Question,
                                     base::PromptButtons::YesNo,
                                     base::PromptAnswer::No) == base::PromptAnswer::Yes;
        if (!yes) {
            run.refused = true;
            run.refusal = question;
            return run;
        }
    }
    if (!receivables::ReadAgingLimits(company)) {
        Refuse(receivables::kAgingCaption, receivables::kBadAgingDaysText);
        run.refused = true;
        return run;
    }
    const std::string next = base::Trim(company.nextInvoiceNumber());
    if (UnusableNextNumber(next)) {
        Refuse(kInterestCaption, UnusableNextNumberText(next));
        run.refused = true;
        return run;
    }
    for (InterestRow& row : run.rows) {
        const auto number = ChargeOne(files, row, settings, *date);
        if (!number) {
            Refuse(kInterestCaption,
                   "No interest invoice was made for customer " + row.customer + ".");
            continue;
        }
        row.invoice = *number;
        ++run.created;
        run.total += row.charge;
    }
    return run;
}

std::optional<std::string> InterestCharges::ChargeOne(InvoiceFiles& files, const InterestRow& row,
                                                      const InterestSettings& settings,
                                                      const base::Date& date) {
    receivables::Posting posting(engine_, prompts_, state_, clock_);
    if (!posting.Begin("charging interest to customer " + row.customer,
                       {&files.invoices().block(), &files.lines().block()}))
        return std::nullopt;
    // The next number as the company file holds it now: another desk may have moved it.
    const std::string next =
        base::Trim(posting.StoredCompany().value_or(state_.currentCompany).nextInvoiceNumber());
    if (UnusableNextNumber(next)) {
        Refuse(kInterestCaption, UnusableNextNumberText(next));
        return std::nullopt;
    }
    const std::string following = NextInvoiceNumber(next, false, "");
    const std::string number = next + "I";
    if (files.FindInvoice(number)) {
        Refuse(kInterestCaption, "Invoice " + number + " is already on file.");
        return std::nullopt;
    }
    const auto customer = posting.FindCustomer(row.customer);
    if (!customer) {
        Refuse(kInterestCaption, "Customer " + row.customer + " is not on file.");
        return std::nullopt;
    }
    const std::string charge = row.charge.Format("0.00");
    const records::CompanyRecord& company = state_.currentCompany;
    const std::string dateText = base::FormatDate(date, OrderOf(company));

    records::InvoiceRecord header;
    header.setInvoiceNumber(number);
    header.setTypeCode(records::type::kRegularInvoice);
    if (settings.markPrinted) header.setPrinted("Y");
    header.setDocumentDate(dateText, date);
    header.setNotes(settings.comments);
    header.setTerms(settings.terms);
    header.setStatementNote(settings.statementNote);
    header.setCustomerNumber(customer->record.number());
    header.setShortName(customer->record.shortName());
    header.setKeyCode(kInterestCode);
    header.setNet(charge);
    header.setTax(kZero);
    header.setTotal(charge);
    header.setPaid(kZero);
    header.setBalanceDue(charge);
    header.setCompanyCode(files.companyCode());
    header.setForm(records::form::kProduct);

    records::InvoiceLineRecord line;
    line.setColumns({"1", kLineText, charge, "N", charge});
    line.setKind(records::form::kProduct);
    line.setCompanyCode(files.companyCode());
    line.setInvoiceNumber(number);
    line.setInvoiceDate(base::SortableDate(date));
    line.setProductCode(kInterestCode);
    line.setCustomerNumber(customer->record.number());
    line.setShortName(customer->record.shortName());

    receivables::AgingSums delta;
    delta.Add(row.charge, base::WholeDaysSince(date, clock_.Now()),
              *receivables::ReadAgingLimits(company));
    const std::string category(1, kCategoryCodes[std::clamp(settings.over, 1, 3) - 1]);
    receivables::PostingLog& log = posting.log();
    if (!AddRecord(log, "Add Late Fee Failed.", files.invoices(), header) ||
        !AddRecord(log, "TDtl add failed.", files.lines(), line) ||
        !posting.MoveBalance(row.customer, delta,
                             [&number](records::CustomerRecord& stamped) {
                                 stamped.setLastInvoiceNumber(number);
                                 return true;
                             }) ||
        !posting.ChangeCompany([&](records::CompanyRecord& stored) {
            stored.setNextInvoiceNumber(following);
            stored.setLastInvoiceNumber(next);
            stored.setLastInterestRunDate(dateText);
            stored.setInterestCategory(category);
            stored.setInterestMonthlyRate(base::Trim(settings.rate));
            stored.setInterestMinimumCharge(base::Trim(settings.minimum));
            stored.setInterestMarkPrinted(settings.markPrinted);
            stored.setInterestTerms(settings.terms);
            return true;
        }) ||
        !posting.Commit())
        return std::nullopt;
    return number;
}

}  // namespace invoicing

#include "invoicing/RepeatBilling.h"

#include "base/Dates.h"
#include "base/Text.h"
#include "invoicing/InvoiceRecords.h"
#include "receivables/Aging.h"
#include "receivables/Posting.h"
#include "receivables/PostingWrites.h"
#include "records/TransactionType.h"

namespace invoicing {
namespace {

using receivables::AddRecord;
using receivables::ReplaceRecord;
using records::InvoiceRecord;

constexpr int kTypeNumberKey = 5;
constexpr char kBlank[] = " ";
constexpr char kZero[] = "0.00";
constexpr char kNotBilled[] = " was not billed.";
// Wide enough for the largest amount (",0.00" of ten characters) and for its heading.
constexpr int kTotalWidth = 13;

bool IsType(const InvoiceRecord& record, const char* type) {
    return base::Trim(record.typeCode()) == type;
}

base::DateOrder OrderOf(const records::CompanyRecord& company) {
    return base::EntryDateOrder(company.dateFormat());
}

std::string Shown(const base::Decimal amount) {
    return amount.Format(",0.00");
}

std::string MasterOf(std::string_view number, std::string_view customer) {
    return "Master " + base::Trim(number) + " of customer " + base::Trim(customer);
}

std::string JoinedNumbers(const std::vector<std::string>& numbers) {
    std::string joined;
    for (const std::string& number : numbers) joined += (joined.empty() ? "" : ", ") + number;
    return joined;
}

}  // namespace

std::optional<RepeatSetupView> OpenRepeatSetup(const InvoiceRecord& record,
                                               const records::CompanyRecord& company,
                                               base::PromptService& prompts) {
    const bool invoice = IsType(record, records::type::kRegularInvoice);
    const bool master = IsType(record, records::type::kRepeatMaster);
    if (invoice && record.paidAmount() > base::Decimal()) {
        prompts.Warn("Payment Acivity",
                     "This invoice has payment activity. To create a repeat billing, the invoice "
                     "must not have any payments.");
        return std::nullopt;
    }
    if (!invoice && !master) {
        prompts.Warn("Transaction Type",
                     "This record must be Type Code \"I\" or \"R\" in order to change repeat "
                     "billing information.");
        return std::nullopt;
    }
    if (base::Trim(record.invoiceNumber()).size() > kMaxMasterNumberLength) {
        prompts.Warn("Repeat Billing Setup",
                     "The invoice number is too long. A repeat billing invoice number must be 5 "
                     "or less characters. Please change the invoice number and try again.");
        return std::nullopt;
    }
    RepeatSetupView view{base::Trim(record.invoiceNumber()),
                         base::Trim(record.date()),
                         base::Trim(record.shortName()),
                         base::Trim(record.customerNumber()),
                         master,
                         {},
                         GeneratedCount(record)};
    const base::DateOrder order = OrderOf(company);
    if (master) {
        const auto due = StoredDueDate(record);
        view.schedule = {true, base::Trim(record.repeatInterval()), UnitOf(record),
                         due ? base::FormatDate(*due, order) : base::Trim(record.nextDueDate())};
    } else {
        const auto date = StoredDate(record, company);
        view.schedule = {false, "1", RepeatUnit::Months,
                         date ? base::FormatDate(*date, order) : view.date};
    }
    return view;
}

std::string DueMaster::ListLine() const {
    return base::PadRight(number, 9) + " " + base::PadRight(shortName, 10) + " " +
           base::PadLeft(Shown(total), kTotalWidth) + " " + nextDue + " " +
           base::PadRight(customer, 9) + " " + base::PadLeft(std::to_string(count), 5);
}

std::string RepeatRunResult::Summary() const {
    return std::to_string(generated.size()) + " invoices were generated. " +
           std::to_string(monthly) + " Monthly Setups and " + std::to_string(daily) +
           " Daily Setups.";
}

RepeatBilling::RepeatBilling(InvoiceFiles& files, company::ProgramState& state,
                             const base::Clock& clock)
    : files_(files), state_(state), clock_(clock) {}

void RepeatBilling::Report(std::string_view text) {
    files_.prompts().Message(kRepeatBillingsCaption, text, base::PromptIcon::Error,
                             base::PromptButtons::Ok);
}

std::vector<engine::BlockFile*> RepeatBilling::Blocks() {
    return {&files_.invoices().block(), &files_.lines().block(), &files_.memos().block()};
}

std::optional<StoredInvoice> RepeatBilling::Setup(const StoredInvoice& stored,
                                                  const RepeatSchedule& schedule) {
    const InvoiceRecord& before = stored.record;
    const std::string number = base::Trim(before.invoiceNumber());
    const bool converting = !IsType(before, records::type::kRepeatMaster);
    StoredInvoice master = stored;
    InvoiceRecord& changed = master.record;
    changed.setTypeCode(records::type::kRepeatMaster);
    changed.setRepeatInterval(std::to_string(schedule.every));
    changed.setRepeatUnit(UnitCode(schedule.unit));
    if (base::Trim(changed.generatedCount()).empty()) changed.setGeneratedCount("0");
    changed.setBalanceDue(kZero);
    changed.setNextDueDate(StoredDueText(schedule.nextDue));
    if (converting) {
        // A master is not a receivable: a paid (zero) invoice made a master is no longer paid.
        changed.setPaidFlag(kBlank);
        changed.setDatePaid(kBlank);
    }

    const base::Decimal open = receivables::OpenAmount(before);
    const auto date = StoredDate(before, state_.currentCompany);
    std::optional<Entries<records::InvoiceLineRecord>> lines;
    if (converting) {
        lines = files_.LinesOf(number);
        if (!lines) {
            Report("The lines of invoice " + number + " cannot be read.");
            return std::nullopt;
        }
        if (!open.IsZero() && !date) {
            Report("The invoice date of " + number + " cannot be read.");
            return std::nullopt;
        }
    }

    receivables::Posting posting(files_.engine(), files_.prompts(), state_, clock_);
    if (!posting.Begin("setting up repeat billing of invoice " + number, Blocks()))
        return std::nullopt;
    receivables::PostingLog& log = posting.log();
    if (!ReplaceRecord(log, "Modify operation failed", files_.invoices(), stored, changed))
        return std::nullopt;
    if (converting) {
        for (const auto& line : *lines) {
            records::InvoiceLineRecord kind = line.record;
            kind.setKind(records::type::kRepeatMaster);
            if (!ReplaceRecord(log, "Modify operation failed", files_.lines(), line, kind))
                return std::nullopt;
        }
        if (!open.IsZero() && !posting.MoveItem(before.customerNumber(), -open, *date))
            return std::nullopt;
    }
    if (!posting.Commit()) return std::nullopt;
    return master;
}

std::optional<RepeatSearch> RepeatBilling::Search(const base::Date& through) {
    RepeatSearch search;
    std::vector<std::string> unreadable;
    const base::DateOrder order = OrderOf(state_.currentCompany);
    StoredInvoice entry;
    engine::ErrorClass outcome =
        files_.invoices().Search(kTypeNumberKey, records::type::kRepeatMaster, entry);
    for (;
         outcome == engine::ErrorClass::None && IsType(entry.record, records::type::kRepeatMaster);
         outcome = files_.invoices().Next(kTypeNumberKey, entry)) {
        const InvoiceRecord& master = entry.record;
        const auto due = StoredDueDate(master);
        if (!due) {
            unreadable.push_back(base::Trim(master.invoiceNumber()));
            continue;
        }
        if (base::DayNumber(*due) > base::DayNumber(through)) continue;
        search.masters.push_back({base::Trim(master.invoiceNumber()),
                                  base::Trim(master.shortName()), master.totalAmount(),
                                  base::FormatDate(*due, order),
                                  base::Trim(master.customerNumber()), GeneratedCount(master)});
        search.total += master.totalAmount();
    }
    if (outcome != engine::ErrorClass::None && outcome != engine::ErrorClass::Expected) {
        Report("The invoice file cannot be read: " + std::to_string(files_.engine().error()));
        return std::nullopt;
    }
    if (!unreadable.empty())
        files_.prompts().Warn(kRepeatBillingsCaption,
                              "The next due date of these masters cannot be read, so they were "
                              "left out: " +
                                  JoinedNumbers(unreadable) +
                                  ". Set their schedule again in the Repeat Invoice Setup.");
    search.status = "There are " + std::to_string(search.masters.size()) +
                    " invoices selected totaling " + Shown(search.total) + ".";
    if (search.masters.empty())
        files_.prompts().Inform(kRepeatBillingsCaption,
                                "There are no repeat billings due through the date you selected.");
    return search;
}

std::optional<StoredInvoice> RepeatBilling::Master(std::string_view number) {
    const auto numbered = files_.RecordsOf(number);
    if (numbered)
        for (const StoredInvoice& entry : *numbered)
            if (IsType(entry.record, records::type::kRepeatMaster)) return entry;
    return std::nullopt;
}

bool RepeatBilling::BilledOn(const InvoiceRecord& master, const std::string& sortable) {
    const int count = GeneratedCount(master);
    if (count == 0) return false;
    const auto last = files_.FindInvoice(GeneratedNumber(master.invoiceNumber(), count));
    return last && base::Trim(last->record.sortDate()) == sortable;
}

RepeatRunResult RepeatBilling::Generate(const std::vector<DueMaster>& listed,
                                        const RepeatRunOptions& options) {
    RepeatRunResult result;
    const std::string sortable = base::SortableDate(options.invoiceDate);
    std::vector<std::optional<StoredInvoice>> masters;
    int billedBefore = 0;
    for (const DueMaster& due : listed) {
        masters.push_back(Master(due.number));
        if (!masters.back())
            Report("Master " + due.number + " is no longer on file.");
        else if (BilledOn(masters.back()->record, sortable))
            ++billedBefore;
    }
    bool billAgain = options.again.value_or(false);
    if (billedBefore > 0 && !options.again)
        billAgain =
            files_.prompts().MessageWithDefault(
                kRepeatBillingsCaption,
                std::to_string(billedBefore) + " of the listed masters were already billed on " +
                    base::FormatDate(options.invoiceDate, OrderOf(state_.currentCompany)) +
                    ". Bill them again?",
                base::PromptIcon::Question, base::PromptButtons::YesNo,
                base::PromptAnswer::No) == base::PromptAnswer::Yes;
    for (size_t i = 0; i < masters.size(); ++i) {
        const auto& master = masters[i];
        if (!master) {
            ++result.failed;
        } else if (!billAgain && BilledOn(master->record, sortable)) {
            ++result.skipped;
        } else if (const auto number = GenerateOne(*master, options)) {
            result.generated.push_back(*number);
            ++(UnitOf(master->record) == RepeatUnit::Months ? result.monthly : result.daily);
            result.total += master->record.totalAmount();
        } else {
            ++result.failed;
        }
        if (options.progress) options.progress(i + 1);
    }
    if (!listed.empty()) files_.prompts().Inform(kRepeatBillingsCaption, result.Summary());
    return result;
}

std::optional<std::string> RepeatBilling::GenerateOne(const StoredInvoice& master,
                                                      const RepeatRunOptions& options) {
    const InvoiceRecord& record = master.record;
    const std::string masterNumber = base::Trim(record.invoiceNumber());
    const std::string whose = MasterOf(masterNumber, record.customerNumber());
    const int count = GeneratedCount(record) + 1;
    const auto due = StoredDueDate(record);
    const auto limits = receivables::ReadAgingLimits(state_.currentCompany);
    if (!limits) {
        Report(receivables::kBadAgingDaysText);
        return std::nullopt;
    }
    const char* refusal =
        masterNumber.size() > kMaxMasterNumberLength
            ? " has a number longer than 5 characters and was not billed."
        : count > kMaxGeneratedCount
            ? " has generated 999 invoices, the most its numbers allow. Make a new master to go "
              "on billing."
        : !due ? " has no next due date that can be read and was not billed."
               : nullptr;
    if (refusal) {
        Report(whose + refusal);
        return std::nullopt;
    }
    const std::string number = GeneratedNumber(masterNumber, count);
    if (files_.FindInvoice(number)) {
        Report("Invoice " + number + " is already on file. " + whose + kNotBilled);
        return std::nullopt;
    }
    const auto lines = files_.LinesOf(masterNumber);
    const bool memoForm = base::Trim(record.form()) == records::form::kMemo;
    const auto memo = memoForm ? files_.MemoOf(masterNumber)
                               : std::optional(Entries<records::InvoiceMemoRecord>{});
    if (!lines || !memo || (memoForm && memo->empty())) {
        Report(memoForm && lines ? "Memo data not added" : "Repeat detail add record failed");
        Report(whose + kNotBilled);
        return std::nullopt;
    }

    InvoiceRecord advanced = record;
    advanced.setNextDueDate(
        StoredDueText(AdvanceDue(*due, RepeatInterval(record), UnitOf(record))));
    advanced.setGeneratedCount(std::to_string(count));

    const std::string dateText =
        base::FormatDate(options.invoiceDate, OrderOf(state_.currentCompany));
    const std::string sortable = base::SortableDate(options.invoiceDate);
    InvoiceRecord header = record;
    header.setInvoiceNumber(number);
    header.setTypeCode(records::type::kRepeatGenerated);
    header.setDocumentDate(dateText, options.invoiceDate);
    header.setNotes(options.comments);
    header.setStatementNote(options.comments);
    header.setPrinted("N");
    header.setPaid(kZero);
    header.setPaidFlag("");
    header.setDatePaid("");
    header.setEmailedDate("");
    header.setBalanceDue(record.totalAmount().Format("0.00"));
    // A generated invoice carries no schedule of its own.
    header.setRepeatUnit("");
    header.setNextDueDate("");
    header.setRepeatInterval("");
    header.setGeneratedCount("");

    receivables::AgingSums delta;
    delta.Add(record.totalAmount(), base::WholeDaysSince(options.invoiceDate, clock_.Now()),
              *limits);

    receivables::Posting posting(files_.engine(), files_.prompts(), state_, clock_);
    if (!posting.Begin("generating invoice " + number + " from master " + masterNumber, Blocks()))
        return std::nullopt;
    receivables::PostingLog& log = posting.log();
    const auto failed = [&] {
        Report(whose + kNotBilled);
        return std::nullopt;
    };
    if (!ReplaceRecord(log, "Modify operation failed", files_.invoices(), master, advanced) ||
        !AddRecord(log, "Adding repeat header failed", files_.invoices(), header))
        return failed();
    for (const auto& entry : *memo) {
        records::InvoiceMemoRecord copy = entry.record;
        copy.setInvoiceNumber(number);
        if (!AddRecord(log, "Adding memo record failed", files_.memos(), copy)) return failed();
    }
    for (const auto& entry : *lines) {
        records::InvoiceLineRecord copy = entry.record;
        copy.setInvoiceNumber(number);
        copy.setInvoiceDate(sortable);
        copy.setKind(records::type::kRepeatGenerated);
        if (!AddRecord(log, "Repeat detail add record failed", files_.lines(), copy))
            return failed();
    }
    if (!posting.MoveBalance(record.customerNumber(), delta,
                             [&number](records::CustomerRecord& customer) {
                                 customer.setLastInvoiceNumber(number);
                                 return true;
                             }) ||
        !posting.ChangeCompany([&dateText](records::CompanyRecord& company) {
            company.setLastRepeatBillingDate(dateText);
            return true;
        }) ||
        !posting.Commit())
        return failed();
    return number;
}

}  // namespace invoicing

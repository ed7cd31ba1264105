#include "receivables/PaymentPosting.h"

#include <map>

#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "engine/BlockFile.h"
#include "receivables/Aging.h"
#include "receivables/OpenItems.h"
#include "receivables/PaymentRecords.h"
#include "receivables/Posting.h"
#include "receivables/PostingLog.h"
#include "receivables/PostingWrites.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"

namespace receivables {
namespace {

using records::InvoiceRecord;
using Entry = engine::KeyEntry<InvoiceRecord>;

constexpr int kNumberKey = 1;
constexpr char kPaidFlag[] = "P";
constexpr char kDepositFailed[] = "Adding deposit failed.";
constexpr char kPartialFailed[] = "Adding partial pmt failed.";
constexpr char kPaymentFailed[] = "Adding reg pmt failed.";

std::string Folded(std::string_view text) {
    return base::Win1252Upper(base::Trim(text));
}

bool IsDeposit(const InvoiceRecord& record) {
    return record.typeCode() == records::type::kDeposit;
}

class PaymentPoster {
public:
    PaymentPoster(engine::Engine& engine, Posting& posting, const base::Clock& clock,
                  InvoiceFile& invoices)
        : engine_(engine),
          prompts_(posting.prompts()),
          state_(posting.state()),
          clock_(clock),
          invoices_(invoices),
          posting_(posting),
          log_(posting.log()) {}

    // Whether every line still names an open item of the customer that its lines do not overpay;
    // false with the reason shown.
    bool CheckLines(const std::vector<PaymentLine>& lines);
    std::optional<PostedPayment> Post(const PaymentEntry& entry, const Payment& payment,
                                      const AgingLimits& limits);

private:
    void Notify(std::string_view text) {
        prompts_.Message(kPaymentWizardCaption, text, base::PromptIcon::Warning,
                         base::PromptButtons::Ok);
    }
    bool Deposit(base::Decimal amount);
    bool PayItem(const PaymentLine& line);
    bool MarkSettled(const InvoiceRecord& item, int32_t itemRecord);
    bool Add(std::string_view failure, const InvoiceRecord& record);
    bool Replace(std::string_view failure, const Entry& stored, const InvoiceRecord& record);

    engine::Engine& engine_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    const base::Clock& clock_;
    InvoiceFile& invoices_;
    Posting& posting_;
    PostingLog& log_;
    const Payment* payment_ = nullptr;
    std::vector<WrittenRecord> written_;
};

bool PaymentPoster::CheckLines(const std::vector<PaymentLine>& lines) {
    const std::string customer = ItemCustomerKey(payment_->customerNumber);
    std::map<int32_t, base::Decimal> posted;
    std::map<int32_t, InvoiceRecord> items;
    for (const PaymentLine& line : lines) {
        if (line.kind == LineKind::Deposit) continue;
        InvoiceRecord item;
        const bool open =
            invoices_.Get(line.recordNumber, item) &&
            Folded(item.invoiceNumber()) == Folded(line.invoiceNumber) &&
            ItemCustomerKey(item.customerNumber()) == customer && IsOpenItem(item) &&
            item.typeCode() != records::type::kPartialPayment &&
            item.typeCode() != records::type::kDepositTaken &&
            (line.kind != LineKind::Partial || item.typeCode() == records::type::kRegularInvoice ||
             item.typeCode() == records::type::kRepeatGenerated ||
             item.typeCode() == records::type::kPartlyPaidInvoice);
        if (!open) {
            Notify("Invoice " + line.invoiceNumber +
                   " is no longer an open item of this customer. Choose the customer again.");
            return false;
        }
        posted[line.recordNumber] += line.amount;
        items[line.recordNumber] = item;
    }
    for (const auto& [recordNumber, amount] : posted) {
        const InvoiceRecord& item = items[recordNumber];
        const base::Decimal due = item.balanceDueAmount();
        // A credit is only ever cleared whole; an amount due may be paid in parts.
        const bool fits =
            due < base::Decimal() ? amount == due : amount >= base::Decimal() && amount <= due;
        if (!fits) {
            Notify("The amounts posted against invoice " + base::Trim(item.invoiceNumber()) +
                   " add up to more than its balance due.");
            return false;
        }
    }
    return true;
}

bool PaymentPoster::Add(std::string_view failure, const InvoiceRecord& record) {
    int32_t recordNumber = 0;
    if (!AddRecord(log_, failure, invoices_, record, &recordNumber)) return false;
    written_.push_back({recordNumber, true, record});
    return true;
}

bool PaymentPoster::Replace(std::string_view failure, const Entry& stored,
                            const InvoiceRecord& record) {
    if (!ReplaceRecord(log_, failure, invoices_, stored, record)) return false;
    written_.push_back({stored.recordNumber, false, record});
    return true;
}

// Numbered after the live records, stepping past numbers key 1 already holds (a deletion lowers
// the count, and a user may have typed such a number).
bool PaymentPoster::Deposit(base::Decimal amount) {
    const int32_t live = engine_.UsedRecords(invoices_.handle());
    for (int32_t step = 0;; ++step) {
        const std::optional<std::string> number = DepositNumber(live, step);
        if (!number) {
            log_.Fail(kDepositFailed);
            return false;
        }
        InvoiceRecord wanted;
        wanted.setInvoiceNumber(*number);
        Entry entry;
        const engine::ErrorClass found =
            invoices_.Search(kNumberKey, wanted.key(kNumberKey), entry);
        if (found == engine::ErrorClass::None && Folded(entry.record.invoiceNumber()) == *number)
            continue;
        if (found != engine::ErrorClass::None && found != engine::ErrorClass::Expected) {
            log_.Fail(kDepositFailed);
            return false;
        }
        return Add(kDepositFailed, DepositRecord(*payment_, amount, *number));
    }
}

// The line's amount comes off the item's balance due as it stands now. A line that brings it to
// 0.00 settles the item; one that leaves a balance is a partial payment, and so is the rest of an
// item paid in part before, whose payments are all partial-payment records.
bool PaymentPoster::PayItem(const PaymentLine& line) {
    Entry stored;
    stored.recordNumber = line.recordNumber;
    if (!invoices_.Get(line.recordNumber, stored.record)) {
        log_.Fail(kPaymentFailed);
        return false;
    }
    const InvoiceRecord& item = stored.record;
    InvoiceRecord paid = item;
    const bool settles = (item.balanceDueAmount() - line.amount).Rounded(2).IsZero();
    if (line.kind == LineKind::Partial || line.partlyPaid || !settles) {
        ApplyPartialPayment(paid, *payment_, line.amount);
        return Replace(kPartialFailed, stored, paid) &&
               Add(kPartialFailed, PartialPaymentRecord(*payment_, line.amount, item));
    }
    const bool needsRecord = ApplyFullPayment(paid, *payment_, line.amount);
    if (!needsRecord) return Replace(kPaymentFailed, stored, paid);
    paid.setTypeCode(IsDeposit(item) ? records::type::kDeposit : records::type::kPartlyPaidInvoice);
    return Replace(kPaymentFailed, stored, paid) &&
           Add(kPaymentFailed, FullPaymentRecord(*payment_, line.amount, item, IsDeposit(item))) &&
           MarkSettled(item, line.recordNumber);
}

// The other records of the item's number and customer that are still marked open with nothing
// due are marked paid with it. A record that still has a balance due is an open item of its own
// and stays one: marking it would drop its amount from the files but not from the balances.
bool PaymentPoster::MarkSettled(const InvoiceRecord& item, int32_t itemRecord) {
    const std::string number = Folded(item.invoiceNumber());
    const std::string customer = ItemCustomerKey(item.customerNumber());
    std::vector<Entry> marked;
    Entry entry;
    engine::ErrorClass outcome = invoices_.Search(kNumberKey, item.key(kNumberKey), entry);
    for (; outcome == engine::ErrorClass::None && Folded(entry.record.invoiceNumber()) == number;
         outcome = invoices_.Next(kNumberKey, entry)) {
        const InvoiceRecord& record = entry.record;
        if (entry.recordNumber != itemRecord && IsOpenItem(record) &&
            ItemCustomerKey(record.customerNumber()) == customer &&
            record.balanceDueAmount().IsZero())
            marked.push_back(entry);
    }
    if (outcome != engine::ErrorClass::None && outcome != engine::ErrorClass::Expected) {
        log_.Fail(kPaymentFailed);
        return false;
    }
    for (const Entry& open : marked) {
        InvoiceRecord record = open.record;
        record.setPaidFlag(kPaidFlag);
        record.setBalanceDueAmount(base::Decimal());
        record.setDatePaid(base::SortableDate(payment_->date));
        if (!IsDeposit(record)) record.setTypeCode(records::type::kPartlyPaidInvoice);
        if (!Replace(kPaymentFailed, open, record)) return false;
    }
    return true;
}

std::optional<PostedPayment> PaymentPoster::Post(const PaymentEntry& entry, const Payment& payment,
                                                 const AgingLimits& limits) {
    payment_ = &payment;
    if (!CheckLines(entry.lines)) return std::nullopt;
    base::Decimal total;
    for (const PaymentLine& line : entry.lines) {
        total += line.amount;
        const bool written = line.kind == LineKind::Deposit ? Deposit(line.amount) : PayItem(line);
        if (!written) return std::nullopt;
    }

    const AgingBasis basis{limits, clock_.Now(), state_.shortDateOrder};
    const std::optional<AgingSums> aging =
        CustomerAgingSums(invoices_, payment.customerNumber, basis);
    if (!aging) {
        log_.Fail(UnreadableItemsText(payment.customerNumber, engine_.error()));
        return std::nullopt;
    }
    const std::string paidOn = payment.dateText;
    AgingSums paid;
    paid.categories[0] = -total;
    if (!posting_.MoveBalance(payment.customerNumber, paid, [&](records::CustomerRecord& customer) {
            customer.setLastPaymentDate(paidOn);
            return StoreAging(customer, *aging);
        }))
        return std::nullopt;
    const auto customer = posting_.FindCustomer(payment.customerNumber);
    const base::Decimal balance = customer ? customer->record.balanceAmount() : base::Decimal();
    if (!posting_.Commit()) return std::nullopt;
    return PostedPayment{std::move(written_), balance};
}

}  // namespace

std::optional<PostedPayment> PostPayment(engine::Engine& engine, base::PromptService& prompts,
                                         company::ProgramState& state, const base::Clock& clock,
                                         const PaymentEntry& entry) {
    const records::CompanyRecord& company = state.currentCompany;
    const auto refuse = [&prompts](std::string_view caption, std::string_view text) {
        prompts.Message(caption, text, base::PromptIcon::Warning, base::PromptButtons::Ok);
        return std::nullopt;
    };
    const std::string dateText = base::Trim(entry.date);
    const auto date = base::ParseDate(dateText, base::EntryDateOrder(company.dateFormat()));
    if (!date)
        return refuse("Payment Date",
                      "You have an invalid payment date. You can clear the date and then select "
                      "the calendar button.");
    const std::optional<AgingLimits> limits = ReadAgingLimits(company);
    if (!limits) return refuse(kAgingCaption, kBadAgingDaysText);
    base::Decimal posted;
    for (const PaymentLine& line : entry.lines) posted += line.amount;
    const auto received = ReadPaymentAmount(entry.amountReceived);
    if (entry.lines.empty() || !received || posted.Rounded(2) != received->Rounded(2))
        return refuse(kPaymentWizardCaption, kPostNote);
    const auto customer = FindCustomer(engine, prompts, company.code(), entry.customerNumber);
    if (!customer)
        return refuse(kPaymentWizardCaption,
                      "Customer " + base::Trim(entry.customerNumber) + " is not on file.");
    const Payment payment{customer->record.number(),
                          customer->record.shortName(),
                          company.code(),
                          dateText,
                          *date,
                          entry.note};

    InvoiceFile invoices(
        engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe(company.code()),
        prompts);
    Posting posting(engine, prompts, state, clock);
    if (!posting.Begin("posting a payment of customer " + base::Trim(payment.customerNumber),
                       {&invoices.block()}))
        return std::nullopt;
    return PaymentPoster(engine, posting, clock, invoices).Post(entry, payment, *limits);
}

}  // namespace receivables

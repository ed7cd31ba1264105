#include "receivables/PaymentSheet.h"

#include <algorithm>
#include <utility>

#include "base/Text.h"
#include "engine/RecordFile.h"
#include "receivables/OpenItems.h"
#include "receivables/PaymentRecords.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"

namespace receivables {
namespace {

constexpr int kNumberWidth = 9;
constexpr int kDateWidth = 8;
constexpr int kAmountWidth = 12;
constexpr int kCustomerKey = 2;

const PaymentNotice kNotNumeric{"Invalid Payment Amount",
                                "The payment amount must be a numeric value."};
const PaymentNotice kNotAboveZero{"Payment Amount",
                                  "The payment amount must be greater than zero."};
const PaymentNotice kNotBelowDue{"Partial Payment Amount",
                                 "The partial payment amount must be less than amount due."};

std::string AmountText(base::Decimal amount) {
    return amount.Format("#,0.00");
}

std::string WithoutCommas(std::string_view text) {
    std::string plain(text);
    std::erase(plain, ',');
    return plain;
}

// The dialog's amount, commas removed: above zero, and below `due` unless it is a deposit.
std::optional<PaymentNotice> CheckDialogAmount(std::optional<base::Decimal> amount,
                                               std::optional<base::Decimal> due) {
    if (!amount) return PaymentNotice{kNotAboveZero.caption, kNotNumeric.text};
    if (*amount <= base::Decimal()) return kNotAboveZero;
    if (due && *amount >= *due) return kNotBelowDue;
    return std::nullopt;
}

bool ValidRow(int row, size_t size) {
    return row >= 0 && static_cast<size_t>(row) < size;
}

}  // namespace

std::optional<base::Decimal> ReadPaymentAmount(std::string_view text) {
    const std::string trimmed = base::Trim(text);
    if (trimmed.find(',') != std::string::npos) return std::nullopt;
    const size_t point = trimmed.find('.');
    if (point != std::string::npos && trimmed.size() - point - 1 > 2) return std::nullopt;
    return base::Decimal::Parse(trimmed);
}

std::string LineDate(std::string_view month, std::string_view day, std::string_view year,
                     std::string_view companyDateFormat) {
    const std::string yy = base::PadLeft(base::Trim(year), 4).substr(2);
    const std::string mm = base::Trim(month);
    const std::string dd = base::Trim(day);
    const std::string format = base::Trim(companyDateFormat);
    if (format == "D") return dd + "/" + mm + "/" + yy;
    if (format == "Y") return yy + "/" + mm + "/" + dd;
    return mm + "/" + dd + "/" + yy;
}

std::string LineDateOf(std::string_view typedDate, std::string_view companyDateFormat) {
    const std::string date = base::PadRight(base::Trim(typedDate), 10);
    if (base::Trim(companyDateFormat) == "Y") return date.substr(2, 8);
    return date.substr(0, 6) + date.substr(8, 2);
}

std::optional<std::vector<PaymentLine>> ReadOpenItems(engine::Engine& engine,
                                                      base::PromptService& prompts,
                                                      std::string_view companyCode,
                                                      std::string_view customerNumber,
                                                      std::string_view companyDateFormat) {
    InvoiceFile invoices(
        engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe(companyCode), prompts);
    if (!invoices.Open()) return std::nullopt;
    const std::string wanted = ItemCustomerKey(customerNumber);
    std::vector<PaymentLine> items;
    engine::KeyEntry<records::InvoiceRecord> entry;
    engine::ErrorClass outcome = invoices.Search(kCustomerKey, wanted, entry);
    for (; outcome == engine::ErrorClass::None && ItemCustomerKey(entry.key) == wanted;
         outcome = invoices.Next(kCustomerKey, entry)) {
        const records::InvoiceRecord& item = entry.record;
        if (!IsOpenItem(item)) continue;
        items.push_back({LineKind::Item, entry.recordNumber, base::Trim(item.invoiceNumber()),
                         LineDate(item.month(), item.day(), item.year(), companyDateFormat),
                         item.balanceDueAmount(),
                         item.typeCode() == records::type::kPartlyPaidInvoice});
    }
    const int32_t error = engine.error();
    const bool complete =
        outcome == engine::ErrorClass::None || outcome == engine::ErrorClass::Expected;
    if (!invoices.Close()) return std::nullopt;
    if (!complete) {
        prompts.Message(kPaymentWizardCaption, UnreadableItemsText(customerNumber, error),
                        base::PromptIcon::Error, base::PromptButtons::Ok);
        return std::nullopt;
    }
    return items;
}

PaymentSheet::PaymentSheet(std::vector<PaymentLine> openItems, base::Decimal customerBalance,
                           std::string_view amountReceived)
    : balance_(customerBalance), received_(base::Trim(amountReceived)) {
    for (PaymentLine& line : openItems) PutLeft(std::move(line));
}

std::string PaymentSheet::Text(const PaymentLine& line) const {
    const bool marked = line.kind == LineKind::Partial || line.partlyPaid;
    return base::PadRight(line.invoiceNumber, kNumberWidth) + " " +
           base::PadRight(line.date, kDateWidth) + " " +
           base::PadLeft(AmountText(line.amount), amountWidth()) + (marked ? "P" : "");
}

int PaymentSheet::amountWidth() const {
    size_t width = kAmountWidth;
    for (const auto* list : {&left_, &right_})
        for (const PaymentLine& line : *list)
            width = std::max(width, AmountText(line.amount).size());
    return static_cast<int>(width);
}

void PaymentSheet::PutLeft(PaymentLine line) {
    if (line.kind != LineKind::Deposit) {
        const auto same = std::ranges::find_if(left_, [&line](const PaymentLine& held) {
            return held.kind != LineKind::Deposit && held.recordNumber == line.recordNumber;
        });
        if (same != left_.end()) {
            same->amount += line.amount;
            return;
        }
        line.kind = LineKind::Item;
    }
    // Sorted as the list shows it, so by number, date and amount.
    const auto before = std::ranges::find_if(
        left_, [&](const PaymentLine& held) { return Text(line) < Text(held); });
    left_.insert(before, std::move(line));
}

std::optional<PaymentNotice> PaymentSheet::MoveRight(const std::vector<int>& rows) {
    if (left_.empty())
        return PaymentNotice{kPaymentWizardCaption,
                             "There are no records to move to the right (post) box."};
    std::vector<int> chosen;
    for (int row : rows)
        if (ValidRow(row, left_.size())) chosen.push_back(row);
    std::ranges::sort(chosen);
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    for (int row : chosen) right_.push_back(left_[static_cast<size_t>(row)]);
    for (auto row = chosen.rbegin(); row != chosen.rend(); ++row) left_.erase(left_.begin() + *row);
    return std::nullopt;
}

std::optional<PaymentNotice> PaymentSheet::MoveLeft(const std::vector<int>& rows) {
    if (right_.empty())
        return PaymentNotice{kPaymentWizardCaption,
                             "There are no records to move to the left box."};
    std::vector<int> chosen;
    for (int row : rows)
        if (ValidRow(row, right_.size())) chosen.push_back(row);
    std::ranges::sort(chosen);
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    std::vector<PaymentLine> moved;
    for (auto row = chosen.rbegin(); row != chosen.rend(); ++row) {
        moved.push_back(right_[static_cast<size_t>(*row)]);
        right_.erase(right_.begin() + *row);
    }
    for (PaymentLine& line : moved) PutLeft(std::move(line));
    return std::nullopt;
}

std::optional<PaymentNotice> PaymentSheet::MoveAllRight() {
    std::vector<int> rows(left_.size());
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
    return MoveRight(rows);
}

std::optional<PaymentNotice> PaymentSheet::MoveAllLeft() {
    std::vector<int> rows(right_.size());
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
    return MoveLeft(rows);
}

bool PaymentSheet::MayPayPartly(int row) const {
    if (!ValidRow(row, left_.size())) return false;
    const PaymentLine& line = left_[static_cast<size_t>(row)];
    return line.kind != LineKind::Deposit && line.amount > base::Decimal();
}

std::optional<PaymentNotice> PaymentSheet::PayPartly(int row, std::string_view amountText) {
    if (!MayPayPartly(row))
        return PaymentNotice{kPaymentWizardCaption, "Select an invoice with an amount due first."};
    PaymentLine& item = left_[static_cast<size_t>(row)];
    const auto amount = ReadPaymentAmount(WithoutCommas(amountText));
    if (auto refusal = CheckDialogAmount(amount, item.amount)) return refusal;
    PaymentLine partial = item;
    partial.kind = LineKind::Partial;
    partial.amount = *amount;
    item.amount -= *amount;
    right_.push_back(std::move(partial));
    return std::nullopt;
}

std::optional<PaymentNotice> PaymentSheet::AddDeposit(std::string_view amountText,
                                                      std::string_view date) {
    const auto amount = ReadPaymentAmount(WithoutCommas(amountText));
    if (auto refusal = CheckDialogAmount(amount, std::nullopt)) return refusal;
    right_.push_back({LineKind::Deposit, 0, kDepositNumber, std::string(date), *amount, false});
    return std::nullopt;
}

std::optional<PaymentNotice> PaymentSheet::SetAmountReceived(std::string_view text) {
    received_ = base::Trim(text);
    if (received_.empty()) return std::nullopt;
    if (received_.find('-') != std::string::npos)
        return PaymentNotice{"Paid Amount",
                             "You should not enter a negative number in the payment box. Create a "
                             "credit invoice if you are trying to give the customer credit."};
    const auto amount = ReadPaymentAmount(received_);
    if (!amount) return received_ == "." ? std::nullopt : std::optional(kNotNumeric);
    if (amount->Rounded(2) == balance_.Rounded(2) && !left_.empty()) return MoveAllRight();
    return std::nullopt;
}

base::Decimal PaymentSheet::PostedTotal() const {
    base::Decimal total;
    for (const PaymentLine& line : right_) total += line.amount;
    return total;
}

bool PaymentSheet::PostAllowed() const {
    const auto amount = ReadPaymentAmount(received_);
    return !right_.empty() && amount && PostedTotal().Rounded(2) == amount->Rounded(2);
}

}  // namespace receivables

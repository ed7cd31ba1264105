#pragma once
// What the payment window holds before anything is posted: the customer's open items on the left,
// the lines being posted on the right (items paid in full, partial payments, deposits on
// account), the amount received, and the rules for moving lines between them. Every line keeps
// the record it came from and its exact amount; the text a list shows is made from them and never
// read back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Decimal.h"
#include "base/PromptService.h"
#include "engine/Engine.h"

namespace receivables {

inline constexpr char kPaymentWizardCaption[] = "Payment Wizard";
inline constexpr char kPostNote[] =
    "The Post Button will activate when the PAID amount equals the POSTED amount.";
inline constexpr char kNoBalanceDueText[] =
    "This customer does not have a balance due. You can only record deposits on account or clear "
    "offsetting invoices and credits.";
inline constexpr char kDepositNumber[] = "DEPOSIT";

// A message for the user: the caption and text of the box the window shows.
struct PaymentNotice {
    std::string caption;
    std::string text;
    bool operator==(const PaymentNotice&) const = default;
};

enum class LineKind {
    Item,     // an open item, paid in full when it is posted
    Partial,  // part of an open item's amount due
    Deposit,  // money on account, a new deposit record
};

struct PaymentLine {
    LineKind kind = LineKind::Item;
    int32_t recordNumber = 0;   // the invoice-file record; 0 for a new deposit
    std::string invoiceNumber;  // trimmed, Windows-1252; "DEPOSIT" for a new deposit
    std::string date;           // 8 characters in the company's date order
    base::Decimal amount;       // the amount due (left) or posted (right)
    bool partlyPaid = false;    // the item is of type "Z" and has had partial payments

    bool operator==(const PaymentLine&) const = default;
};

// An amount as typed: the whole text (blanks around it aside) an optional minus and digits with
// at most one decimal point and at most two decimals. Nothing for "1.2.3", "5.x", "1,000" or "".
std::optional<base::Decimal> ReadPaymentAmount(std::string_view text);

// The date column of a line: "mm/dd/yy", "dd/mm/yy" or "yy/mm/dd" after the company's date
// format, from a document's stored month, day and year.
std::string LineDate(std::string_view month, std::string_view day, std::string_view year,
                     std::string_view companyDateFormat);
// The same from a payment date as typed in the company's date format.
std::string LineDateOf(std::string_view typedDate, std::string_view companyDateFormat);

// The open items of customer `customerNumber`: every record of the customer (invoice key 2)
// whose paid flag is not "P" and that is not a repeat master, with its balance due. Nothing, with
// the reason shown, when the invoice file could not be opened or read to the end.
std::optional<std::vector<PaymentLine>> ReadOpenItems(engine::Engine& engine,
                                                      base::PromptService& prompts,
                                                      std::string_view companyCode,
                                                      std::string_view customerNumber,
                                                      std::string_view companyDateFormat);

class PaymentSheet {
public:
    PaymentSheet() = default;
    // `amountReceived` is what the window's box starts with; only typing an amount moves items.
    PaymentSheet(std::vector<PaymentLine> openItems, base::Decimal customerBalance,
                 std::string_view amountReceived = {});

    const std::vector<PaymentLine>& left() const { return left_; }    // sorted by their text
    const std::vector<PaymentLine>& right() const { return right_; }  // in the order posted

    // The line as a list shows it: number in 9, blank, date in 8, blank, the amount ("#,0.00")
    // right-aligned in amountWidth(), then "P" on partial payments and partly paid items.
    std::string Text(const PaymentLine& line) const;
    // 12, or the width of the widest amount of either list: digits are never cut.
    int amountWidth() const;

    // Moves the lines at `rows` (of the left or right list) to the other one. A line moved back
    // to the left joins the line of its item there, so an item is on the left at most once and
    // never both on the left and paid in full on the right.
    std::optional<PaymentNotice> MoveRight(const std::vector<int>& rows);
    std::optional<PaymentNotice> MoveLeft(const std::vector<int>& rows);
    std::optional<PaymentNotice> MoveAllRight();
    std::optional<PaymentNotice> MoveAllLeft();

    // Whether the left line at `row` may be paid in part: an item with an amount due above zero.
    bool MayPayPartly(int row) const;
    // The amount dialog's OK for a partial payment of the left line at `row`: the amount must be
    // above zero and below the amount due. The line on the left keeps the rest.
    std::optional<PaymentNotice> PayPartly(int row, std::string_view amountText);
    // The amount dialog's OK for a deposit on account dated `date` (8 characters, LineDateOf).
    std::optional<PaymentNotice> AddDeposit(std::string_view amountText, std::string_view date);

    // The amount received as typed. An amount equal to the customer's balance moves every open
    // item right; it never allows Post by itself. A lone "." is an amount being begun, no fault.
    std::optional<PaymentNotice> SetAmountReceived(std::string_view text);
    const std::string& amountReceived() const { return received_; }

    base::Decimal PostedTotal() const;
    // Exactly when there are lines to post and they add up to the amount received.
    bool PostAllowed() const;

private:
    void PutLeft(PaymentLine line);

    std::vector<PaymentLine> left_;
    std::vector<PaymentLine> right_;
    base::Decimal balance_;
    std::string received_;
};

}  // namespace receivables

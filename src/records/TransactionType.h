#pragma once
// The kinds of records in the invoice file, by their one-letter type code, and the texts the
// windows show for them.

#include <string>
#include <string_view>

namespace records {

namespace type {
inline constexpr char kRegularInvoice[] = "I";
inline constexpr char kRepeatMaster[] = "R";
inline constexpr char kRepeatGenerated[] = "G";
inline constexpr char kPartialPayment[] = "X";
inline constexpr char kPartlyPaidInvoice[] = "Z";
inline constexpr char kDeposit[] = "D";
inline constexpr char kDepositTaken[] = "T";
}  // namespace type

// Invoice form field values.
namespace form {
inline constexpr char kProduct[] = "P";
inline constexpr char kMemo[] = "M";
inline constexpr char kDeposit[] = "D";
}  // namespace form

// "I - Regular Invoice", "R - Repeat Billing Master Record (Created: 3)" and so on; an unknown
// code is shown as it is.
std::string TransactionTypeText(std::string_view typeCode, std::string_view generatedCount);

// "(Payment Record)" for types D and X, "(Applied Deposit)" for T, otherwise "(Memo Invoice)" when
// the form is "M" and "(Product Invoice)" else.
std::string DocumentKindText(std::string_view typeCode, std::string_view form);

}  // namespace records

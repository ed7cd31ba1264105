#include "records/TransactionType.h"

namespace records {

std::string TransactionTypeText(std::string_view typeCode, std::string_view generatedCount) {
    if (typeCode == type::kRegularInvoice) return "I - Regular Invoice";
    if (typeCode == type::kRepeatMaster)
        return "R - Repeat Billing Master Record (Created: " + std::string(generatedCount) + ")";
    if (typeCode == type::kRepeatGenerated) return "G - Repeat Billing Generated Invoice";
    if (typeCode == type::kPartialPayment) return "X - Partial Payment Record against Type Z";
    if (typeCode == type::kPartlyPaidInvoice) return "Z - Invoice has Partial Payment(s) of Type X";
    if (typeCode == type::kDeposit) return "D - Deposit on Account";
    if (typeCode == type::kDepositTaken) return "T - Deposit Taken (offsets type D)";
    return std::string(typeCode);
}

std::string DocumentKindText(std::string_view typeCode, std::string_view form) {
    if (typeCode == type::kDeposit || typeCode == type::kPartialPayment) return "(Payment Record)";
    if (typeCode == type::kDepositTaken) return "(Applied Deposit)";
    return form == form::kMemo ? "(Memo Invoice)" : "(Product Invoice)";
}

}  // namespace records

#include "invoicing/InvoiceGuards.h"

#include <string>

#include "base/Text.h"
#include "records/TransactionType.h"

namespace invoicing {
namespace {

namespace type = records::type;

bool Is(const records::InvoiceRecord& record, const char* typeCode) {
    return base::Trim(record.typeCode()) == typeCode;
}

bool PaidFlag(const records::InvoiceRecord& record) {
    return base::Trim(record.paidFlag()) == "P";
}

bool Refuse(base::PromptService& prompts, const char* caption, const char* text) {
    prompts.Warn(caption, text);
    return false;
}

}  // namespace

bool MayEdit(const records::InvoiceRecord& record, const records::CompanyRecord& company,
             base::PromptService& prompts) {
    if (company.auditTrail())
        return Refuse(prompts, "Audit Trail",
                      "The audit trail feature is turned on. Unable to modify record.");
    if (Is(record, type::kPartlyPaidInvoice) || Is(record, type::kPartialPayment))
        return Refuse(prompts, "Partial Payments",
                      "This record is part of a partial-payment record and may not be edited.");
    if (Is(record, type::kRepeatMaster))
        prompts.Inform("Please Note",
                       "This is a repeat billing master record.  Changes to this record will be "
                       "reflected in future generated invoices.");
    const base::Decimal paid = record.paidAmount();
    if (PaidFlag(record) && paid > base::Decimal() && paid != record.totalAmount())
        return Refuse(prompts, "Paid Item",
                      "This record has been paid. You may not edit this record. You can use the "
                      "Invoice-View menu option to look at this invoice.");
    if (Is(record, type::kDeposit))
        return Refuse(prompts, "Deposit on Account",
                      "This record is a deposit. You may not edit this record, however, you can "
                      "delete it.");
    if (Is(record, type::kDepositTaken))
        return Refuse(prompts, "Deposit Taken",
                      "This record is a deposit which has been previously offset (taken). Unable "
                      "to edit this record.");
    if (base::Trim(record.printed()) == "Y")
        return prompts.AskYesNo(
            "Printed Invoice",
            "This invoice has been printed. Are you sure you want to edit this record?");
    return true;
}

bool MayDelete(const records::InvoiceRecord& record, const records::CompanyRecord& company,
               base::PromptService& prompts) {
    if (company.auditTrail())
        return Refuse(prompts, "Audit Trail",
                      "The audit trail feature is turned on. Unable to delete record.");
    if (Is(record, type::kPartlyPaidInvoice) || Is(record, type::kPartialPayment))
        return Refuse(prompts, "Partial Payment Item",
                      "This record is associated with a partial payment (type X or Z). Unable to "
                      "delete this item.");
    const bool paymentActivity = !record.paidAmount().IsZero();
    if (PaidFlag(record) && paymentActivity)
        return Refuse(prompts, "Paid Item",
                      "This record has been paid and may not be deleted. It will be deleted when "
                      "you remove paid records.");
    if (paymentActivity)
        prompts.Inform("Please Note",
                       "This record has payment activity. If you delete this record the payment "
                       "data will also be removed.");
    if (Is(record, type::kRepeatMaster))
        prompts.Inform("Please Note",
                       "This is a repeat billing master record. If you delete this master record, "
                       "no further invoices will be generated.");
    if (Is(record, type::kDeposit) &&
        !prompts.AskYesNo(
            "Please Confirm",
            "You are about to delete a payment you posted as a Deposit on Account. Are you sure?"))
        return false;
    return prompts.AskYesNo("Delete Invoice#: " + base::Trim(record.invoiceNumber()),
                            "Are you sure you want to delete this record?");
}

}  // namespace invoicing

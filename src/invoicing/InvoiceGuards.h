#pragma once
// What the Invoice Manager checks on the current record before it opens the entry window for an
// edit, or before it deletes the record: refusals, notes and the questions, in their order.

#include "base/PromptService.h"
#include "records/CompanyRecord.h"
#include "records/InvoiceRecord.h"

namespace invoicing {

// True when the record may be edited; each refusal is shown, and a No to the printed-invoice
// question ends the action too.
bool MayEdit(const records::InvoiceRecord& record, const records::CompanyRecord& company,
             base::PromptService& prompts);

// True when the record may be deleted and the user confirmed it.
bool MayDelete(const records::InvoiceRecord& record, const records::CompanyRecord& company,
               base::PromptService& prompts);

}  // namespace invoicing

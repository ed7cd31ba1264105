#pragma once
// The checks of the entry window's "&Ok", in their order: the first refusal ends them and keeps
// the window open with the focus on the control named. The questions on the way (a no-charge
// invoice, a customer over the credit limit, more memo text than the memo holds, new terms) are
// asked here; a No ends the checks too. Yes to new terms adds them to "ZRTERMS.DAT".

#include <functional>
#include <optional>
#include <string>

#include "base/Decimal.h"
#include "base/PromptService.h"
#include "engine/FileSystem.h"
#include "invoicing/InvoiceDraft.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"

namespace invoicing {

// Grid columns of the entry window.
enum GridColumn { kCodeColumn = 1, kQuantityColumn, kDescriptionColumn, kPriceColumn };

// Why OK did not close the window: the message box to show, and where the focus goes.
struct InvoiceFailure {
    std::string caption;
    std::string text;
    // objectName: INum, BitBtn3, IDate, MemoPDesc, Memo1, StringGrid1, INet, ITax, IPaid, ITerms;
    // empty when the focus stays.
    std::string control;
    int row = 0;  // the grid cell of a StringGrid1 failure
    int column = 0;
    // A question the user answered No or Cancel: it was shown already.
    bool answered = false;
};

struct InvoiceCheckContext {
    const records::CompanyRecord& company;
    // The number and total of the invoice when editing began; empty and zero while adding.
    std::string editedNumber;
    base::Decimal editedTotal;
    // The customer whose number (trimmed, upper-cased) is the one given; nothing when none is.
    std::function<std::optional<records::CustomerRecord>(const std::string& number)> customer;
    // Whether an invoice with this number (trimmed, upper-cased) is on file.
    std::function<bool(const std::string& number)> numberTaken;
    engine::FileSystem& files;
    base::PromptService& prompts;
};

// Runs the checks on `draft`; a memo quantity that is empty or no number becomes "1".
std::optional<InvoiceFailure> CheckInvoice(InvoiceDraft& draft, const InvoiceCheckContext& context);

// The question asked before memo text longer than the memo record is cut.
std::string MemoLengthQuestion(int lineCount);
// Asks it under `caption` when the text takes more than 25 lines; true to go on.
bool AcceptMemoLength(base::PromptService& prompts, std::string_view caption, int lineCount);

}  // namespace invoicing

#include "invoicing/InvoiceChecks.h"

#include <algorithm>
#include <vector>

#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/PaymentTerms.h"
#include "engine/BlockFile.h"
#include "records/InvoiceMemoRecord.h"

namespace invoicing {
namespace {

constexpr int kCellTextLength = 15;
constexpr char kNumberCaption[] = "Invoice Number";
constexpr char kConfirmCaption[] = "Please Confirm";

std::string Folded(std::string_view text) {
    return base::Win1252Upper(base::Trim(text));
}

InvoiceFailure Refusal(std::string caption, std::string text, std::string control) {
    return {std::move(caption), std::move(text), std::move(control)};
}

InvoiceFailure Answered(std::string caption, std::string text) {
    return {std::move(caption), std::move(text), "", 0, 0, true};
}

std::optional<InvoiceFailure> CheckLetters(const std::string& number, const std::string& edited) {
    struct Reserved {
        char letter;
        const char* text;
    };
    static const Reserved kReserved[] = {
        {'G',
         "Please do not use the letter \"G\" in your invoice numbers. This is reserved for repeat "
         "billings. You must change this invoice number."},
        {'I',
         "Please do not use the letter \"I\" in your invoice numbers. This is reserved for "
         "Interest Wizard. You must change this invoice number."},
    };
    for (const Reserved& reserved : kReserved) {
        if (number.find(reserved.letter) != std::string::npos &&
            edited.find(reserved.letter) == std::string::npos)
            return Refusal(kNumberCaption, reserved.text, "INum");
    }
    return std::nullopt;
}

std::optional<InvoiceFailure> CheckMemo(InvoiceDraft& draft, base::PromptService& prompts) {
    if (base::Trim(draft.memo.description).empty())
        return Refusal("Product Description",
                       "You do not have a product description entered. This description is used "
                       "on your Sales Report to show the item sold.",
                       "MemoPDesc");
    if (!base::IsNumber(draft.memo.quantity)) draft.memo.quantity = "1";
    const std::vector<std::string> lines = MemoLines(draft.memo.text);
    if (std::all_of(lines.begin(), lines.end(),
                    [](const std::string& line) { return base::Trim(line).empty(); }))
        return Refusal("Memo Invoice Text",
                       "You do not have any text entered in the body of your invoice.", "Memo1");
    if (!AcceptMemoLength(prompts, "Memo Invoice Text", static_cast<int>(lines.size())))
        return Answered("Memo Invoice Text", MemoLengthQuestion(static_cast<int>(lines.size())));
    return std::nullopt;
}

bool ValidCell(std::string_view text) {
    const std::string cell = base::CutTo(base::Trim(base::RemoveCommas(text)), kCellTextLength);
    return cell.empty() || base::IsNumber(cell);
}

std::optional<InvoiceFailure> CheckRows(const InvoiceDraft& draft) {
    bool described = false;
    for (size_t i = 0; i < draft.lines.size(); ++i) {
        const DraftLine& row = draft.lines[i];
        const std::string line = "Line " + std::to_string(i + 1);
        const auto cell = [&](std::string text, int column) {
            return InvoiceFailure{engine::kProgramCaption, std::move(text), "StringGrid1",
                                  static_cast<int>(i + 1), column};
        };
        if (!ValidCell(row.quantity))
            return cell(line + " has an invalid QUANTITY value.", kQuantityColumn);
        if (!ValidCell(row.price))
            return cell(line + " has an invalid UNIT PRICE value.", kPriceColumn);
        // Such a row would count in the totals but leave no line behind.
        if (!row.Stored() && !row.Extension().IsZero())
            return cell(line + " has no product code or description.", kDescriptionColumn);
        if (!FitsField(row.Extension()))
            return cell(line + " has an EXTENSION too large for its column.", kPriceColumn);
        described = described || !base::Trim(row.description).empty();
    }
    if (!described)
        return Refusal("Description Required",
                       "You do not have a description on any of your line items. At least one "
                       "description field is required or you have nothing to invoice.",
                       "StringGrid1");
    return std::nullopt;
}

std::optional<InvoiceFailure> CheckAmounts(const InvoiceDraft& draft, const InvoiceTotals& totals) {
    struct Typed {
        const char* name;
        const char* control;
        const std::string* text;  // null for an amount the window computes
        base::Decimal amount;
    };
    const bool memo = draft.form == InvoiceForm::Memo;
    const Typed amounts[] = {
        {"NET", "INet", memo ? &draft.memo.net : nullptr, totals.net},
        {"TAX", "ITax", memo ? &draft.memo.tax : nullptr, totals.tax},
        {"PAID", "IPaid", &draft.paid, totals.paid},
        {"TOTAL", "ITotal", nullptr, totals.total},
        {"BALANCE DUE", "BalDue", nullptr, totals.balanceDue},
    };
    for (const Typed& typed : amounts) {
        if (typed.text && !TypedAmount(*typed.text))
            return Refusal(engine::kProgramCaption,
                           std::string("The ") + typed.name + " amount has an invalid value.",
                           typed.control);
    }
    // An amount is never stored cut short.
    for (const Typed& typed : amounts) {
        if (!FitsField(typed.amount))
            return Refusal(engine::kProgramCaption,
                           std::string("The ") + typed.name + " amount is too large.",
                           typed.control);
    }
    return std::nullopt;
}

// Yes adds the terms to the list and saves it; No saves the invoice without them; Cancel keeps
// the window open.
std::optional<InvoiceFailure> CheckTerms(const InvoiceDraft& draft,
                                         const InvoiceCheckContext& context) {
    const std::string terms = Folded(draft.terms);
    if (terms.empty()) return std::nullopt;
    std::vector<std::string> list = company::LoadPaymentTerms(context.files);
    if (std::any_of(list.begin(), list.end(),
                    [&](const std::string& entry) { return Folded(entry) == terms; }))
        return std::nullopt;
    const std::string caption = "Terms: " + draft.terms;
    const std::string question =
        "This is a new payment term. Would you like to add terms to the terms file?";
    const base::PromptAnswer answer = context.prompts.Message(
        caption, question, base::PromptIcon::Question, base::PromptButtons::YesNoCancel);
    if (answer == base::PromptAnswer::Cancel) return Answered(caption, question);
    if (answer != base::PromptAnswer::Yes) return std::nullopt;
    list.push_back(draft.terms);
    if (!company::SavePaymentTerms(context.files, list))
        return Refusal(caption, "The terms could not be saved to ZRTERMS.DAT.", "ITerms");
    return std::nullopt;
}

}  // namespace

std::string MemoLengthQuestion(int lineCount) {
    return "The memo text takes " + std::to_string(lineCount) +
           " lines; only the first 25 are kept. Continue?";
}

bool AcceptMemoLength(base::PromptService& prompts, std::string_view caption, int lineCount) {
    return lineCount <= records::InvoiceMemoRecord::kLineCount ||
           prompts.AskYesNo(caption, MemoLengthQuestion(lineCount));
}

std::optional<InvoiceFailure> CheckInvoice(InvoiceDraft& draft,
                                           const InvoiceCheckContext& context) {
    const std::string number = Folded(draft.number);
    if (number.empty()) return Refusal(kNumberCaption, "You need an invoice number.", "INum");
    std::optional<records::CustomerRecord> customer;
    if (base::Trim(draft.customer).empty() || !(customer = context.customer(draft.customer)))
        return Refusal("Customer Required", "You need to select a customer.", "BitBtn3");
    if (!base::ParseDate(draft.date, base::EntryDateOrder(context.company.dateFormat())))
        return Refusal("Invoice Date",
                       "You have an invalid invoice date. You can clear the date and then select "
                       "the calendar button.",
                       "IDate");
    if (auto failure = CheckLetters(number, Folded(context.editedNumber))) return failure;
    if (draft.form == InvoiceForm::Memo) {
        if (auto failure = CheckMemo(draft, context.prompts)) return failure;
    } else if (auto failure = CheckRows(draft)) {
        return failure;
    }
    // A proposed number that another desk took meanwhile is moved on by the posting.
    if (!draft.numberProposed && number != Folded(context.editedNumber) &&
        context.numberTaken(number))
        return Refusal("Duplicate Invoice: " + base::Trim(draft.number),
                       "This invoice number currently exists. Please enter another one.", "INum");
    const InvoiceTotals totals = ComputeTotals(draft, context.company);
    if (auto failure = CheckAmounts(draft, totals)) return failure;
    if (totals.total.IsZero() &&
        !context.prompts.AskYesNo(kConfirmCaption, "Is this a no-charge invoice?"))
        return Answered(kConfirmCaption, "Is this a no-charge invoice?");
    if (!totals.paid.IsZero() && totals.paid > totals.total)
        return Refusal("Payment Amount", "The paid amount cannot exceed the invoice total amount.",
                       "IPaid");
    const base::Decimal limit = customer->creditLimitAmount();
    if (limit > base::Decimal() &&
        customer->balanceAmount() + totals.balanceDue - context.editedTotal > limit) {
        const char* question =
            "This invoice will cause this customer to be over their credit limit.  Do you want "
            "to proceed anyway?";
        if (!context.prompts.AskYesNo(kConfirmCaption, question))
            return Answered(kConfirmCaption, question);
    }
    return CheckTerms(draft, context);
}

}  // namespace invoicing

#include "invoicing/InvoiceDispatch.h"

#include <charconv>
#include <optional>

#include "base/Text.h"
#include "invoicing/InvoiceForm.h"
#include "invoicing/InvoiceMailText.h"
#include "mail/MailAddress.h"
#include "receivables/PostingLog.h"
#include "receivables/PostingWrites.h"
#include "records/TransactionType.h"

namespace invoicing {
namespace {

constexpr char kMailCaption[] = "E-Mail Invoice";
constexpr char kPrintCaption[] = "Print Invoice";

// The records that stand for the invoice itself; payments and deposits keep their flag.
bool MarkedWithInvoice(std::string_view typeCode) {
    return typeCode == records::type::kPartlyPaidInvoice ||
           typeCode == records::type::kRegularInvoice || typeCode == "M" ||
           typeCode == records::type::kRepeatGenerated;
}

bool PrintCopy(DispatchContext& context, const InvoiceDocument& document, DocumentKind kind,
               int copy) {
    return context.printer.Print({document.number, kind, copy}, [&](base::Canvas& canvas) {
        return PrintInvoiceForm(canvas, document, context.company, kind);
    });
}

// The message of an invoice: to the customer, or to the company itself under the bad-address
// subject when the customer's address is missing or unusable.
mail::MailMessage InvoiceMessage(const InvoiceDocument& document,
                                 const records::CompanyRecord& company) {
    mail::MailMessage message;
    message.senderName = base::Trim(company.name());
    message.sender = base::Trim(company.email());
    message.subject = InvoiceMailSubject(document, company);
    message.body = InvoiceMailLines(document, company);
    if (document.customerEmail.size() >= 2 && mail::IsValidMailAddress(document.customerEmail)) {
        message.recipient = document.customerEmail;
    } else {
        message.subject = kBadAddressSubject;
        message.recipient = message.sender;
    }
    return message;
}

DispatchResult MailInvoice(DispatchContext& context, const InvoiceDocument& document) {
    if (!WantsInvoiceMail(document, context.company)) return {InvoiceOutcome::NoAddress, {}};
    if (!context.mail || !context.mail->Connected())
        return {InvoiceOutcome::ConnectionLost, "The mail server was not checked."};
    const mail::SendResult sent = context.mail->Send(InvoiceMessage(document, context.company));
    switch (sent.outcome) {
        case mail::SendOutcome::Accepted:
            return {InvoiceOutcome::Mailed, sent.reply};
        case mail::SendOutcome::ConnectionLost:
            return {InvoiceOutcome::ConnectionLost, sent.reply};
        case mail::SendOutcome::Rejected:
        case mail::SendOutcome::BadAddress:
            break;
    }
    return {InvoiceOutcome::Refused, sent.reply};
}

void QueueCustomerLabel(DispatchContext& context, const InvoiceDocument& document) {
    if (!context.labelQueue || !context.company.labelQueueOnBatchPrint()) return;
    const auto customer =
        receivables::FindCustomer(context.files.engine(), context.files.prompts(),
                                  context.files.companyCode(), document.accountNumber);
    if (customer) context.labelQueue->AddCustomer(customer->record);
}

}  // namespace

bool IsDeposit(std::string_view typeCode) {
    return typeCode == records::type::kDeposit || typeCode == records::type::kDepositTaken;
}

bool PrintsCopies(const records::CompanyRecord& company, OutputMode mode, bool batch) {
    if (mode == OutputMode::Printer) return true;
    return !batch && (company.printPackingSlip() || FileCopyCount(company) > 0);
}

int FileCopyCount(const records::CompanyRecord& company) {
    if (!company.printFileCopy()) return 0;
    const std::string text = base::Trim(company.numberOfCopies());
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size()) return 0;
    return count > 0 ? count : 0;
}

DispatchResult DispatchInvoice(DispatchContext& context, std::string_view number, bool batch) {
    std::string failure;
    const std::optional<InvoiceDocument> document =
        LoadDocument(context.files, context.company, number, failure);
    if (!document) {
        context.files.prompts().Warn(kPrintCaption, failure);
        return {InvoiceOutcome::NotRead, failure};
    }
    const bool mailing = context.mode == OutputMode::EMail;
    DispatchResult result;
    if (mailing) {
        result = MailInvoice(context, *document);
    } else {
        result = PrintCopy(context, *document, DocumentKind::Invoice, 1)
                     ? DispatchResult{InvoiceOutcome::Printed, {}}
                     : DispatchResult{InvoiceOutcome::NotPrinted, "The invoice was not printed."};
    }
    if (result.outcome == InvoiceOutcome::Refused ||
        result.outcome == InvoiceOutcome::ConnectionLost ||
        result.outcome == InvoiceOutcome::NotPrinted)
        return result;
    if (result.WentOut() && !document->printed)
        (void)MarkPrinted(context.files, document->number, mailing ? context.today : "");
    if (batch) QueueCustomerLabel(context, *document);
    if (mailing && batch) return result;
    if (context.company.printPackingSlip() &&
        !PrintCopy(context, *document, DocumentKind::PackingSlip, 1))
        return {InvoiceOutcome::NotPrinted, "The packing slip was not printed."};
    for (int copy = 1; copy <= FileCopyCount(context.company); ++copy)
        if (!PrintCopy(context, *document, DocumentKind::FileCopy, copy))
            return {InvoiceOutcome::NotPrinted, "The file copy was not printed."};
    return result;
}

bool MarkPrinted(InvoiceFiles& files, std::string_view number, std::string_view emailedDate) {
    const std::string failure = "Unable to mark invoice " + base::Trim(number) + " as printed.";
    const std::optional<Entries<records::InvoiceRecord>> entries = files.RecordsOf(number);
    if (!entries) {
        files.prompts().Warn(kPrintCaption, failure);
        return false;
    }
    receivables::PostingLog log(files.prompts());
    for (const auto& entry : *entries) {
        if (!MarkedWithInvoice(base::Trim(entry.record.typeCode()))) continue;
        records::InvoiceRecord marked = entry.record;
        marked.setPrinted("Y");
        if (!emailedDate.empty()) marked.setEmailedDate(emailedDate);
        if (!receivables::ReplaceRecord(log, failure, files.invoices(), entry, marked))
            return false;
    }
    return true;
}

bool MailReady(DispatchContext& context) {
    if (context.mode != OutputMode::EMail) return true;
    return context.mail &&
           context.mail->MailCheck(context.company.email(), context.company.smtpServer());
}

PrintCommandResult PrintCommand(DispatchContext& context, std::string_view number,
                                const std::function<bool()>& choosePrinter) {
    const auto record = context.files.FindInvoice(number);
    if (record && IsDeposit(base::Trim(record->record.typeCode()))) {
        context.files.prompts().Inform("Deposit Transaction", kDepositNotPrinted);
        return {{}, true};
    }
    if (!MailReady(context)) return {};
    if (choosePrinter && PrintsCopies(context.company, context.mode, false) && !choosePrinter())
        return {};
    const std::string shown = "Invoice " + base::Trim(number);
    const DispatchResult result = DispatchInvoice(context, number, false);
    base::PromptService& prompts = context.files.prompts();
    switch (result.outcome) {
        case InvoiceOutcome::Printed:
            return {shown + " sent to print queue."};
        case InvoiceOutcome::Mailed:
            prompts.Inform(kMailCaption, "Invoice sent by e-mail.");
            return {shown + " sent by e-mail."};
        case InvoiceOutcome::NoAddress:
            prompts.Inform(kMailCaption,
                           "This customer has no e-mail address. Invoice not sent by e-mail.");
            return {shown + " was not sent by e-mail."};
        case InvoiceOutcome::Refused:
            prompts.Warn(kMailCaption, "The mail server did not accept invoice " +
                                           base::Trim(number) + ": " + result.detail);
            return {shown + " was not sent by e-mail."};
        case InvoiceOutcome::ConnectionLost:  // the connection showed why
            return {shown + " was not sent by e-mail."};
        case InvoiceOutcome::NotPrinted:
            prompts.Warn(kPrintCaption, result.detail);
            return {shown + " was not printed."};
        case InvoiceOutcome::NotRead:
            break;
    }
    return {};
}

}  // namespace invoicing

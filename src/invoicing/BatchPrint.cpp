#include "invoicing/BatchPrint.h"

#include <algorithm>
#include <set>

#include "base/Text.h"
#include "base/Windows1252.h"

namespace invoicing {
namespace {

bool AwaitsPrinting(const records::InvoiceRecord& record) {
    static const std::set<std::string, std::less<>> kPrintedTypes = {"G", "I", "M", "Z"};
    return base::Trim(record.printed()) != "Y" &&
           kPrintedTypes.contains(base::Trim(record.typeCode()));
}

}  // namespace

std::optional<std::vector<std::string>> CollectUnprinted(InvoiceFiles& files) {
    std::vector<std::string> numbers;
    std::set<std::string, std::less<>> seen;
    const bool read =
        files.invoices().ForEachRecord([&](int32_t, const records::InvoiceRecord& record) {
            if (!AwaitsPrinting(record)) return;
            std::string number = base::Trim(record.invoiceNumber());
            if (seen.insert(base::Win1252Upper(number)).second) numbers.push_back(number);
        });
    if (!read) return std::nullopt;
    return numbers;
}

BatchPrintTexts BatchDialogTexts(size_t collected, OutputMode mode,
                                 const records::CompanyRecord& company) {
    const std::string count = std::to_string(collected);
    if (mode == OutputMode::EMail)
        return {{"There are " + count + " invoice(s) to e-mail.", "* E-Mail Mode *",
                 "(No packing slips or copies.)"},
                "&E-Mail"};
    return {
        {"There are " + count + " invoice(s) to print.",
         company.printPackingSlip() ? "Packing Slips will be printed."
                                    : "Packing Slips are turned off.",
         company.printFileCopy() ? "File Copies will be printed." : "File Copies are turned off."},
        "&Print"};
}

std::optional<size_t> BatchCount(std::string_view typed, size_t collected,
                                 base::PromptService& prompts) {
    const std::string digits = base::Trim(typed);
    // The field takes at most four digits, so a number always fits.
    const bool number =
        !digits.empty() && std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; });
    const size_t count = number ? std::stoul(digits) : 0;
    if (count == 0) {
        prompts.Warn("Print Number", kNumberNeeded);
        return std::nullopt;
    }
    return std::min(count, collected);
}

BatchTally RunBatch(DispatchContext& context, const std::vector<std::string>& numbers, size_t count,
                    const std::function<void(std::string_view line)>& progress) {
    BatchTally tally;
    for (size_t i = 0; i < std::min(count, numbers.size()); ++i) {
        const std::string& number = numbers[i];
        if (progress) progress("E-Mailing Invoice " + number + " ...");
        const DispatchResult result = DispatchInvoice(context, number, true);
        switch (result.outcome) {
            case InvoiceOutcome::Printed:
            case InvoiceOutcome::Mailed:
                ++tally.sent;
                continue;
            case InvoiceOutcome::NoAddress:
                ++tally.skipped;
                continue;
            case InvoiceOutcome::Refused:
            case InvoiceOutcome::NotPrinted:
            case InvoiceOutcome::NotRead:
            case InvoiceOutcome::ConnectionLost:
                break;
        }
        ++tally.failed;
        tally.failures.push_back("Invoice " + number + ": " + result.detail);
        // A lost connection or a printer that failed would fail every invoice after it.
        if (result.outcome == InvoiceOutcome::ConnectionLost ||
            result.outcome == InvoiceOutcome::NotPrinted) {
            tally.stopped = true;
            break;
        }
    }
    return tally;
}

std::string BatchStatus(const BatchTally& tally, OutputMode mode) {
    return "Batch Print complete. " + std::to_string(tally.sent) + " invoices sent to " +
           (mode == OutputMode::EMail ? "e-mail." : "spooler.");
}

std::string BatchSummary(const BatchTally& tally, OutputMode mode) {
    const bool mailing = mode == OutputMode::EMail;
    std::string summary =
        mailing ? "E-mail operation complete.\n\nSent: " : "Batch Print complete.\n\nPrinted: ";
    summary += std::to_string(tally.sent);
    if (mailing) summary += "\nSkipped (no e-mail address): " + std::to_string(tally.skipped);
    summary += "\nFailed: " + std::to_string(tally.failed);
    if (tally.stopped) summary += "\n\nThe run stopped there; the rest was not sent.";
    for (const std::string& failure : tally.failures) summary += "\n" + failure;
    return summary;
}

std::string BatchPrintCommand(DispatchContext& context, const BatchPrintSteps& steps) {
    base::PromptService& prompts = context.files.prompts();
    const std::optional<std::vector<std::string>> numbers = CollectUnprinted(context.files);
    if (!numbers) {
        prompts.Warn("Batch Print", "The invoice file cannot be read.");
        return {};
    }
    if (numbers->empty()) {
        prompts.Inform("Batch Print", "There are no invoices to print.");
        return {};
    }
    const std::optional<size_t> count = steps.askCount(
        BatchDialogTexts(numbers->size(), context.mode, context.company), numbers->size());
    if (!count || !MailReady(context)) return {};
    if (steps.choosePrinter && PrintsCopies(context.company, context.mode, true) &&
        !steps.choosePrinter())
        return {};
    if (steps.showProgress) steps.showProgress("Working...");
    const BatchTally tally = RunBatch(context, *numbers, *count, steps.showProgress);
    if (steps.hideProgress) steps.hideProgress();
    if (context.mode == OutputMode::EMail)
        prompts.Inform("Batch E-Mail", BatchSummary(tally, context.mode));
    else if (tally.failed > 0)
        prompts.Warn("Batch Print", BatchSummary(tally, context.mode));
    return BatchStatus(tally, context.mode);
}

}  // namespace invoicing

#pragma once
// Batch Print: every invoice not printed yet, in the order of the invoice file, printed or
// e-mailed one after another through the dispatch. Each invoice is marked as it goes out, so a
// run that stops part-way, or prints fewer than were found, leaves the rest for the next one.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "invoicing/InvoiceDispatch.h"

namespace invoicing {

// The numbers of the records whose printed flag is not "Y" and whose type is "G", "I", "M" or
// "Z", in record-number order (an invoice with several such records once). Nothing when the file
// could not be read.
std::optional<std::vector<std::string>> CollectUnprinted(InvoiceFiles& files);

// The three lines of the "Batch Print Invoices" dialog and its button, for `collected` invoices.
struct BatchPrintTexts {
    std::array<std::string, 3> lines;
    std::string button;  // "&Print" or "&E-Mail"
};
BatchPrintTexts BatchDialogTexts(size_t collected, OutputMode mode,
                                 const records::CompanyRecord& company);

inline constexpr char kNumberNeeded[] = "You need to specify the number to print.";

// The number typed in "&Number to print this cycle:", lowered to `collected` when larger; nothing,
// with `kNumberNeeded` shown, when it is empty, no number or 0.
std::optional<size_t> BatchCount(std::string_view typed, size_t collected,
                                 base::PromptService& prompts);

struct BatchTally {
    int sent = 0;          // printed, or taken by the mail server
    int skipped = 0;       // no e-mail address
    int failed = 0;        // refused by the server or not printed
    bool stopped = false;  // the mail connection was lost or a copy not printed: the rest waits
    std::vector<std::string> failures;  // "Invoice 1001: <why>", one per failed invoice
};

// Dispatches the first `count` of `numbers` in order, telling `progress` the line each one shows
// ("E-Mailing Invoice 1001 ..."). A lost mail connection or a copy not printed ends the run.
BatchTally RunBatch(DispatchContext& context, const std::vector<std::string>& numbers, size_t count,
                    const std::function<void(std::string_view line)>& progress);

// The manager's status line after a run: "Batch Print complete. 3 invoices sent to spooler." or
// "... sent to e-mail.".
std::string BatchStatus(const BatchTally& tally, OutputMode mode);

// The message that ends an e-mail run, or a print run with failures: "E-mail operation
// complete." with how many were sent, skipped and failed, and why each failure happened.
std::string BatchSummary(const BatchTally& tally, OutputMode mode);

// What Batch Print asks of the window.
struct BatchPrintSteps {
    // The "Batch Print Invoices" dialog: how many to print; nothing when cancelled.
    std::function<std::optional<size_t>(const BatchPrintTexts& texts, size_t collected)> askCount;
    // The print dialog; false when cancelled. Unset: the printer is ready.
    std::function<bool()> choosePrinter;
    // The progress window: a line shown while the run goes on, and its end.
    std::function<void(std::string_view line)> showProgress;
    std::function<void()> hideProgress;
};

// "&Batch Print" of the Invoice Manager: collects the invoices, asks how many, checks the mail
// server (e-mail mode) or asks for the printer, runs the batch and tells how it went. Answers the
// manager's status line; empty when nothing ran.
std::string BatchPrintCommand(DispatchContext& context, const BatchPrintSteps& steps);

}  // namespace invoicing

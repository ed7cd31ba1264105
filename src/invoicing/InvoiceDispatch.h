#pragma once
// Sending one invoice out. The invoice copy is printed or e-mailed, as the main window's output
// setting says; the packing slip and the file copies, when the company wants them, always go to
// the printer, after it. The invoice is marked printed (and e-mailed, with the date) only once its
// invoice copy really went out: printed, or taken by the mail server.

#include <functional>
#include <string>
#include <string_view>

#include "base/Canvas.h"
#include "base/PromptService.h"
#include "company/PrintQueue.h"
#include "invoicing/InvoiceDocument.h"
#include "invoicing/InvoiceFiles.h"
#include "mail/MailConnection.h"
#include "records/CompanyRecord.h"

namespace invoicing {

enum class OutputMode { Printer, EMail };

// A deposit ("D", or "T" once taken) is no invoice and is never printed; this says so.
inline constexpr char kDepositNotPrinted[] =
    "This record is a deposit. Unable to print. I am going to use the view option instead.";
bool IsDeposit(std::string_view typeCode);

// One printed copy: the invoice, its kind and, among file copies, which one (from 1).
struct PrintedCopy {
    std::string number;  // trimmed
    DocumentKind kind = DocumentKind::Invoice;
    int copy = 1;
};

// Where printed copies go: the program's printer, a folder of PDF files, a test's recorder.
class PrintSink {
public:
    virtual ~PrintSink() = default;
    // Hands `draw` a canvas for a print job of its own; false when the copy was not printed.
    virtual bool Print(const PrintedCopy& copy, const std::function<bool(base::Canvas&)>& draw) = 0;
};

// What one run of dispatches works with.
struct DispatchContext {
    InvoiceFiles& files;  // open
    const records::CompanyRecord& company;
    OutputMode mode = OutputMode::Printer;
    PrintSink& printer;
    mail::MailConnection* mail = nullptr;  // e-mail mode: the checked connection
    const base::Clock& clock;
    std::string today;  // the date text an e-mailed invoice keeps
    // Batch Print queues each invoice's customer for labels here when the company asks for it.
    company::PrintQueue* labelQueue = nullptr;
};

enum class InvoiceOutcome {
    Printed,         // the invoice copy went to the printer
    Mailed,          // the mail server took the message
    NoAddress,       // the customer has no e-mail address and the company sends none to itself
    Refused,         // the mail server refused the message; the connection is still usable
    ConnectionLost,  // the mail connection failed: nothing more can be sent this run
    NotPrinted,      // a copy could not be printed
    NotRead,         // the invoice could not be read (why was shown)
};

struct DispatchResult {
    InvoiceOutcome outcome = InvoiceOutcome::NotRead;
    std::string detail;  // the server's reply or the connection's failure
    bool WentOut() const {
        return outcome == InvoiceOutcome::Printed || outcome == InvoiceOutcome::Mailed;
    }
};

// True when a dispatch in `mode` prints something, so the print dialog is asked first: every
// copy in print mode; in e-mail mode the packing slip and file copies, but not in a batch.
bool PrintsCopies(const records::CompanyRecord& company, OutputMode mode, bool batch);

// The number of file copies the company asks for (none when they are off or the count is no
// positive whole number).
int FileCopyCount(const records::CompanyRecord& company);

// The invoice copy, the customer on the label queue (batch, when the company wants it), the
// packing slip and the file copies, in that order. A batch in e-mail mode prints no packing slips
// or file copies. After a failed invoice copy nothing else is produced.
DispatchResult DispatchInvoice(DispatchContext& context, std::string_view number, bool batch);

// Sets the printed flag of every record numbered `number` of type "Z", "I", "M" or "G", and the
// e-mailed date too when `emailedDate` is not empty; all records or none. False when a record
// could not be read or written ("Unable to mark invoice … as printed." was shown).
bool MarkPrinted(InvoiceFiles& files, std::string_view number, std::string_view emailedDate);

// "&Print" of the Invoice Manager and "Print Invoice" of the entry window on one invoice.
struct PrintCommandResult {
    std::string status;        // the manager's status line; empty when nothing happened
    bool viewInstead = false;  // a deposit: the view window is shown instead
};

// A deposit is refused with its message and viewed instead. In e-mail mode the mail server is
// checked first; then, when copies are printed, `choosePrinter` (the print dialog) is asked.
// Nothing happens when either says no. Tells the outcome with the messages of the manager:
// "Invoice sent by e-mail.", "This customer has no e-mail address. …", or why the server did not
// take it.
PrintCommandResult PrintCommand(DispatchContext& context, std::string_view number,
                                const std::function<bool()>& choosePrinter = {});

// The mail check of an e-mail run on the company's settings; true in print mode.
bool MailReady(DispatchContext& context);

}  // namespace invoicing

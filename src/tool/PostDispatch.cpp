// print-invoice, mail-invoice, batch-print: the Invoice Manager's Print (to the printer or by
// e-mail) and Batch Print on the run's company, through the program's own dispatch: the invoice
// copy printed or e-mailed, then the packing slip and the file copies, each invoice marked
// printed once its invoice copy went out. Printed copies become PDF files in the line's folder.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "invoicing/BatchPrint.h"
#include "invoicing/InvoiceDispatch.h"
#include "invoicing/InvoiceFiles.h"
#include "mail/MailConnection.h"
#include "tool/InvoiceSession.h"
#include "tool/PdfFolderSink.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

using invoicing::OutputMode;

constexpr int kNumberLength = 9;
constexpr int kCountLength = 4;  // "&Number to print this cycle:" takes four digits
constexpr int kModeLength = 4;

constexpr char kNoFolder[] = "\"folder\" names no folder for the PDF files";
constexpr char kMailFolderNeeded[] =
    "\"folder\" is needed: the company prints packing slips or file copies";
constexpr char kNoPdf[] = "printing to PDF is not built into this tool";

// The printer of a run that prints nothing (e-mail only): a copy asked for anyway fails, so it
// is reported instead of lost.
class NoPrinter : public invoicing::PrintSink {
public:
    bool Print(const invoicing::PrintedCopy&, const std::function<bool(base::Canvas&)>&) override {
        return false;
    }
};

// One line's run of dispatches: the run's company, its invoice files open, where the printed
// copies go and, in e-mail mode, the mail connection.
class DispatchRun : public InvoiceSession {
public:
    using InvoiceSession::InvoiceSession;

    // A run that prints writes its copies as PDF files into the line's "folder" (taken from where
    // the tool was started, and made when missing); `missing` refuses such a run without one.
    // Nothing, or why the line is refused.
    std::optional<std::string> ChoosePrinter(PostRequest& request, bool prints,
                                             const char* missing) {
        const std::optional<std::string> folder = request.Path("folder");
        if (request.failure()) return request.failure();
        if (!prints) return std::nullopt;
        if (!folder) return missing;
        const std::filesystem::path path = session_.startFolder / *folder;
        pdf_ = PdfFolderSink(path, written_);
        if (!pdf_) return kNoPdf;
        std::error_code error;
        std::filesystem::create_directories(path, error);
        if (error) return "Unable to create the folder " + path.string() + ": " + error.message();
        return std::nullopt;
    }

    // The context of the dispatches; e-mail mode opens the mail connection (still unchecked).
    invoicing::DispatchContext Context(OutputMode mode) {
        if (mode == OutputMode::EMail && !mail_) mail_.emplace(session_.prompts, session_.clock);
        invoicing::PrintSink& printer = pdf_ ? *pdf_ : static_cast<invoicing::PrintSink&>(none_);
        return {files_, state_.currentCompany, mode, printer, mail_ ? &*mail_ : nullptr,
                session_.clock, state_.todayText,
                // The tool prints no labels: the customers Batch Print queues are let go.
                &state_.printQueue};
    }

    const std::vector<std::string>& written() const { return written_; }

    // The reply to the Print of one invoice. The manager's status tells whether the invoice copy
    // went out; any other outcome refuses the line with the message that said why.
    PostReply PrintReply(const invoicing::PrintCommandResult& result, const std::string& number,
                         OutputMode mode) const {
        const std::string sent =
            "Invoice " + base::Trim(number) +
            (mode == OutputMode::EMail ? " sent by e-mail." : " sent to print queue.");
        if (result.status != sent)
            return PostReply::Refused(base::Win1252ToUtf8(LastShown(
                result.status.empty() ? "Invoice " + base::Trim(number) + " did not go out."
                                      : result.status)));
        PostReply reply;
        reply.results["status"] = base::Win1252ToUtf8(result.status);
        reply.results["files"] = written_;
        return reply;
    }

private:
    std::vector<std::string> written_;
    std::unique_ptr<invoicing::PrintSink> pdf_;
    NoPrinter none_;
    std::optional<mail::MailConnection> mail_;
};

std::optional<std::string> InvoiceNumber(PostRequest& request) {
    const std::optional<std::string> number = request.Text("number", kNumberLength);
    if (!number) request.Refuse("\"number\" names no invoice");
    return number;
}

PostReply PrintOne(PostRequest& request, PostSession& session, OutputMode mode) {
    const std::optional<std::string> number = InvoiceNumber(request);
    if (request.failure()) return PostReply::Refused(*request.failure());
    DispatchRun run(session);
    if (auto refusal = run.Open()) return PostReply::Refused(*refusal);
    const bool prints = invoicing::PrintsCopies(run.company(), mode, false);
    if (auto refusal = run.ChoosePrinter(request, prints,
                                         mode == OutputMode::EMail ? kMailFolderNeeded : kNoFolder))
        return PostReply::Refused(*refusal);
    invoicing::DispatchContext context = run.Context(mode);
    return run.PrintReply(invoicing::PrintCommand(context, *number), *number, mode);
}

PostReply PrintInvoice(PostRequest& request, PostSession& session) {
    return PrintOne(request, session, OutputMode::Printer);
}

PostReply MailInvoice(PostRequest& request, PostSession& session) {
    return PrintOne(request, session, OutputMode::EMail);
}

PostReply BatchPrint(PostRequest& request, PostSession& session) {
    const std::optional<std::string> modeName = request.Text("mode", kModeLength);
    if (modeName != "pdf" && modeName != "mail")
        request.Refuse("\"mode\" must be \"pdf\" or \"mail\"");
    const std::optional<std::string> typed = request.Text("count", kCountLength);
    if (request.failure()) return PostReply::Refused(*request.failure());
    const OutputMode mode = modeName == "mail" ? OutputMode::EMail : OutputMode::Printer;

    DispatchRun run(session);
    if (auto refusal = run.Open()) return PostReply::Refused(*refusal);
    const auto numbers = invoicing::CollectUnprinted(run.files());
    if (!numbers)
        return PostReply::Refused(
            base::Win1252ToUtf8(run.LastShown("Unable to read the invoice file")));
    if (numbers->empty()) {
        session.prompts.Inform("Batch Print", "There are no invoices to print.");
        return PostReply::Refused("There are no invoices to print.");
    }
    // The dialog's number starts as the number collected.
    const std::optional<size_t> count = invoicing::BatchCount(
        typed.value_or(std::to_string(numbers->size())), numbers->size(), session.prompts);
    if (!count) return PostReply::Refused(invoicing::kNumberNeeded);
    if (auto refusal = run.ChoosePrinter(
            request, invoicing::PrintsCopies(run.company(), mode, true), kNoFolder))
        return PostReply::Refused(*refusal);
    invoicing::DispatchContext context = run.Context(mode);
    if (!invoicing::MailReady(context))
        return PostReply::Refused(
            base::Win1252ToUtf8(run.LastShown("The mail server was not checked.")));

    const invoicing::BatchTally tally = invoicing::RunBatch(context, *numbers, *count, {});
    if (mode == OutputMode::EMail)
        session.prompts.Inform("Batch E-Mail", invoicing::BatchSummary(tally, mode));
    PostReply reply;
    reply.results["collected"] = numbers->size();
    reply.results["sent"] = tally.sent;
    reply.results["skipped"] = tally.skipped;
    reply.results["failed"] = tally.failed;
    reply.results["stopped"] = tally.stopped;
    reply.results["status"] = invoicing::BatchStatus(tally, mode);
    reply.results["failures"] = nlohmann::ordered_json::array();
    for (const std::string& failure : tally.failures)
        reply.results["failures"].push_back(base::Win1252ToUtf8(failure));
    if (mode == OutputMode::Printer) reply.results["files"] = run.written();
    return reply;
}

}  // namespace

std::vector<PostOperation> DispatchOperations() {
    return {{"print-invoice", {"number", "folder"}, &PrintInvoice},
            {"mail-invoice", {"number", "folder"}, &MailInvoice},
            {"batch-print", {"count", "mode", "folder"}, &BatchPrint}};
}

}  // namespace tool

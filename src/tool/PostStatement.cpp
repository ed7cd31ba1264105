// print-statement, mail-statement, batch-statements: the statement commands of the Customer
// Manager on the run's company, through the program's own statement code. Printed statements
// become PDF files in the line's folder, one per customer; the statement date is the run's day.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "mail/MailConnection.h"
#include "records/RecordTypes.h"
#include "statements/CustomerStatementFlow.h"
#include "statements/StatementBatch.h"
#include "tool/PdfFolderSink.h"
#include "tool/PostOperations.h"
#include "tool/SafeFileName.h"

namespace tool {
namespace {

constexpr int kCustomerLength = 8;
constexpr int kCountLength = 4;  // "Print in &batches of:" takes four digits
constexpr int kModeLength = 4;
constexpr int kSelectionLength = 6;

using company::PrintedOutput;

// One line's statements: the run's company, its customer file open, where printed statements go
// and, in e-mail mode, the mail connection.
class StatementRun {
public:
    explicit StatementRun(PostSession& session)
        : session_(session),
          customers_(
              session.engine,
              records::RecordTypeOf(records::RecordKind::Customer).Describe(session.companyCode),
              session.prompts) {}
    ~StatementRun() {
        if (opened_) (void)customers_.Close();
    }
    StatementRun(const StatementRun&) = delete;
    StatementRun& operator=(const StatementRun&) = delete;

    // Nothing, or why the line is refused.
    std::optional<std::string> Open() {
        if (auto refusal = EnterRunCompany(session_, state_)) return refusal;
        if (!customers_.Open()) return LastShown("Unable to open the customer file");
        opened_ = true;
        return std::nullopt;
    }

    // Printed statements go to "<customer>-statement.pdf" in the line's "folder" (taken from
    // where the tool was started, made when missing). Nothing, or why the line is refused.
    std::optional<std::string> ChooseFolder(PostRequest& request) {
        const std::optional<std::string> folder = request.Path("folder");
        if (request.failure()) return request.failure();
        if (!folder) return "\"folder\" names no folder for the PDF files";
        folder_ = session_.startFolder / *folder;
        pdfWriter_ = KeepPdfWriterReady();
        std::error_code error;
        std::filesystem::create_directories(folder_, error);
        if (error)
            return "Unable to create the folder " + folder_.string() + ": " + error.message();
        return std::nullopt;
    }

    statements::OutputContext Output(PrintedOutput mode) {
        if (mode == PrintedOutput::EMail && !mail_) mail_.emplace(session_.prompts, session_.clock);
        return {state_.currentCompany, mode,
                [this](const statements::Statement& statement, const auto& draw) {
                    const std::string path =
                        (folder_ / (FileNamePart(statement.customer.number) + "-statement.pdf"))
                            .string();
                    if (!WritePdfFile(path, draw)) return false;
                    written_.push_back(path);
                    return true;
                },
                mail_ ? &*mail_ : nullptr, state_.todayText};
    }

    receivables::CustomerFile& customers() { return customers_; }
    company::ProgramState& state() { return state_; }
    const std::vector<std::string>& written() const { return written_; }

    std::string LastShown(const std::string& otherwise) const {
        const auto& shown = session_.prompts.shown();
        return shown.empty() ? otherwise : shown.back().text;
    }

private:
    PostSession& session_;
    company::ProgramState state_;
    receivables::CustomerFile customers_;
    bool opened_ = false;
    std::filesystem::path folder_;
    std::unique_ptr<PdfWriterReady> pdfWriter_;
    std::vector<std::string> written_;
    std::optional<mail::MailConnection> mail_;
};

PostReply OneStatement(PostRequest& request, PostSession& session, PrintedOutput mode) {
    const std::optional<std::string> number = request.Text("customer", kCustomerLength);
    if (!number && !request.failure()) request.Refuse("\"customer\" names no customer");
    const bool unpaidOnly = request.Flag("unpaid_only").value_or(false);
    if (request.failure()) return PostReply::Refused(*request.failure());
    StatementRun run(session);
    if (auto refusal = run.Open()) return PostReply::Refused(*refusal);
    if (mode == PrintedOutput::PrinterOrFax)
        if (auto refusal = run.ChooseFolder(request)) return PostReply::Refused(*refusal);
    const auto customer = receivables::FindCustomerIn(run.customers(), *number);
    if (!customer)
        return PostReply::Refused(base::Win1252ToUtf8(statements::NotOnFileText(*number)));
    statements::CustomerStatementFlow flow(session.engine, session.prompts, run.state(),
                                           run.customers());
    if (!flow.Start(customer->record) || (unpaidOnly && !flow.SetUnpaidOnly(true)))
        return PostReply::Refused(base::Win1252ToUtf8(run.LastShown("No statement was made.")));
    statements::OutputContext output = run.Output(mode);
    const std::string status = flow.Output(output);
    if (status.empty())
        return PostReply::Refused(
            base::Win1252ToUtf8(run.LastShown("The statement did not go out.")));
    PostReply reply;
    reply.results["status"] = base::Win1252ToUtf8(status);
    if (mode == PrintedOutput::PrinterOrFax) reply.results["files"] = run.written();
    return reply;
}

PostReply PrintStatement(PostRequest& request, PostSession& session) {
    return OneStatement(request, session, PrintedOutput::PrinterOrFax);
}

PostReply MailStatement(PostRequest& request, PostSession& session) {
    return OneStatement(request, session, PrintedOutput::EMail);
}

std::optional<statements::BalanceSelection> SelectionNamed(const std::string& name) {
    using statements::BalanceSelection;
    if (name == "all") return BalanceSelection::All;
    if (name == "over30") return BalanceSelection::Over30;
    if (name == "over60") return BalanceSelection::Over60;
    if (name == "over90") return BalanceSelection::Over90;
    return std::nullopt;
}

PostReply BatchStatements(PostRequest& request, PostSession& session) {
    const std::optional<std::string> selectionName = request.Text("selection", kSelectionLength);
    const auto selection = SelectionNamed(selectionName.value_or("all"));
    if (!selection)
        request.Refuse("\"selection\" must be \"all\", \"over30\", \"over60\" or \"over90\"");
    const bool unpaidOnly = request.Flag("unpaid_only").value_or(false);
    const std::optional<std::string> modeName = request.Text("mode", kModeLength);
    if (modeName != "pdf" && modeName != "mail")
        request.Refuse("\"mode\" must be \"pdf\" or \"mail\"");
    const std::optional<std::string> typed = request.Text("count", kCountLength);
    if (request.failure()) return PostReply::Refused(*request.failure());
    const PrintedOutput mode =
        modeName == "mail" ? PrintedOutput::EMail : PrintedOutput::PrinterOrFax;

    StatementRun run(session);
    if (auto refusal = run.Open()) return PostReply::Refused(*refusal);
    if (mode == PrintedOutput::PrinterOrFax)
        if (auto refusal = run.ChooseFolder(request)) return PostReply::Refused(*refusal);
    statements::OutputContext output = run.Output(mode);
    statements::BatchSteps steps;
    steps.choose = [&] { return statements::BatchChoice{*selection, unpaidOnly}; };
    // The dialog's number starts as the number collected.
    steps.askSize = [&](const statements::BatchDialogTexts&, size_t count) {
        return statements::BatchSize(typed.value_or(std::to_string(count)), count, session.prompts);
    };
    // Nobody is there to answer the pauses: the run goes on through every batch.
    steps.shown.pause = [](std::string_view) { return true; };
    const auto tally =
        statements::BatchStatementsCommand(session.engine, session.prompts, run.customers(), output,
                                           run.state(), session.clock, steps);
    if (!tally)
        return PostReply::Refused(base::Win1252ToUtf8(run.LastShown("No statement was made.")));
    PostReply reply;
    reply.results["collected"] = tally->collected;
    reply.results["sent"] = tally->sent;
    reply.results["failed"] = tally->failed;
    reply.results["stopped"] = tally->stopped;
    reply.results["status"] = base::Win1252ToUtf8(statements::BatchEndStatus(*tally, mode));
    reply.results["failures"] = nlohmann::ordered_json::array();
    for (const std::string& failure : tally->failures)
        reply.results["failures"].push_back(base::Win1252ToUtf8(failure));
    if (mode == PrintedOutput::PrinterOrFax) reply.results["files"] = run.written();
    return reply;
}

}  // namespace

std::vector<PostOperation> StatementOperations() {
    return {{"print-statement", {"customer", "unpaid_only", "folder"}, &PrintStatement},
            {"mail-statement", {"customer", "unpaid_only"}, &MailStatement},
            {"batch-statements",
             {"selection", "unpaid_only", "mode", "folder", "count"},
             &BatchStatements}};
}

}  // namespace tool

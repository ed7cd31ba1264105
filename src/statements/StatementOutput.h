#pragma once
// Sending one statement out: printed, or e-mailed when the main window's output is e-mail, over
// the program's one mail connection.

#include <functional>
#include <string>

#include "base/Canvas.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "mail/MailConnection.h"
#include "records/CompanyRecord.h"
#include "statements/Statement.h"

namespace statements {

// Where a printed statement goes (the printer, a PDF file, a test's recorder): hands `draw` a
// canvas; false when the statement was not printed.
using StatementPrinter =
    std::function<bool(const Statement& statement, const std::function<bool(base::Canvas&)>& draw)>;

struct OutputContext {
    const records::CompanyRecord& company;
    company::PrintedOutput mode = company::PrintedOutput::PrinterOrFax;
    StatementPrinter printer;
    mail::MailConnection* mail = nullptr;  // e-mail mode: the checked connection
    std::string today;                               // the statement date, as the company writes it

    bool mailing() const { return mode == company::PrintedOutput::EMail; }
};

enum class SentOutcome {
    Printed,         // on the printer
    Mailed,          // the mail server took the message
    Refused,         // the mail server refused it; the connection is still usable
    ConnectionLost,  // the mail connection failed: nothing more can be sent this run
    NotPrinted,      // the printer failed
};

struct SentResult {
    SentOutcome outcome = SentOutcome::NotPrinted;
    std::string detail;  // the server's reply, or what failed
    bool WentOut() const {
        return outcome == SentOutcome::Printed || outcome == SentOutcome::Mailed;
    }
};

SentResult SendStatement(OutputContext& context, const Statement& statement);

// The mail check of an e-mail run on the company's settings; true in print mode.
bool MailReady(OutputContext& context);

// The output button of the statement window: checks the mail server (e-mail mode), sends the
// statement and tells how it went ("Statement sent by e-mail."). Answers the window's status line
// ("Statement for Ames Hardware sent to print queue."), empty when nothing went out.
std::string OutputCommand(OutputContext& context, const Statement& statement,
                          base::PromptService& prompts);

}  // namespace statements

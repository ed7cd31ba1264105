#include "statements/StatementOutput.h"

#include "base/Text.h"
#include "base/Windows1252.h"
#include "statements/StatementForm.h"
#include "statements/StatementMailText.h"

namespace statements {
namespace {

constexpr char kMailCaption[] = "E-Mail Statement";
constexpr char kPrintCaption[] = "Print Statement";

SentResult Mail(OutputContext& context, const Statement& statement) {
    if (!context.mail || !context.mail->Connected())
        return {SentOutcome::ConnectionLost, "The mail server was not checked."};
    const mail::SendResult sent =
        context.mail->Send(StatementMessage(statement, context.company, context.today));
    switch (sent.outcome) {
        case mail::SendOutcome::Accepted:
            return {SentOutcome::Mailed, sent.reply};
        case mail::SendOutcome::ConnectionLost:
            return {SentOutcome::ConnectionLost, sent.reply};
        case mail::SendOutcome::Rejected:
        case mail::SendOutcome::BadAddress:
            break;
    }
    return {SentOutcome::Refused, sent.reply};
}

}  // namespace

SentResult SendStatement(OutputContext& context, const Statement& statement) {
    if (context.mailing()) return Mail(context, statement);
    const bool printed = context.printer && context.printer(statement, [&](base::Canvas& canvas) {
        return PrintStatementForm(canvas, statement, context.company, context.today);
    });
    if (printed) return {SentOutcome::Printed, {}};
    return {SentOutcome::NotPrinted, "The statement was not printed."};
}

bool MailReady(OutputContext& context) {
    if (!context.mailing()) return true;
    return context.mail &&
           context.mail->MailCheck(context.company.email(), context.company.smtpServer());
}

std::string OutputCommand(OutputContext& context, const Statement& statement,
                          base::PromptService& prompts) {
    if (!MailReady(context)) return {};
    const std::string shown = "Statement for " + base::Trim(statement.customer.name);
    const SentResult result = SendStatement(context, statement);
    switch (result.outcome) {
        case SentOutcome::Printed:
            return shown + " sent to print queue.";
        case SentOutcome::Mailed:
            prompts.Inform(kMailCaption, "Statement sent by e-mail.");
            return shown + " sent by e-mail.";
        case SentOutcome::Refused:
            prompts.Warn(
                kMailCaption,
                base::Win1252ToUtf8("The mail server did not accept the statement for " +
                                    base::Trim(statement.customer.name) + ": " + result.detail));
            break;
        case SentOutcome::ConnectionLost:  // the connection showed why
            break;
        case SentOutcome::NotPrinted:
            prompts.Warn(kPrintCaption, result.detail);
            break;
    }
    return {};
}

}  // namespace statements

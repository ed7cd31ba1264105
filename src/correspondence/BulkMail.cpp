#include "correspondence/BulkMail.h"

#include "base/Text.h"
#include "correspondence/QueueCustomers.h"
#include "mail/MailAddress.h"

namespace correspondence {
namespace {

constexpr char kBadAddressSubject[] = "BAD E-MAIL ADDRESS FOR: ";
constexpr char kConnectionLost[] = "not sent: the connection to the mail server was lost";

std::vector<std::string> BodyLines(std::string_view body) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('\n', start);
        if (end == std::string_view::npos) end = body.size();
        std::string line(body.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string FailuresText(const std::vector<BulkMailFailure>& failures) {
    std::string text = "These customers were not sent your message:";
    for (const BulkMailFailure& failure : failures)
        text += "\n" + failure.customer + ": " + failure.reason;
    return text;
}

}  // namespace

std::optional<BulkMailRefusal> CheckBulkMail(const BulkMailForm& form, size_t queued) {
    if (base::Trim(form.subject).empty())
        return BulkMailRefusal{BulkMailField::Subject, "E-Mail Subject",
                               "You need an e-mail subject line."};
    if (form.subject.find_first_of("\r\n") != std::string::npos)
        return BulkMailRefusal{BulkMailField::Subject, "E-Mail Subject",
                               "The subject must be one line."};
    const std::string returnAddress = base::Trim(form.returnAddress);
    if (returnAddress.empty())
        return BulkMailRefusal{BulkMailField::ReturnAddress, "E-Mail Address",
                               "You need a return e-mail address."};
    if (!mail::IsValidMailAddress(returnAddress))
        return BulkMailRefusal{BulkMailField::ReturnAddress, "Return E-Mail Address",
                               "The return e-mail address does not have the @ sign included. "
                               "Bad e-mail address.",
                               true};
    if (base::Trim(form.body).empty())
        return BulkMailRefusal{BulkMailField::Body, "Message Text",
                               "You have not entered a message to send."};
    if (queued == 0)
        return BulkMailRefusal{BulkMailField::Queue, "Print Queue",
                               "You do not have any customers selected (listed) in the print "
                               "queue. Select the Queue button to add customers to the queue."};
    return std::nullopt;
}

BulkMailResult SendBulkMail(mail::MailConnection& mail, const BulkMailForm& form,
                            const records::CompanyRecord& company,
                            const std::vector<company::QueuedCustomer>& items,
                            const std::vector<std::optional<records::CustomerRecord>>& customers,
                            const std::function<void(const std::string&)>& progress) {
    mail::MailMessage typed;
    typed.senderName = base::Trim(company.name());
    typed.sender = base::Trim(form.returnAddress);
    typed.subject = form.subject;
    typed.body = BodyLines(form.body);
    const bool toCompany = company.emailWithoutAddress();

    BulkMailResult result;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string number = base::Trim(items[i].number);
        if (!mail.Connected()) {
            result.stopped = true;
            for (size_t rest = i; rest < items.size(); ++rest)
                result.failures.push_back({base::Trim(items[rest].number), kConnectionLost});
            break;
        }
        if (i >= customers.size() || !customers[i]) {
            result.failures.push_back({number, MissingCustomerText(number)});
            continue;
        }
        const records::CustomerRecord& customer = *customers[i];
        const std::string address = base::Trim(customer.email());
        if (!toCompany && address.empty()) {
            ++result.empty;
            continue;
        }
        mail::MailMessage message = typed;
        if (mail::IsValidMailAddress(address)) {
            message.recipient = address;
        } else {
            message.subject = kBadAddressSubject + base::Trim(customer.name());
            message.recipient = base::Trim(company.email());
        }
        const mail::SendResult sent = mail.Send(message);
        switch (sent.outcome) {
            case mail::SendOutcome::Accepted:
                ++result.sent;
                result.sentTo.push_back(number);
                if (progress) progress("E-Mail Sent: " + std::to_string(result.sent));
                break;
            case mail::SendOutcome::Rejected:
            case mail::SendOutcome::BadAddress:
                result.failures.push_back({number, "refused: " + sent.reply});
                break;
            case mail::SendOutcome::ConnectionLost:
                result.failures.push_back({number, kConnectionLost});
                break;
        }
    }
    return result;
}

std::optional<BulkMailResult> SendEmailMessage(
    BulkMailRun& run, const BulkMailForm& form, std::optional<BulkMailRefusal>* refusal,
    const std::function<void(const std::string&)>& progress) {
    if (auto refused = CheckBulkMail(form, run.queue.size())) {
        run.prompts.Message(
            refused->caption, refused->text,
            refused->warning ? base::PromptIcon::Warning : base::PromptIcon::Information,
            base::PromptButtons::Ok);
        if (refusal) *refusal = std::move(refused);
        return std::nullopt;
    }
    if (!run.mail.MailCheck(run.company.email(), run.company.smtpServer())) return std::nullopt;
    const QueuedRecords read =
        ReadQueuedCustomers(run.engine, run.prompts, run.company.code(), run.queue.items());
    if (read.failure) {
        run.prompts.Warn("E-Mail Mode", *read.failure);
        return std::nullopt;
    }
    if (progress) progress("Working...");
    BulkMailResult result =
        SendBulkMail(run.mail, form, run.company, run.queue.items(), read.customers, progress);
    // A run cut short leaves the queue as it was: the user sends again once the line is back.
    if (result.stopped) {
        run.prompts.Warn("E-Mail Mode", FailuresText(result.failures));
        return result;
    }
    if (result.empty > 0)
        run.prompts.Inform("E-Mail Addresses",
                           "There were " + std::to_string(result.empty) +
                               " empty customer e-mail addresses. The customers were not sent "
                               "your message.");
    if (!result.failures.empty())
        run.prompts.Warn("E-Mail Not Sent", FailuresText(result.failures));
    run.queue.MarkSettled();
    run.prompts.Inform("E-Mail Sent",
                       "There were " + std::to_string(result.sent) + " e-mail messages sent.");
    return result;
}

}  // namespace correspondence

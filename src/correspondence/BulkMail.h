#pragma once
// Bulk e-mail: one typed message to every customer in the print queue, over the one mail
// connection. The subject and the return address go into the message's headers, so they are
// checked for what could start a header or a recipient of their own before anything connects.
//
// A customer without an address is counted and passed over, or, when the company wants it, the
// message goes to the company's own address with the subject naming the customer; a message the
// server refuses fails for that customer only; a lost connection ends the run, and every
// customer after it is reported as not sent.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/PromptService.h"
#include "company/PrintQueue.h"
#include "engine/Engine.h"
#include "mail/MailConnection.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"

namespace correspondence {

// What the "Send E-Mail Message" window holds (Windows-1252).
struct BulkMailForm {
    std::string subject;
    std::string returnAddress;
    std::string body;  // lines end in LF or CR LF
};

// The field a refused form puts the cursor in.
enum class BulkMailField { Subject, ReturnAddress, Body, Queue };

struct BulkMailRefusal {
    BulkMailField field;
    std::string caption;
    std::string text;
    bool warning = false;
};

// The checks before any connection, in order; nothing when the form may be sent.
std::optional<BulkMailRefusal> CheckBulkMail(const BulkMailForm& form, size_t queued);

struct BulkMailFailure {
    std::string customer;  // the queued number, trimmed
    std::string reason;
    friend bool operator==(const BulkMailFailure&, const BulkMailFailure&) = default;
};

struct BulkMailResult {
    int sent = 0;
    int empty = 0;
    bool stopped = false;             // the connection was lost
    std::vector<std::string> sentTo;  // the queued numbers whose message was taken, in order
    std::vector<BulkMailFailure> failures;
};

// Sends the message for each queued item over a checked connection; `customers` holds each
// item's customer (nothing when it is no longer on file). `progress` hears "E-Mail Sent: n".
BulkMailResult SendBulkMail(mail::MailConnection& mail, const BulkMailForm& form,
                            const records::CompanyRecord& company,
                            const std::vector<company::QueuedCustomer>& items,
                            const std::vector<std::optional<records::CustomerRecord>>& customers,
                            const std::function<void(const std::string&)>& progress = {});

// The whole "&E-Mail" command as the window runs it: the checks, the mail check, the run, its
// summary messages, and the queue no longer pending after a run that was not cut short.
// `progress` hears "Working..." once the checks passed, then "E-Mail Sent: n".
// Nothing when a check or the mail check stopped it (the refusal was shown).
struct BulkMailRun {
    base::PromptService& prompts;
    engine::Engine& engine;
    mail::MailConnection& mail;
    const records::CompanyRecord& company;
    company::PrintQueue& queue;
};
std::optional<BulkMailResult> SendEmailMessage(
    BulkMailRun& run, const BulkMailForm& form, std::optional<BulkMailRefusal>* refusal = nullptr,
    const std::function<void(const std::string&)>& progress = {});

}  // namespace correspondence

#pragma once
// The program's one mail connection: the check before every e-mail run, then one message after
// another over the same SMTP session. libcurl speaks SMTP: STARTTLS whenever the server offers it
// (required for smtps:// hosts), the server's certificate checked, and a login name and password
// taken from the user's netrc file for the host when it has them.
//
// A connection error (refused, dropped, timed out) shows the connection message and closes the
// connection, so a run that asks Connected() before each message stops there; a message the
// server refuses is only that message's failure.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "mail/MailHost.h"
#include "mail/MailMessage.h"

namespace mail {

struct MailOptions {
    std::string caBundle;   // the certificates to trust; empty: the system's
    std::string netrcFile;  // where login names and passwords are; empty: the user's ~/.netrc
    std::chrono::milliseconds connectTimeout{15'000};
    std::chrono::seconds replyTimeout{60};      // the longest wait for any one server reply
    std::chrono::seconds transferTimeout{300};  // the longest a check or one message may take
};

// The status window shown while the server is checked; empty functions show nothing.
struct MailStatus {
    std::function<void(std::string_view caption, std::string_view text)> show;
    std::function<void()> hide;
};

enum class SendOutcome {
    Accepted,        // the server took the message
    Rejected,        // the server refused it; the connection stays usable
    BadAddress,      // the sender or recipient is no valid address; nothing was sent
    ConnectionLost,  // the connection failed or is closed; nothing more can be sent this run
};

struct SendResult {
    SendOutcome outcome = SendOutcome::ConnectionLost;
    std::string reply;  // the server's last reply, or what went wrong with the connection
};

class MailConnection {
public:
    MailConnection(base::PromptService& prompts, const base::Clock& clock, MailStatus status = {},
                   MailOptions options = {});
    ~MailConnection();
    MailConnection(const MailConnection&) = delete;
    MailConnection& operator=(const MailConnection&) = delete;

    // The check before every e-mail run: the company's return address and mail host must be set
    // (and usable), and the server must answer; connects when not connected yet (or when the host
    // setting changed). Shows the reason when it answers false.
    bool MailCheck(std::string_view companyEmail, std::string_view mailHostSetting);

    bool Connected() const { return connected_; }

    // Sends one message to its one recipient over the open connection.
    SendResult Send(const MailMessage& message);

private:
    struct Handle;

    bool Connect();
    // The curl code of one transfer, the server's replies recorded on the way.
    int Perform();
    void ConnectionFailed();

    base::PromptService& prompts_;
    const base::Clock& clock_;
    MailStatus status_;
    MailOptions options_;
    std::unique_ptr<Handle> handle_;
    std::optional<MailHost> host_;
    bool connected_ = false;
};

}  // namespace mail

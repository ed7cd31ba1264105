#pragma once
// One outgoing message and its rendering as Internet mail text. Names, subject and body come from
// records (Windows-1252); the rendered text is UTF-8, so every record character arrives as the
// user typed it, whatever the reader's mail program assumes about Windows code pages.

#include <string>
#include <vector>

#include "base/Clock.h"

namespace mail {

struct MailMessage {
    std::string senderName;  // shown with the return address; may be empty
    std::string sender;      // the return address
    std::string recipient;
    std::string subject;
    std::vector<std::string> body;  // lines without line ends
};

// What makes each rendered message unique: when it was written and a token for its Message-ID.
struct MessageStamp {
    base::DateTime now;        // local time
    int utcOffsetMinutes = 0;  // of that local time, east positive
    std::string uniqueToken;   // letters and digits
};

// The local time of `clock` with its offset from UTC, and a fresh random token.
MessageStamp StampNow(const base::Clock& clock);

// The message with Date, From, To, Subject, Message-ID and the MIME headers (UTF-8 text/plain,
// 8bit), every line ended by CRLF. Header texts lose their CR and LF (a line break becomes one
// blank) so that nothing can start a header of its own; texts beyond ASCII are encoded words.
// A body text holding line breaks becomes several lines, and a line longer than a mail line may
// be is broken. Lines starting with "." are left alone: the SMTP transfer doubles their dot.
std::string RenderMessage(const MailMessage& message, const MessageStamp& stamp);

}  // namespace mail

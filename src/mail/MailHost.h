#pragma once
// The company's mail host setting, read as a server to talk to. The stored field stays one text;
// besides a plain host name it may carry a port and a scheme:
//
//   "mail.example.com"              port 25, STARTTLS when the server offers it
//   "mail.example.com:587"          the same on port 587
//   "smtp://mail.example.com:587"   the same, written as a URL
//   "smtps://mail.example.com"      TLS from the first byte (implicit TLS), port 465 unless given
//
// A host is a name, an IPv4 address or an IPv6 address in brackets ("[::1]:2525"). Login names
// and passwords never appear here: they come from the user's netrc file.

#include <optional>
#include <string>
#include <string_view>

namespace mail {

struct MailHost {
    std::string host;
    int port = 25;  // SMTP; implicit TLS uses 465 unless the setting names a port
    bool implicitTls = false;

    // The URL libcurl is given: "smtp://host:port" or "smtps://host:port".
    std::string Url() const;

    friend bool operator==(const MailHost&, const MailHost&) = default;
};

// Nothing when the trimmed setting is none of the forms above (an unknown scheme, a bad port, a
// login part, blanks or other characters no host name holds).
std::optional<MailHost> ParseMailHost(std::string_view setting);

}  // namespace mail

#pragma once
// A real SMTP server (tests/support/smtp_server.py) on 127.0.0.1 for one test: started in
// the constructor, ready when it returns, killed and reaped in the destructor.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

struct ReceivedMail {
    int clientPort = 0;  // the same for messages that shared a connection
    std::string from;
    std::vector<std::string> recipients;
    std::string data;  // as the client sent it, dots undone
};

class SmtpServer {
public:
    // `mode` is plain, starttls, auth or smtps; `login` is USER:PASSWORD for auth. A client
    // silent for `idleSeconds` is cut off.
    SmtpServer(const std::filesystem::path& spool, std::string_view mode,
               std::string_view login = {}, double idleSeconds = 30);
    ~SmtpServer();
    SmtpServer(const SmtpServer&) = delete;
    SmtpServer& operator=(const SmtpServer&) = delete;

    int port() const { return port_; }
    // "127.0.0.1:PORT" with the scheme put in front.
    std::string Host(std::string_view scheme = {}) const;
    // The server's self-signed certificate, for the client to trust.
    std::string CaFile() const { return (spool_ / "cert.pem").string(); }
    std::vector<ReceivedMail> Received() const;

private:
    std::filesystem::path spool_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// A port on 127.0.0.1 where nothing listens.
int UnusedPort();

// A port on 127.0.0.1 that takes connections and never says a word.
class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    int port() const { return port_; }

private:
    int socket_ = -1;
    int port_ = 0;
};

}  // namespace testsupport

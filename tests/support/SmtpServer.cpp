#include "support/SmtpServer.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <tuple>
#include <utility>

#include "support/TempDir.h"

namespace testsupport {

namespace {

constexpr auto kStartLimit = std::chrono::seconds(20);
const char* const kScript = KT_SOURCE_DIR "/tests/support/smtp_server.py";

}  // namespace

SmtpServer::SmtpServer(const std::filesystem::path& spool, std::string_view mode,
                       std::string_view login, double idleSeconds)
    : spool_(spool) {
    std::filesystem::create_directories(spool_);
    const std::string modeArg(mode), loginArg(login), spoolArg = spool_.string();
    const std::string idleArg = std::to_string(idleSeconds);
    const std::string log = (spool_ / "server.log").string();
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        // The server goes when the test process goes, however it ends.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        execl(KT_SMTP_PYTHON, KT_SMTP_PYTHON, kScript, "--spool", spoolArg.c_str(), "--mode",
              modeArg.c_str(), "--login", loginArg.c_str(), "--idle", idleArg.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (!std::filesystem::exists(spool_ / "port")) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_ ||
            std::chrono::steady_clock::now() > deadline) {
            pid_ = -1;
            throw std::runtime_error("the SMTP server did not start: " + FileBytes(log));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    port_ = std::stoi(FileBytes(spool_ / "port"));
}

SmtpServer::~SmtpServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

std::string SmtpServer::Host(std::string_view scheme) const {
    return std::string(scheme) + "127.0.0.1:" + std::to_string(port_);
}

std::vector<ReceivedMail> SmtpServer::Received() const {
    std::vector<ReceivedMail> mails;
    for (int n = 1;; ++n) {
        char stem[16];
        std::snprintf(stem, sizeof stem, "%03d", n);
        const auto envelope = spool_ / (std::string(stem) + ".env");
        if (!std::filesystem::exists(envelope)) return mails;
        ReceivedMail mail;
        std::ifstream in(envelope);
        std::string line;
        std::getline(in, line);
        mail.clientPort = std::stoi(line);
        std::getline(in, mail.from);
        while (std::getline(in, line)) mail.recipients.push_back(line);
        mail.data = FileBytes(spool_ / (std::string(stem) + ".eml"));
        mails.push_back(std::move(mail));
    }
}

namespace {

// A socket bound to a free loopback port, and that port.
std::pair<int, int> BoundSocket() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("no loopback port");
    }
    return {fd, ntohs(address.sin_port)};
}

}  // namespace

int UnusedPort() {
    const auto [fd, port] = BoundSocket();
    close(fd);
    return port;
}

SilentServer::SilentServer() {
    std::tie(socket_, port_) = BoundSocket();
    listen(socket_, 4);
}

SilentServer::~SilentServer() {
    close(socket_);
}

}  // namespace testsupport

#include "tool/ToolProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/TempDir.h"

namespace tooltest {
namespace {

pid_t Spawn(const std::vector<std::string>& args, const std::filesystem::path& cwd, int in, int out,
            int err) {
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        for (int fd = 3; fd < 256; ++fd) ::close(fd);
        if (::chdir(cwd.c_str()) != 0) ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(KT_TOOL_PATH)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(KT_TOOL_PATH, argv.data());
        ::_exit(127);
    }
    return pid;
}

int Reap(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

std::vector<std::string> ToolResult::lines() const {
    std::vector<std::string> result;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

uint32_t EnvNumber(const char* name, uint32_t fallback) {
    const char* value = std::getenv(name);
    return value ? static_cast<uint32_t>(std::strtoul(value, nullptr, 10)) : fallback;
}

ToolResult RunTool(const std::vector<std::string>& args, const std::filesystem::path& cwd,
                   const std::string& input) {
    const testsupport::TempDir streams;
    const std::filesystem::path& io = streams.path();
    std::ofstream(io / "in", std::ios::binary) << input;
    const int in = ::open((io / "in").c_str(), O_RDONLY);
    const int out = ::open((io / "out").c_str(), O_WRONLY | O_CREAT, 0600);
    const int err = ::open((io / "err").c_str(), O_WRONLY | O_CREAT, 0600);
    const pid_t pid = Spawn(args, cwd, in, out, err);
    ::close(in);
    ::close(out);
    ::close(err);
    ToolResult result;
    result.exitCode = Reap(pid);
    result.out = testsupport::FileBytes(io / "out");
    result.err = testsupport::FileBytes(io / "err");
    return result;
}

std::vector<std::string> RunScript(const std::filesystem::path& dir, const std::string& script) {
    return RunTool({"script", dir.string()}, dir, script).lines();
}

ScriptSession::ScriptSession(const std::filesystem::path& dir)
    : ScriptSession({"script", dir.string()}, dir) {}

ScriptSession::ScriptSession(const std::vector<std::string>& args,
                             const std::filesystem::path& cwd) {
    ::signal(SIGPIPE, SIG_IGN);
    int input[2], output[2];
    if (::pipe(input) != 0 || ::pipe(output) != 0) throw std::runtime_error("pipe failed");
    const int devNull = ::open("/dev/null", O_WRONLY);
    pid_ = Spawn(args, cwd, input[0], output[1], devNull);
    ::close(devNull);
    ::close(input[0]);
    ::close(output[1]);
    toChild_ = input[1];
    fromChild_ = output[0];
}

ScriptSession::~ScriptSession() {
    if (pid_ > 0) Kill();
    if (toChild_ >= 0) ::close(toChild_);
    if (fromChild_ >= 0) ::close(fromChild_);
}

void ScriptSession::Write(const std::string& line) {
    const std::string text = line + "\n";
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(toChild_, text.data() + done, text.size() - done);
        if (wrote <= 0) return;  // the process has gone; ReadLine tells
        done += static_cast<size_t>(wrote);
    }
}

std::optional<std::string> ScriptSession::ReadLine() {
    for (;;) {
        const size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        char buffer[4096];
        const ssize_t got = ::read(fromChild_, buffer, sizeof buffer);
        if (got <= 0) return std::nullopt;
        pending_.append(buffer, static_cast<size_t>(got));
    }
}

void ScriptSession::Kill() {
    ::kill(pid_, SIGKILL);
    Reap(pid_);
    pid_ = -1;
}

}  // namespace tooltest

#pragma once
// Runs kt-invorra-tool as a separate process, the way maintainers and the acceptance tests do.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tooltest {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    std::vector<std::string> lines() const;  // `out` split at line ends
};

// Runs the tool with `args` in the folder `cwd`, with `input` as its standard input.
ToolResult RunTool(const std::vector<std::string>& args, const std::filesystem::path& cwd,
                   const std::string& input = {});

// Runs `script DIR` and returns its reply lines.
std::vector<std::string> RunScript(const std::filesystem::path& dir, const std::string& script);

// A `script DIR` process driven line by line: each command is written and its reply awaited, so
// the caller always knows which operation is in flight. Killed (if still running) on destruction.
class ScriptSession {
public:
    explicit ScriptSession(const std::filesystem::path& dir);
    ~ScriptSession();
    ScriptSession(const ScriptSession&) = delete;
    ScriptSession& operator=(const ScriptSession&) = delete;

    void Write(const std::string& line);    // sends one command without waiting
    std::optional<std::string> ReadLine();  // the next reply; nothing once the process has ended
    std::string Send(const std::string& line) {
        Write(line);
        return ReadLine().value_or("<no reply>");
    }
    void Kill();   // SIGKILL, then reaps the process
    int Finish();  // closes standard input and waits; the exit code

private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
    std::string pending_;
};

}  // namespace tooltest

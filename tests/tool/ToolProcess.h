#pragma once
// Runs kt-invorra-tool as a separate process, the way maintainers and the acceptance tests do.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tooltest {

struct ToolResult {
    int exitCode = -1;
    std::string out, err;
    std::vector<std::string> lines() const;  // `out` split at line ends
};

// The number in environment variable `name` (the kill tests' rounds and seeds), else `fallback`.
uint32_t EnvNumber(const char* name, uint32_t fallback);

ToolResult RunTool(const std::vector<std::string>& args, const std::filesystem::path& cwd,
                   const std::string& input = {});
std::vector<std::string> RunScript(const std::filesystem::path& dir, const std::string& script);

// A tool process driven one line at a time (`script DIR`, or another command such as `post DIR`
// with `args`); killed (if still running) on destruction.
class ScriptSession {
public:
    explicit ScriptSession(const std::filesystem::path& dir);
    ScriptSession(const std::vector<std::string>& args, const std::filesystem::path& cwd);
    ~ScriptSession();
    ScriptSession(const ScriptSession&) = delete;
    ScriptSession& operator=(const ScriptSession&) = delete;

    void Write(const std::string& line);
    std::optional<std::string> ReadLine();  // nothing once the process has ended
    std::string Send(const std::string& line) {
        Write(line);
        return ReadLine().value_or("<no reply>");
    }
    void Kill();  // SIGKILL, then reaps the process

private:
    pid_t pid_ = -1;
    int toChild_ = -1, fromChild_ = -1;
    std::string pending_;
};

}  // namespace tooltest

#pragma once
// Runs a shell command and gathers what it writes to its standard output, for tests that read
// files back with other programs (the block checker, PDF and RTF readers).

#include <cstdio>
#include <string>

namespace testsupport {

struct CommandRun {
    int status = -1;  // as pclose answers it; -1 when the command could not be started
    std::string output;
};

inline CommandRun RunCommand(const std::string& command) {
    CommandRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    while (const size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
    run.status = pclose(pipe);
    return run;
}

}  // namespace testsupport

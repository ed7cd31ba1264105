// script [DIR]: runs engine commands read from standard input in the folder DIR, one reply line
// per command, flushed at once so that a driving process sees every acknowledgement as it happens.

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "engine/Engine.h"
#include "tool/Commands.h"
#include "tool/ScriptRunner.h"
#include "tool/ScriptSyntax.h"

namespace tool {

int ScriptCommand(const Args& args) {
    if (args.size() > 1) {
        std::fputs("usage: kt-invorra-tool script [DIR]\n", stderr);
        return 2;
    }
    if (!args.empty()) {
        std::error_code error;
        std::filesystem::current_path(args[0], error);
        if (error) {
            std::fprintf(stderr, "cannot change into %s: %s\n", args[0].c_str(),
                         error.message().c_str());
            return 2;
        }
    }
    // The engine outlives the loop only to the end of this function: its destructor ends the
    // engine as the program does at exit, closing whatever the script left open.
    engine::Engine engine;
    ScriptRunner runner(engine);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (IsSkippedLine(line)) continue;
        const std::string reply = runner.Run(line);
        std::fwrite(reply.data(), 1, reply.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace tool

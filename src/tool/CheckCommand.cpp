// check NAME...: verifies the files of each file block by reading them directly (only their names
// come from the engine's naming rule); prints one line per problem ("NAME: problem") and exits 1
// when any block has one, 0 when all are sound.

#include <cstdio>

#include "engine/FileNames.h"
#include "tool/BlockChecker.h"
#include "tool/Commands.h"

namespace tool {

int CheckCommand(const Args& args) {
    if (args.empty()) {
        std::fputs("usage: kt-invorra-tool check NAME...\n", stderr);
        return 2;
    }
    bool sound = true;
    for (const std::string& name : args) {
        const engine::BlockFileNames files = engine::FileNamesOf(name);
        for (const std::string& problem : CheckFileBlock(files.data, files.index)) {
            std::printf("%s: %s\n", name.c_str(), problem.c_str());
            sound = false;
        }
    }
    return sound ? 0 : 1;
}

}  // namespace tool

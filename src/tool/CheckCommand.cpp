// check NAME...: verifies the files of each file block without the engine; prints one line per
// problem ("NAME: problem") and exits 1 when any block has one, 0 when all are sound.

#include <cstdio>

#include "tool/BlockChecker.h"
#include "tool/Commands.h"
#include "tool/FileBlockNames.h"

namespace tool {

int CheckCommand(const Args& args) {
    if (args.empty()) {
        std::fputs("usage: kt-invorra-tool check NAME...\n", stderr);
        return 2;
    }
    bool sound = true;
    for (const std::string& name : args) {
        for (const std::string& problem : CheckFileBlock(DataFileName(name), IndexFileName(name))) {
            std::printf("%s: %s\n", name.c_str(), problem.c_str());
            sound = false;
        }
    }
    return sound ? 0 : 1;
}

}  // namespace tool

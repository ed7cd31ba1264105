// Placeholder until this command is written; replaced by its owner.
#include <cstdio>

#include "tool/Commands.h"

namespace tool {
int ScriptCommand(const Args&) {
    std::fputs("not built yet\n", stderr);
    return 2;
}
}  // namespace tool

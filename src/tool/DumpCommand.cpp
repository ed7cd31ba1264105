// Placeholder until this command is written; replaced by its owner.
#include <cstdio>

#include "tool/Commands.h"

namespace tool {
int DumpCommand(const Args&) {
    std::fputs("not built yet\n", stderr);
    return 2;
}
}  // namespace tool

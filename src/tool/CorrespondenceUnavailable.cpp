// The tool built without Qt (KT_BUILD_GUI=OFF) has no fonts to lay out labels or letters with.

#include <cstdio>

#include "tool/Commands.h"

namespace tool {
namespace {

int Unavailable(const char* command) {
    std::fprintf(stderr,
                 "%s is not available: this kt-invorra-tool was built without Qt "
                 "(KT_BUILD_GUI=OFF)\n",
                 command);
    return 2;
}

}  // namespace

int LabelsCommand(const Args&) {
    return Unavailable("labels");
}
int LettersCommand(const Args&) {
    return Unavailable("letters");
}

}  // namespace tool

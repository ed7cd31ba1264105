// The tool built without Qt (KT_BUILD_GUI=OFF) has no fonts to lay out a printed form with.

#include <cstdio>

#include "tool/Commands.h"

namespace tool {

int PrintInvoiceCommand(const Args&) {
    std::fputs(
        "print-invoice is not available: this kt-invorra-tool was built without Qt "
        "(KT_BUILD_GUI=OFF)\n",
        stderr);
    return 2;
}

}  // namespace tool

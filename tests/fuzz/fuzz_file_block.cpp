// libFuzzer entry point: one input is a data file image, an index file image and an operation
// script (see FileBlockFuzz.h). Built with clang when KT_FUZZ is on; bench/fuzz.sh runs it.

#include <cstddef>
#include <cstdint>

#include "fuzz/FileBlockFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::RunFileBlockInput(data, size);
    return 0;
}

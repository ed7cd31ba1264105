// libFuzzer entry point: one input is an RTF text. Whatever it holds, reading it must end without
// a fault, and what it reads must write and read back as the same document.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/RichText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<base::RichDocument> read = base::FromRtf(text);
    if (!read) return 0;
    const std::optional<base::RichDocument> again = base::FromRtf(base::ToRtf(*read));
    if (!again || base::ToRtf(*again) != base::ToRtf(*read)) std::abort();
    return 0;
}

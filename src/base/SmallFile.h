#pragma once
// Whole-file reading and replacing for the program's small files ("LastCo.Dat", "ZRTERMS.DAT",
// "zr1confg.dat"). A replaced file is written beside its final name, flushed and then renamed over
// it, so a crash leaves either the old contents or the new, never a torn file.

#include <sys/types.h>
#include <optional>
#include <string>

namespace base {

// The whole file; nothing when it cannot be opened or read.
std::optional<std::string> ReadSmallFile(const std::string& path);

// Replaces the file with `contents`; a new file gets `permissions` (before the umask). False when
// anything failed; the old file is then left as it was.
bool ReplaceSmallFile(const std::string& path, const std::string& contents,
                      mode_t permissions = 0644);

}  // namespace base

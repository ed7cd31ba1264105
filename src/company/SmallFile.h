#pragma once
// Whole-file reading and replacing for the program's small files ("LastCo.Dat", "ZRTERMS.DAT",
// "zr1confg.dat"), through the engine's file system so that tests can make them fail. A replaced
// file is written beside its final name, flushed and then renamed over it, so a crash or a failed
// write leaves either the old contents or the new, never a torn file.

#include <optional>
#include <string>
#include <string_view>

#include "engine/FileSystem.h"

namespace company {

// Who may read a replaced file that did not exist before.
enum class SmallFileAccess { Everyone, OwnerOnly };

// The whole file; nothing when it cannot be opened or read.
std::optional<std::string> ReadSmallFile(engine::FileSystem& fs, const std::string& path);

// Replaces the file with `contents`. False when anything failed; the old file is then left as it
// was and no temporary stays behind.
bool ReplaceSmallFile(engine::FileSystem& fs, const std::string& path, std::string_view contents,
                      SmallFileAccess access);

}  // namespace company

#pragma once
// How a file block name becomes the names of its files.
//
// Spaces are removed; a ";" separates the data part from the index part (otherwise both use the
// whole name); each part gets its extension, replacing one it already has ("\" and "/" both end a
// folder, so a dot before them is not an extension). A file name longer than 64 characters is cut,
// but only in its last path component and never into the extension, so the files of one block can
// never collide.

#include <string>
#include <string_view>

namespace engine {

struct BlockFileNames {
    std::string data;     // D.DAT
    std::string index;    // X.IX
    std::string journal;  // D.DIA
    std::string backup;   // D.SAV, the old data file during a rebuild
    std::string log;      // D.MSG, the rebuild log
};

BlockFileNames FileNamesOf(std::string_view blockName);

// `name` with its extension set to `extension` (without the dot), cut as described above.
std::string WithExtension(std::string_view name, std::string_view extension);

}  // namespace engine

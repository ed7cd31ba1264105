#pragma once
// File names of a file block, derived from its name the way the engine derives them: spaces
// removed, "DATA;INDEX" naming the two files apart, the extension set or replaced, at most 64
// characters. The checker reads the files by these names without asking the engine.

#include <string>
#include <string_view>

namespace tool {

std::string DataFileName(std::string_view blockName);   // NAME.DAT
std::string IndexFileName(std::string_view blockName);  // NAME.IX

}  // namespace tool

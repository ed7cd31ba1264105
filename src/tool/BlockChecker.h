#pragma once
// An independent verifier of a file block's two files. It reads them by their documented layout
// and trusts nothing the engine keeps: the data header against the file length, the free chain,
// every key header, and every tree's order, page fill, depth, entry count and free page chain.

#include <string>
#include <vector>

namespace tool {

// One line per problem found, without the block's name; empty when the block is sound. A badly
// damaged block reports its first problems and then how many more there were.
std::vector<std::string> CheckFileBlock(const std::string& dataPath, const std::string& indexPath);

}  // namespace tool

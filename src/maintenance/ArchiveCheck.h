#pragma once
// What a restore checks in an archive before it writes a byte: every entry a plain file name of
// the backup mask, no folder, drive, "..", backslash or absolute path, no symbolic link, no name
// twice (in any letter case, as names match the folder's files in any case), and no entry that
// would unpack to more than a data file may hold or far more than it occupies packed.

#include <cstdint>
#include <string>
#include <vector>

#include <zip.h>

namespace maintenance {

struct ArchiveEntry {
    zip_uint64_t index = 0;
    std::string name;
    uint64_t size = 0;  // unpacked
};

struct ArchiveCheck {
    std::string refusal;  // empty: the entries may be restored
    std::vector<ArchiveEntry> entries;
};

// The largest entry a restore unpacks, and how much larger than packed an entry may be. Entries
// under the floor are never taken for a bomb: a small file of blanks packs to almost nothing.
constexpr uint64_t kLargestEntry = uint64_t{4} << 30;
constexpr uint64_t kLargestPackingRatio = 200;
constexpr uint64_t kRatioFloor = uint64_t{1} << 20;

ArchiveCheck CheckArchive(zip_t* archive);

// A name as it may be shown: control characters become "?".
std::string ShownName(std::string_view name);

}  // namespace maintenance

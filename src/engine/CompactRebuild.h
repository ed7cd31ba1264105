#pragma once
// The compact index rebuild: each index is built from its sorted keys bottom-up, its pages about
// 90 % full, instead of by one insertion per record. The trees hold the same entries as those of
// the exact rebuild (the first record still wins a unique key, the log lists the losers key by key
// in record order) but are smaller and shallower, and their pages differ from what insertion gives.

#include <cstdint>
#include <string_view>

#include "engine/Engine.h"
#include "engine/FileSystem.h"

namespace engine {

class FileBlock;
class RebuildLog;

// Builds every index of an opened, freshly created block from its data file.
int32_t BuildCompactIndexes(FileBlock& block, const KeyBuilder& buildKey,
                            bool deleteRecordsWhoseKeyFails, RebuildLog& log);

// The index phase of a rebuild with compact indexes, for a closed block whose data phase is done.
// Returns the engine error number (0 when it succeeded).
int32_t RebuildIndexCompact(FileSystem& fs, std::string_view name, int keyCount,
                            const KeyDescriptor* descriptors, const KeyBuilder& buildKey,
                            bool deleteRecordsWhoseKeyFails, bool& logWritten);

}  // namespace engine

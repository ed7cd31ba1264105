#pragma once
// The engine's private state: open file blocks and the shared page pool.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/DataFile.h"
#include "engine/Engine.h"
#include "engine/FileNames.h"
#include "engine/IndexFile.h"
#include "engine/Journal.h"
#include "engine/PagePool.h"

namespace engine {

constexpr uint32_t kValidMarker = 0x11195851;

class FileBlock {
public:
    uint32_t marker = kValidMarker;
    std::string name;  // as the block was opened, e.g. "12C"
    BlockFileNames names;
    bool readOnly = false;
    // A rebuild's private pool (null for ordinary blocks); declared first so it outlives the index.
    std::unique_ptr<PagePool> ownPool;
    std::unique_ptr<DataFile> data;
    std::unique_ptr<IndexFile> index;

    int keyCount() const { return index ? index->keyCount() : 0; }
};

struct Engine::Impl {
    bool initialised = false;
    std::vector<std::unique_ptr<FileBlock>> open;
    PagePool pool;
    ProgressCallback progress;
    std::unique_ptr<Journal> journal;  // while a posting runs

    // Lets the running posting's journal see the writes of a block (or nobody's, when null).
    void Journaled(FileBlock& block, Journal* journal);

    FileBlock* Find(FileBlockHandle handle) const;
    void Forget(FileBlockHandle handle);
    bool IsOpen(const std::string& dataPath) const;
};

}  // namespace engine

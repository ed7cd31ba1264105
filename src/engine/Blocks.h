#pragma once
// Creating, opening and closing the files of a file block.

#include <cstdint>
#include <memory>

#include "engine/EngineState.h"

namespace engine {

struct CreateRequest {
    std::string dataPath;
    std::string indexPath;
    int recordLength = 0;
    int keyCount = 0;
    const KeyDescriptor* descriptors = nullptr;
    uint8_t inUse = 0;  // the rebuild creates its output already marked in use
};

// Creates the data file (header slot only) and, with keys, the index file's header row; both are
// pushed to disk. Existing files are replaced, but a file another opener holds is left untouched
// and the creation fails. A failure removes whatever this call created.
int32_t CreateBlockFiles(FileSystem& fs, const CreateRequest& request);

struct OpenRequest {
    BlockFileNames names;
    bool readOnly = false;
    bool acceptInUse = false;      // the rebuild opens its own, still flagged, output
    int expectedRecordLength = 0;  // 0 accepts any
    int expectedKeyCount = -1;     // -1 accepts any
    PagePool* pool = nullptr;
};

int32_t OpenBlock(FileSystem& fs, const OpenRequest& request, std::unique_ptr<FileBlock>& block);

// Writes a changed block back in crash-safe order (pages and key headers, pushed to disk; then the
// data header still marked in use, pushed; then, with clearInUse, the header marked closed) and
// closes its files. A failed write leaves the block open.
int32_t CloseBlock(FileBlock& block, bool clearInUse);

// The writes of CloseBlock without closing: afterwards the files on disk are whole (and, with
// clearInUse, marked closed until the next change marks them again).
int32_t WriteBackBlock(FileBlock& block, bool clearInUse);

// Closes the files without writing anything: the block stays marked in use on disk.
void AbandonBlock(FileBlock& block);

}  // namespace engine

#pragma once
// The files of a version-1 installation, found in any letter case, and its file blocks read at
// their own record lengths with the engine's raw calls (never through the window-side
// convention, which would offer to rebuild an old file of another layout). The engine names
// files after block names without blanks, so each block is reached through links in a working
// folder of the data folder; the old installation is only ever read.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "company/ImportInProgress.h"
#include "engine/Engine.h"

namespace maintenance {

// The file of `folder` whose name is `name` in any letter case.
std::optional<std::filesystem::path> FindInAnyCase(const std::filesystem::path& folder,
                                                   std::string_view name);

class VersionOneBlock {
public:
    VersionOneBlock(engine::Engine& engine, const std::filesystem::path& oldFolder,
                    std::string_view blockName);
    ~VersionOneBlock();
    VersionOneBlock(const VersionOneBlock&) = delete;
    VersionOneBlock& operator=(const VersionOneBlock&) = delete;

    // False when the block is missing or cannot be opened.
    bool Open();
    int32_t Count();  // live records
    // Calls visit(bytes) for every live record in record order; false when a record could not be
    // read (the records before it were visited).
    bool ForEach(const std::function<bool(std::span<const std::byte>)>& visit);

private:
    engine::Engine& engine_;
    std::filesystem::path oldFolder_;
    std::string blockName_;
    std::filesystem::path links_;
    engine::FileBlockHandle handle_ = nullptr;
};

}  // namespace maintenance

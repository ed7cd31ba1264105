#pragma once
// A rebuild observer that shows nothing: for commands whose rebuild is a step of a larger job
// that reports its own outcome (restore, import-v1).

#include <cstdint>
#include <string>

#include "engine/BlockFile.h"

namespace tool {

class QuietRebuild : public engine::RebuildObserver {
public:
    void RebuildStarted(const std::string&) override {}
    void RebuildProgress(int, int32_t, int32_t) override {}
    void RebuildFinished() override {}
};

}  // namespace tool

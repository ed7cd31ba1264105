#pragma once
// A fresh working folder with an engine over files that can be made to fail, and scripted
// prompts: the ground of the tests that run on real data files. A fixture derives from it after
// ::testing::Test, so that its own members may use these.

#include "engine/Engine.h"
#include "engine/FaultInjectingFileSystem.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace testsupport {

struct DataFolder {
    TempDir dir;
    ScopedChdir inDir{dir.path()};
    engine::FaultInjectingFileSystem files{engine::PosixFileSystem()};
    engine::Engine engine{files};
    ScriptedPrompts prompts;
};

}  // namespace testsupport

#pragma once
// "Rebuild Data &Files": the company file and the current company's five files, rebuilt in turn.

#include <string_view>

#include "base/PromptService.h"
#include "engine/BlockFile.h"
#include "engine/Engine.h"

namespace shell::ui {

// Each file is shown on the observer while it is rebuilt. The outcome of each file is not
// reported: a file that fails stays as it was, and the next one is still rebuilt.
void RebuildAllDataFiles(engine::Engine& engine, base::PromptService& prompts,
                         engine::RebuildObserver& observer, std::string_view companyCode);

}  // namespace shell::ui

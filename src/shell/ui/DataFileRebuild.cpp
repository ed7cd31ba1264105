#include "shell/ui/DataFileRebuild.h"

#include "records/RecordTypes.h"

namespace shell::ui {

void RebuildAllDataFiles(engine::Engine& engine, base::PromptService& prompts,
                         engine::RebuildObserver& observer, std::string_view companyCode) {
    for (const records::RecordType& type : records::RecordTypes()) {
        engine::RecordFile file(engine, type.Describe(companyCode), prompts, &observer);
        file.Rebuild();
    }
}

}  // namespace shell::ui

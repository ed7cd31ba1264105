#include "shell/ui/DataFileRebuild.h"

#include "records/CompanyDataFiles.h"

namespace shell::ui {

void RebuildAllDataFiles(engine::Engine& engine, base::PromptService& prompts,
                         engine::RebuildObserver& observer, std::string_view companyCode) {
    for (const engine::FileDescription& description : records::RebuildOrder(companyCode)) {
        engine::RecordFile file(engine, description, prompts, &observer);
        file.Rebuild();
    }
}

}  // namespace shell::ui

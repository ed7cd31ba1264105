#include "shell/ui/DataFileRebuild.h"

#include "records/RecordTypes.h"

namespace shell::ui {

void RebuildAllDataFiles(engine::Engine& engine, base::PromptService& prompts,
                         engine::RebuildObserver& observer, std::string_view companyCode) {
    for (const records::RecordType& type : records::RecordTypes()) {
        engine::BlockFile file(engine, type.Describe(companyCode), prompts, &observer);
        // A file whose rebuild fails stays flagged, so its next open offers the rebuild again;
        // the other files are rebuilt all the same.
        static_cast<void>(file.Rebuild());
    }
}

}  // namespace shell::ui

#include "engine/EngineState.h"
#include "engine/Errors.h"

namespace engine {

void Engine::RebuildDataFile(std::string_view, int, int, const RecordFilter&) {
    Finish(IsInitialised() ? err::kNoDataNorBackup : err::kNotInitialised);
}

void Engine::RebuildIndex(std::string_view, int, const KeyDescriptor*, const KeyBuilder&, bool,
                          bool& logWritten) {
    logWritten = false;
    Finish(IsInitialised() ? err::kDataInconsistent : err::kNotInitialised);
}

}  // namespace engine

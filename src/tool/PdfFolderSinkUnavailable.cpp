// The tool built without Qt (KT_BUILD_GUI=OFF) has no fonts to lay out a printed form with.

#include "tool/PdfFolderSink.h"

namespace tool {

std::unique_ptr<invoicing::PrintSink> PdfFolderSink(const std::filesystem::path&,
                                                    std::vector<std::string>&) {
    return nullptr;
}

}  // namespace tool

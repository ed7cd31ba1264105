// The tool built without Qt (KT_BUILD_GUI=OFF) has no fonts to lay out a printed form with.

#include <cstdio>

#include "tool/PdfFolderSink.h"

namespace tool {

std::unique_ptr<invoicing::PrintSink> PdfFolderSink(const std::filesystem::path&,
                                                    std::vector<std::string>&) {
    return nullptr;
}

std::unique_ptr<PdfWriterReady> KeepPdfWriterReady() {
    return nullptr;
}

bool WritePdfFile(const std::string&, const std::function<bool(base::Canvas&)>&) {
    std::fputs("printing to PDF is not built into this tool (KT_BUILD_GUI=OFF)\n", stderr);
    return false;
}

}  // namespace tool

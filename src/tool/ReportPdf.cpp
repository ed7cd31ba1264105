#include "tool/ReportPdf.h"

#include "widgets/PdfFile.h"

namespace tool {

std::optional<std::string> WriteReportPdf(const std::string& path,
                                          const std::function<bool(base::Canvas&)>& draw) {
    if (widgets::WritePdf(path, draw)) return std::nullopt;
    return "The report could not be written to " + path;
}

}  // namespace tool

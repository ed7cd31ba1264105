// The tool built without Qt (KT_BUILD_GUI=OFF) has no fonts to lay out a report with.

#include "tool/ReportPdf.h"

namespace tool {

std::optional<std::string> WriteReportPdf(const std::string&,
                                          const std::function<bool(base::Canvas&)>&) {
    return "printing to PDF is not built into this tool";
}

}  // namespace tool

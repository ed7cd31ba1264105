#pragma once
// A printed report written to one PDF file by an operation of `post`. Only a tool built with Qt
// has the fonts to lay out a page with.

#include <functional>
#include <optional>
#include <string>

#include "base/Canvas.h"

namespace tool {

// Writes what `draw` prints to `path`. Nothing, or why no file was written.
std::optional<std::string> WriteReportPdf(const std::string& path,
                                          const std::function<bool(base::Canvas&)>& draw);

}  // namespace tool

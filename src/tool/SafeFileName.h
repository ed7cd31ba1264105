#pragma once
// Record text (an invoice or customer number) as part of the name of a file the tool writes.

#include <string>

namespace tool {

// Anything but a letter, a digit, '-' or '_' becomes '_', so the text can neither leave the
// folder nor clash with the shell.
std::string FileNamePart(const std::string& text);

}  // namespace tool

#pragma once
// Which e-mail addresses the program sends to. An address taken from a record goes into the
// envelope and the headers of a message as it is, so anything that could end a header line, add a
// second recipient or break out of the angle brackets of an SMTP command is refused up front.

#include <string_view>

namespace mail {

// True for a usable address: exactly one "@" with text on both sides, and none of control
// characters, blanks, "<", ">", ",", ";" or bytes beyond ASCII (mail servers take no
// Windows-1252 letters in an address). Callers pass the trimmed field.
bool IsValidMailAddress(std::string_view address);

}  // namespace mail

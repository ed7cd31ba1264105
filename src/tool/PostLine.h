#pragma once
// One line of `post` input run through the operations table: the JSON object is read, its op and
// fields checked, its own answers queued, and the operation run. `post` and `init --demo` both
// carry out their lines through here.

#include <string>

#include "tool/PostOperations.h"

namespace tool {

PostReply RunPostLine(const std::string& text, PostSession& session);

}  // namespace tool

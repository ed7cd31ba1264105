#pragma once
// Letter files: rich text (".RTF") or plain text (".TXT"). A text file may be UTF-8 or, as older
// letters are, Windows-1252; it is read as UTF-8 when it is valid UTF-8.

#include <optional>
#include <string>
#include <string_view>

#include "base/RichText.h"

namespace correspondence {

// The font of a letter read from a plain text file.
inline const base::FontChoice kPlainLetterFont{"Courier New", 10};

// The letter a file's contents hold: RTF when it starts as RTF does, else plain text in `font`.
base::RichDocument LetterFromFile(std::string_view contents, const base::FontChoice& font);

// True for a name ending in ".TXT" (any case): such letters are saved as plain text.
bool IsTextLetterName(std::string_view path);

// What a letter file holds: RTF, or for a text letter its text in UTF-8 with CR LF line ends.
std::string LetterFileContents(const base::RichDocument& letter, bool plainText);

}  // namespace correspondence

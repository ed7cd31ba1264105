#pragma once
// The optional program password. It lives in "zr1confg.dat", one 21-byte record holding a
// length-prefixed text of at most 20 characters, in plain text, trimmed; the file exists only
// while a password is set. The file is readable and writable by its owner only.
//
// The checks and the set-up run as plain logic: the password prompt is handed in as a function,
// the messages go through the prompt service.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/PromptService.h"
#include "engine/FileSystem.h"

namespace company {

inline constexpr char kPasswordFile[] = "zr1confg.dat";
inline constexpr int kPasswordRecordSize = 21;
inline constexpr int kMaxPasswordLength = 20;

// Shows the password prompt with this caption (and its help button or not); the text typed
// (Windows-1252) after OK, nothing after Cancel.
using PasswordAsk =
    std::function<std::optional<std::string>(const std::string& caption, bool helpVisible)>;

bool PasswordIsSet(engine::FileSystem& fs);
// The stored password, trimmed and cut to 20 characters; nothing when the file is missing or
// cannot be read.
std::optional<std::string> ReadPassword(engine::FileSystem& fs);
// Replaces the file with one record holding `password` (cut to 20 characters).
bool WritePassword(engine::FileSystem& fs, std::string_view password);
// Removes the file; true when no password file is left.
bool RemovePassword(engine::FileSystem& fs);

// True when no password is set or the right one was entered ("Password Required", help hidden).
// Blanks around the entry are ignored; letter case counts. A wrong or cancelled entry shows
// "You did not enter the correct password." and gives false.
bool CheckPassword(engine::FileSystem& fs, base::PromptService& prompts, const PasswordAsk& ask);

// The "Password Setup" command: changes, sets or removes the password after the questions and
// confirmations the user expects; an entry of fewer than two characters, typed twice, removes
// the protection.
void PasswordSetup(engine::FileSystem& fs, base::PromptService& prompts, const PasswordAsk& ask);

}  // namespace company

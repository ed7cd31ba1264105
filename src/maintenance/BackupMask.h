#pragma once
// Which files of a data folder a backup holds and a restore may write: every regular file whose
// name ends in .DAT, .IX, .SAV, .LST, .LBL, .RTF or .BMP, in any letter case ("LastCo.Dat" and
// "zr1confg.dat" are data files too).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace maintenance {

// File names are compared in ASCII letter case, as the names come from the folder or an archive.
std::string UpperAscii(std::string_view text);

bool InBackupMask(std::string_view name);

// The names of the folder's regular files in the mask, sorted. Symbolic links are left out: a
// backup copies the data folder, never what a link outside it points to.
std::vector<std::string> BackupFileNames(const std::filesystem::path& folder);

}  // namespace maintenance

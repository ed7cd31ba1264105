#pragma once
// The ZIP library's error messages in the words the backup and restore show.

#include <string>

#include <zip.h>

namespace maintenance {

// An error code of zip_open.
std::string ZipErrorText(int error);
// The last error of an open archive.
std::string ArchiveErrorText(zip_t* archive);

}  // namespace maintenance

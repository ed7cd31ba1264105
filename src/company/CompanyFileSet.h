#pragma once
// A company's own file blocks (code + "C", "P", "I", "D", "M"), as a set: their removal when the
// company is deleted. Which files a company has comes from records/RecordTypes.h.

#include <string_view>

#include "engine/FileSystem.h"

namespace company {

// Deletes code + "P.DAT", "P.IX", "C.DAT", "C.IX", "D.DAT", "D.IX", "I.DAT", "I.IX", "M.DAT",
// "M.IX" in this order, skipping files that do not exist. True when none of them is left.
bool DeleteCompanyFiles(std::string_view companyCode,
                        engine::FileSystem& fs = engine::PosixFileSystem());

// True when any of those files exists.
bool AnyCompanyFile(std::string_view companyCode, engine::FileSystem& fs);

}  // namespace company

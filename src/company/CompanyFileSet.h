#pragma once
// A company's own file blocks (code + "C", "P", "I", "D", "M"), as a set: their removal when the
// company is deleted. Their descriptions, in rebuild order, are in records/CompanyDataFiles.h
// (they need the record types of every subsystem, which sit above this library).

#include <string_view>

#include "engine/FileSystem.h"

namespace company {

// The file letters of a company's file blocks in the order a deleted company's files go.
inline constexpr char kCompanyFileLetters[] = {'P', 'C', 'D', 'I', 'M'};

// Deletes code + "P.DAT", "P.IX", "C.DAT", "C.IX", "D.DAT", "D.IX", "I.DAT", "I.IX", "M.DAT",
// "M.IX" in this order, skipping files that do not exist. True when none of them is left.
bool DeleteCompanyFiles(std::string_view companyCode,
                        engine::FileSystem& fs = engine::PosixFileSystem());

}  // namespace company

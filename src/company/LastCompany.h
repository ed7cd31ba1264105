#pragma once
// "LastCo.Dat": the company that was current when the program last switched company, as one
// 2736-byte records::CompanyRecord with no header. Read at start-up; rewritten by the company
// switch when a company is made current, by the aging run when it stores the last aging date, and
// by `kt-invorra-tool init`.

#include "engine/FileSystem.h"
#include "records/CompanyRecord.h"

namespace company {

inline constexpr char kLastCompanyFile[] = "LastCo.Dat";

// Reads record 0 into `company`; false (and `company` untouched) when the file is missing or
// holds less than one whole record: an empty or cut file names no company.
bool ReadLastCompany(engine::FileSystem& fs, records::CompanyRecord& company);

// Rewrites the file with `company` as its only record; false when it could not be written (the
// previous file is then still intact).
bool WriteLastCompany(engine::FileSystem& fs, const records::CompanyRecord& company);

}  // namespace company

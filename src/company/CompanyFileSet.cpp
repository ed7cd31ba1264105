#include "company/CompanyFileSet.h"

#include <string>

#include "records/RecordTypes.h"

namespace company {

bool DeleteCompanyFiles(std::string_view companyCode, engine::FileSystem& fs) {
    bool allGone = true;
    for (const records::RecordType* type : records::CompanyFilesInDeletionOrder()) {
        for (const char* extension : {".DAT", ".IX"}) {
            const std::string path = type->FileName(companyCode) + extension;
            if (!fs.Exists(path)) continue;
            fs.Remove(path);
            allGone = allGone && !fs.Exists(path);
        }
    }
    return allGone;
}

bool AnyCompanyFile(std::string_view companyCode, engine::FileSystem& fs) {
    for (const records::RecordType* type : records::CompanyFilesInDeletionOrder())
        for (const char* extension : {".DAT", ".IX"})
            if (fs.Exists(type->FileName(companyCode) + extension)) return true;
    return false;
}

}  // namespace company

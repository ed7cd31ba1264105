#include "company/CompanyFileSet.h"

#include <string>

#include "records/CompanyRecord.h"

namespace company {

bool DeleteCompanyFiles(std::string_view companyCode, engine::FileSystem& fs) {
    bool allGone = true;
    for (char letter : kCompanyFileLetters) {
        for (const char* extension : {".DAT", ".IX"}) {
            const std::string path = records::CompanyFileName(companyCode, letter) + extension;
            if (!fs.Exists(path)) continue;
            fs.Remove(path);
            allGone = allGone && !fs.Exists(path);
        }
    }
    return allGone;
}

}  // namespace company

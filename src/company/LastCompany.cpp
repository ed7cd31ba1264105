#include "company/LastCompany.h"

#include "company/SmallFile.h"

namespace company {

bool ReadLastCompany(engine::FileSystem& fs, records::CompanyRecord& company) {
    const std::optional<std::string> bytes = ReadSmallFile(fs, kLastCompanyFile);
    if (!bytes || bytes->size() < static_cast<std::size_t>(records::CompanyRecord::kSize))
        return false;
    company.Assign(std::as_bytes(std::span(*bytes)));
    return true;
}

bool WriteLastCompany(engine::FileSystem& fs, const records::CompanyRecord& company) {
    return ReplaceSmallFile(fs, kLastCompanyFile,
                            std::string_view(reinterpret_cast<const char*>(company.data()),
                                             records::CompanyRecord::kSize),
                            SmallFileAccess::Everyone);
}

}  // namespace company

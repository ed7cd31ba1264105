#include "company/LastCompany.h"

#include "base/SmallFile.h"

namespace company {

bool ReadLastCompany(records::CompanyRecord& company) {
    const std::optional<std::string> bytes = base::ReadSmallFile(kLastCompanyFile);
    if (!bytes || bytes->size() < static_cast<std::size_t>(records::CompanyRecord::kSize))
        return false;
    company.Assign(std::as_bytes(std::span(*bytes)));
    return true;
}

bool WriteLastCompany(const records::CompanyRecord& company) {
    return base::ReplaceSmallFile(
        kLastCompanyFile,
        std::string(reinterpret_cast<const char*>(company.data()), records::CompanyRecord::kSize));
}

}  // namespace company

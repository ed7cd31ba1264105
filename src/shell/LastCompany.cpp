#include "shell/LastCompany.h"

#include "base/SmallFile.h"

namespace shell {

bool ReadLastCompany(CompanyRecord& company) {
    const std::optional<std::string> bytes = base::ReadSmallFile(kLastCompanyFile);
    if (!bytes || bytes->size() < static_cast<std::size_t>(CompanyRecord::kSize)) return false;
    company.Assign(reinterpret_cast<const uint8_t*>(bytes->data()));
    return true;
}

bool WriteLastCompany(const CompanyRecord& company) {
    return base::ReplaceSmallFile(
        kLastCompanyFile,
        std::string(reinterpret_cast<const char*>(company.data()), CompanyRecord::kSize));
}

}  // namespace shell

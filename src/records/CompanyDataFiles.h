#pragma once
// The descriptions of the company file and of one company's five files, in the order the Rebuild
// Data Files command rebuilds them: "Companies", "Customers", "Invoices", "Detail Records",
// "Memo Records", "Products".

#include <string_view>
#include <vector>

#include "engine/FileDescription.h"

namespace records {

std::vector<engine::FileDescription> RebuildOrder(std::string_view companyCode);

}  // namespace records

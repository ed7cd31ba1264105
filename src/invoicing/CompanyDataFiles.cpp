#include "invoicing/CompanyDataFiles.h"

#include "customers/CustomerRecord.h"
#include "invoicing/InvoiceLineRecord.h"
#include "invoicing/InvoiceMemoRecord.h"
#include "invoicing/InvoiceRecord.h"
#include "products/ProductRecord.h"
#include "shell/CompanyRecord.h"

namespace invoicing {

std::vector<engine::FileDescription> RebuildOrder(std::string_view companyCode) {
    return {
        shell::CompanyFileDescription(),         customers::CustomerFileDescription(companyCode),
        InvoiceFileDescription(companyCode),     InvoiceLineFileDescription(companyCode),
        InvoiceMemoFileDescription(companyCode), products::ProductFileDescription(companyCode)};
}

}  // namespace invoicing

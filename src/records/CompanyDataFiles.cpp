#include "records/CompanyDataFiles.h"

#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceLineRecord.h"
#include "records/InvoiceMemoRecord.h"
#include "records/InvoiceRecord.h"
#include "records/ProductRecord.h"

namespace records {

std::vector<engine::FileDescription> RebuildOrder(std::string_view companyCode) {
    return {records::CompanyFileDescription(),       records::CustomerFileDescription(companyCode),
            InvoiceFileDescription(companyCode),     InvoiceLineFileDescription(companyCode),
            InvoiceMemoFileDescription(companyCode), records::ProductFileDescription(companyCode)};
}

}  // namespace records

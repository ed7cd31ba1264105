#include "records/InvoiceRecord.h"

#include "base/Dates.h"
#include "base/Text.h"
#include "records/CompanyRecord.h"

namespace records {

const std::vector<base::FieldInfo>& InvoiceRecord::Fields() {
    static const std::vector<base::FieldInfo> fields = {
        KT_INVOICE_RECORD_FIELDS(KT_RECORD_FIELD_INFO)};
    return fields;
}

void InvoiceRecord::setDocumentDate(std::string_view dateText, const base::Date& date) {
    const std::string sortable = base::SortableDate(date);  // "yyyy/mm/dd"
    setDate(dateText);
    setYear(sortable.substr(0, 4));
    setMonth(sortable.substr(5, 2));
    setDay(sortable.substr(8, 2));
    setSortDate(sortable);
}

std::string InvoiceRecord::key(int keyNumber) const {
    switch (keyNumber) {
        case 1:
            return base::KeyText(invoiceNumber(), 9);
        case 2:
            return base::KeyText(customerNumber(), 8);
        case 3:
            return base::PaddedKeyText(sortDate(), 10);
        case 4:
            return base::KeyText(keyCode(), 8);
        case 5:
            return base::KeyText(base::Trim(typeCode()) + base::Trim(invoiceNumber()), 10);
        case 6:
            return base::PaddedKeyText(datePaid(), 10);
        default:
            return {};
    }
}

engine::FileDescription InvoiceFileDescription(std::string_view companyCode) {
    engine::FileDescription file;
    file.name = records::CompanyFileName(companyCode, 'I');
    file.statusCaption = "Invoices";
    file.recordLength = InvoiceRecord::kSize;
    file.keys = {{9, true}, {8, true}, {10, true}, {10, true}, {10, true}, {10, true}};
    file.buildKey = &base::BuildKeyOf<InvoiceRecord>;
    file.addOrder = {1, 2, 3, 4, 6, 5};
    file.updateOrder = {1, 3, 4, 5, 6, 2};
    file.creationNotice = "I am going to create a new, empty invoice file for this company.";
    return file;
}

}  // namespace records

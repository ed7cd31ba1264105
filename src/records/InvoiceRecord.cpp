#include "records/InvoiceRecord.h"

#include "base/Dates.h"
#include "base/Text.h"

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

std::string InvoiceRecord::typeAndNumber() const {
    return base::Trim(typeCode()) + base::Trim(invoiceNumber());
}

const KeyTable<InvoiceRecord>& InvoiceRecord::Keys() {
    static const KeyTable<InvoiceRecord> keys = {
        .keys = {{9, kDuplicates, &InvoiceRecord::invoiceNumber},
                 {8, kDuplicates, &InvoiceRecord::customerNumber},
                 {10, kDuplicates, &InvoiceRecord::sortDate, KeyForm::AsStored},
                 {8, kDuplicates, &InvoiceRecord::keyCode, KeyForm::Folded, 10},
                 {10, kDuplicates, &InvoiceRecord::typeAndNumber},
                 {10, kDuplicates, &InvoiceRecord::datePaid, KeyForm::AsStored}},
        .addOrder = {1, 2, 3, 4, 6, 5},
        .updateOrder = {1, 3, 4, 5, 6, 2}};
    return keys;
}

}  // namespace records

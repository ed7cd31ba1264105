#include "records/CustomerRecord.h"

namespace records {

const std::vector<base::FieldInfo>& CustomerRecord::Fields() {
    static const std::vector<base::FieldInfo> fields = {
        KT_CUSTOMER_RECORD_FIELDS(KT_RECORD_FIELD_INFO)};
    return fields;
}

const KeyTable<CustomerRecord>& CustomerRecord::Keys() {
    static const KeyTable<CustomerRecord> keys = {
        .keys = {{30, kUnique, &CustomerRecord::name}, {8, kDuplicates, &CustomerRecord::number}},
        .addOrder = {1, 2},
        .updateOrder = {1, 2}};
    return keys;
}

void CustomerRecord::SetNewCustomerValues() {
    for (auto set : {&CustomerRecord::setBalanceAmount, &CustomerRecord::setAging1Amount,
                     &CustomerRecord::setAging2Amount, &CustomerRecord::setAging3Amount,
                     &CustomerRecord::setAging4Amount})
        (this->*set)(base::Decimal());
    setCreditHold(false);
    setLastPaymentDate("");
    setLastInvoiceNumber("");
}

}  // namespace records

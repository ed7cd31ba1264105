#include "records/CustomerRecord.h"

#include "records/CompanyRecord.h"

namespace records {

const std::vector<base::FieldInfo>& CustomerRecord::Fields() {
    static const std::vector<base::FieldInfo> fields = {
        KT_CUSTOMER_RECORD_FIELDS(KT_RECORD_FIELD_INFO)};
    return fields;
}

std::string CustomerRecord::key(int keyNumber) const {
    switch (keyNumber) {
        case 1:
            return base::KeyText(name(), 30);
        case 2:
            return base::KeyText(number(), 8);
        default:
            return {};
    }
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

engine::FileDescription CustomerFileDescription(std::string_view companyCode) {
    engine::FileDescription file;
    file.name = records::CompanyFileName(companyCode, 'C');
    file.statusCaption = "Customers";
    file.recordLength = CustomerRecord::kSize;
    file.keys = {{30, false}, {8, true}};
    file.buildKey = &base::BuildKeyOf<CustomerRecord>;
    file.addOrder = {1, 2};
    file.updateOrder = {1, 2};
    file.creationNotice = "I am going to create a new, empty customer file for this company.";
    return file;
}

}  // namespace records
